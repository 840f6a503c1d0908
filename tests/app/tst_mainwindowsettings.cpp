#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/OptionsDialog.h"
#include "editors/ProfileGrid.h"
#include "params/ProfileGridModel.h"
#include "preview/FlashPlayerView.h"
#include "settings/StoredValueScrambler.h"
#include "settings/WindowStateStore.h"
#include "support/AppDirTestCase.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

class tst_MainWindowSettings : public AppDirTestCase
{
    Q_OBJECT

private:
    QString stored(const QString &name) const
    {
        return QSettings(m_appDir->settingsPath(), QSettings::IniFormat)
                .value(QStringLiteral("SOFTWARE/Melbrin/TrevixStyleEditor/") + name)
                .toString();
    }

private slots:

    void firstRunShowsTheDesign()
    {
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QCOMPARE(form.size(), QSize(700, 400));
        QVERIFY((form.geometry().center() - form.screen()->availableGeometry().center())
                        .manhattanLength()
                <= 4);
        QVERIFY(!form.statusBar()->isHidden());
        QVERIFY(form.fullPathAction()->isChecked());
        QVERIFY(!form.helpPanelAction()->isChecked());
        QCOMPARE(form.stateStore()->readStoredValue(QStringLiteral("SWFFile")),
                 QVariant(QStringLiteral("trevix.swf")));
        QCOMPARE(form.stateStore()->readStoredValue(QStringLiteral("SWFWidth")),
                 QVariant(QStringLiteral("400")));
        QCOMPARE(form.stateStore()->readStoredValue(QStringLiteral("SWFHeight")),
                 QVariant(QStringLiteral("300")));
        QCOMPARE(form.stateStore()->readStoredValue(QStringLiteral("SWFDataFile")),
                 QVariant(QStringLiteral("data.txt")));
        QVERIFY(!QFile::exists(m_appDir->settingsPath()));
    }

    void closeAndRestartKeepsTheWindowAndViewSwitches()
    {
        {
            StyleDocument document;
            MainWindow form(document, m_appDir->dir(), {});
            form.show();
            form.setGeometry(40, 30, 700, 500);
            form.statusBarAction()->trigger();
            form.fullPathAction()->trigger();
            form.stateStore()->writeStoredValue(QStringLiteral("SWFWidth"), 640);
            QVERIFY(form.close());
        }
        QCOMPARE(stored(QStringLiteral("FormVersion")), QStringLiteral("0"));
        QCOMPARE(stored(QStringLiteral("StatusBar_Visible")), QStringLiteral("False"));
        QCOMPARE(stored(QStringLiteral("ItemFullPath_Checked")), QStringLiteral("False"));
        QCOMPARE(stored(QStringLiteral("ItemHelpWindow_Checked")), QStringLiteral("False"));
        QCOMPARE(stored(QStringLiteral("SWFWidth")).size(), 6);

        StyleDocument document;

        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QCOMPARE(form.geometry(), QRect(40, 30, 700, 500));
        QVERIFY(form.statusBar()->isHidden());
        QVERIFY(!form.fullPathAction()->isChecked());
        QCOMPARE(form.stateStore()->readStoredValue(QStringLiteral("SWFWidth")),
                 QVariant(QStringLiteral("640")));
    }

    void maximizedWindowComesBackMaximized()
    {
        {
            StyleDocument document;
            MainWindow form(document, m_appDir->dir(), {});
            form.show();
            form.setGeometry(40, 30, 700, 500);
            form.showMaximized();
            QVERIFY(form.close());
        }
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QVERIFY(form.isMaximized());
        form.showNormal();
        QTRY_COMPARE(form.geometry(), QRect(40, 30, 700, 500));
    }

    void gridLayoutComesBack()
    {
        QList<int> widths;
        {
            StyleDocument document;
            MainWindow form(document, m_appDir->dir(), {});
            form.show();
            ProfileGrid *grid = form.profileGrid();
            grid->header()->resizeSection(ProfileGridModel::ParameterColumn,
                                          120); // as a drag of the edge does
            widths = grid->columnWidths();
            QCOMPARE(widths.first(), 120);
            grid->collapse(grid->model()->index(0, 0));
            QCOMPARE(grid->collapsedSections(), QStringList{QStringLiteral("Axes")});
            QVERIFY(form.close());
        }
        QCOMPARE(stored(QStringLiteral("GridCollapsedSections")), QStringLiteral("Axes"));
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QCOMPARE(form.profileGrid()->columnWidths(), widths);
        QCOMPARE(form.profileGrid()->collapsedSections(), QStringList{QStringLiteral("Axes")});
    }

    void previewPanelWidthComesBackUntilTheMovieWidthChanges()
    {
        {
            StyleDocument document;
            MainWindow form(document, m_appDir->dir(), {});
            form.show();
            QTRY_VERIFY(!form.openTimer()
                                 .isActive()); // the start-up refresh fitted the panel to the movie
            QCOMPARE(form.playerPanel()->width(), 404);
            auto *splitter = form.findChild<QSplitter *>(QStringLiteral("PreviewSplitter"));
            QVERIFY(splitter);
            const QList<int> sizes = splitter->sizes();
            splitter->setSizes({sizes.at(0) + 154, 250}); // as a drag of the handle does
            QVERIFY(form.close());
        }
        QCOMPARE(stored(QStringLiteral("PreviewPanelWidth")), QStringLiteral("250"));

        StyleDocument document;

        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QTRY_VERIFY(!form.openTimer().isActive());
        QCOMPARE(form.playerPanel()->width(), 250);
        form.refreshPreview(); // the same movie keeps the user's width
        QCOMPARE(form.playerPanel()->width(), 250);
        form.stateStore()->writeStoredValue(QStringLiteral("SWFWidth"), 300);
        form.refreshPreview(); // another movie width fits the panel again
        QCOMPARE(form.playerPanel()->width(), 304);
    }

    // Dragging the splitter to the window's edge leaves a narrow preview, never
    // none; it comes back so at the next start, and Options, OK fits it to the
    // movie again.
    void previewPanelNeverCollapses()
    {
        {
            StyleDocument document;
            MainWindow form(document, m_appDir->dir(), {});
            form.show();
            QTRY_VERIFY(!form.openTimer().isActive());
            auto *splitter = form.findChild<QSplitter *>(QStringLiteral("PreviewSplitter"));
            QVERIFY(splitter);
            QSplitterHandle *handle = splitter->handle(1);
            const QPoint grip = handle->rect().center();
            const QPoint beyondTheEdge = grip + QPoint(form.width(), 0);
            QTest::mousePress(handle, Qt::LeftButton, {}, grip);
            QTest::mouseMove(handle, beyondTheEdge);
            QTest::mouseRelease(handle, Qt::LeftButton, {}, beyondTheEdge);
            QCOMPARE(form.playerPanel()->width(), 100);
            QVERIFY(form.close());
        }
        QCOMPARE(stored(QStringLiteral("PreviewPanelWidth")), QStringLiteral("100"));

        StyleDocument document;

        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QTRY_VERIFY(!form.openTimer().isActive());
        QCOMPARE(form.playerPanel()->width(), 100);
        bool accepted = false;
        QTimer::singleShot(0, &form, [&accepted] {
            if (auto *options = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget())) {
                options->findChild<QPushButton *>(QStringLiteral("OK"))->click();
                accepted = true;
            }
        });
        form.optionsAction()->trigger();
        QVERIFY(accepted);
        QCOMPARE(form.playerPanel()->width(), 404);
    }

    // A stored width the splitter could not have left is not taken: the start-up
    // refresh fits the panel to the movie.
    void storedPanelWidthOutOfRangeIsIgnored_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("collapsed") << QStringLiteral("0");
        QTest::newRow("negative") << QStringLiteral("-20");
        QTest::newRow("narrower than the splitter allows") << QStringLiteral("99");
        QTest::newRow("beyond an int") << QStringLiteral("99999999999");
        QTest::newRow("no number") << QStringLiteral("wide");
    }

    void storedPanelWidthOutOfRangeIsIgnored()
    {
        QFETCH(QString, text);
        QSettings(m_appDir->settingsPath(), QSettings::IniFormat)
                .setValue(QStringLiteral("SOFTWARE/Melbrin/TrevixStyleEditor/PreviewPanelWidth"),
                          text);
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QTRY_VERIFY(!form.openTimer().isActive());
        QCOMPARE(form.playerPanel()->width(), 404);
    }

    // A stored size that is no number plays at the default size: Save writes
    // the file, says nothing and leaves the document unmodified, so closing
    // asks nothing.
    void sizeThatIsNoNumberLetsSaveBeASave()
    {
        const QString styleFile = m_appDir->path(QStringLiteral("blue.stl"));
        {
            QFile file(m_appDir->settingsPath());
            QVERIFY(QDir().mkpath(QFileInfo(file).path()));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[SOFTWARE]\nMelbrin\\TrevixStyleEditor\\SWFWidth="
                       + StoredValueScrambler::scramble(QStringLiteral("wide"),
                                                        QStringLiteral("Brosendaw"))
                                 .toLatin1()
                       + '\n');
            QFile style(styleFile);
            QVERIFY(style.open(QIODevice::WriteOnly));
            style.write("&titleText=Blue\r\n");
        }
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {styleFile});
        TestPrompts prompts;
        form.documentCommands().setPrompts(prompts);
        form.show();
        QTRY_COMPARE(form.document().fileName(), styleFile);
        QCOMPARE(form.player()->size(), QSize(400, 300));
        ParameterTable &table = form.document().table();
        table.setValue(table.indexOfKey(QStringLiteral("titleText")), QStringLiteral("Red"));
        QVERIFY(form.document().isModified());
        form.saveAction()->trigger();
        QFile saved(styleFile);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("&titleText=Red\r\n"));
        QVERIFY(!form.document().isModified());
        QVERIFY(form.close());
        QVERIFY(prompts.asked.isEmpty());
    }
};

QTEST_MAIN(tst_MainWindowSettings)
#include "tst_mainwindowsettings.moc"
