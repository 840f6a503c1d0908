#include "app/ComparePanel.h"
#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/ProblemsPanel.h"
#include "app/StartupPreparation.h"
#include "app/TrevixApplication.h"
#include "app/ValueHistory.h"
#include "editors/ProfileGrid.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"
#include "preview/FlashPlayerView.h"
#include "support/ReportedErrors.h"
#include "support/TestAppDir.h"
#include "support/TestGrid.h"
#include "support/TestPrompts.h"
#include "support/WindowUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

// The main window started on a copy of the sample files in a temporary
// application folder; errors are recorded instead of shown.
class tst_MainWindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestAppDir> m_dir;
    std::unique_ptr<ReportedErrors> m_reported;

    QString appFile(const QString &name) const { return m_dir->path(name); }

    QByteArray readFile(const QString &name) const
    {
        QFile file(appFile(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<TestAppDir>();
        m_reported = std::make_unique<ReportedErrors>();
    }

    void cleanup()
    {
        m_reported.reset();
        m_dir.reset();
    }

    void startsUntitledOnTheSample()
    {
        StyleDocument document;
        MainWindow form(document, m_dir->dir(), {});
        QVERIFY(m_reported->isEmpty());
        QCOMPARE(form.windowTitle(), QStringLiteral("Trevix Style Editor - [Untitled]"));
        QCOMPARE(TrevixApplication::title(), form.windowTitle());
        QVERIFY(!form.document().isModified());
        QVERIFY(form.document().isTableReady());
        QVERIFY(form.document().table().count() >= 30);
        QTRY_COMPARE(form.statusPanel(0)->text(), QString());
        QCOMPARE(form.size(), QSize(700, 400));
        QCOMPARE(form.playerPanel()->width(), 404);
        QVERIFY(form.profileGrid()->isColumnHidden(ProfileGridModel::SectionColumn));
    }

    void startUpFailures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content"); // null: the file is removed
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("tableFilled");

        QTest::newRow("missing profile") << "Style.xml" << QByteArray() << "Cannot open file %1."
                                         << "Trevix Style Editor" << false;
        QTest::newRow("profile with a too long line")
                << "Style.xml" << QByteArray("<r>" + QByteArray(5000, 'x') + "</r>")
                << "Line too long on line 1."
                << "Trevix Style Editor" << false;
        QTest::newRow("missing style.txt") << "style.txt" << QByteArray() << "Cannot open file %1."
                                           << "Trevix Style Editor" << true;
    }

    void startUpFailures()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(QString, title);
        QFETCH(bool, tableFilled);
        QFile::remove(appFile(file));
        if (!content.isNull()) {
            QFile f(appFile(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        StyleDocument document;
        MainWindow form(document, m_dir->dir(), {});
        if (message.contains(QLatin1String("%1")))
            message = message.arg(QDir(m_dir->dir()).absoluteFilePath(file));
        QCOMPARE(m_reported->messages(), QStringList{message});
        QCOMPARE(form.windowTitle(), title);
        QCOMPARE(form.document().table().count() > 0, tableFilled);
        QCOMPARE(form.document().isTableReady(), tableFilled);
        // With the profile's defaults posted and not cleared, the document counts as modified.
        QCOMPARE(form.document().isModified(), tableFilled);
        if (tableFilled)
            QTRY_COMPARE(form.statusPanel(0)->text(), QStringLiteral("Modified"));
    }

    void typedValueRewritesStyleTxtAndSurvivesARestart()
    {
        {
            StyleDocument document;
            MainWindow form(document, m_dir->dir(), {});
            ProfileGrid *grid = form.profileGrid();
            const QModelIndex value = valueIndexOf(form, QStringLiteral("titleText"));
            QVERIFY(value.isValid());
            grid->setCurrentIndex(value);
            QVERIFY(grid->model()->setData(value, QStringLiteral("Revenue")));
            QVERIFY(form.document().isModified());
            QTRY_COMPARE(form.statusPanel(0)->text(), QStringLiteral("Modified"));
            QCOMPARE(form.statusPanel(1)->text(), QStringLiteral("Title : Title text = Revenue"));
            const QByteArray written = readFile(QStringLiteral("style.txt"));
            QVERIFY(written.contains("\r\n&titleText=Revenue\r\n"));
            QVERIFY(!written.contains("&yMin=")); // parameters without a value get no line
            QVERIFY(!QByteArray(written).replace("\r\n", "").contains('\n'));
        }
        StyleDocument againDocument;
        MainWindow again(againDocument, m_dir->dir(), {});
        QCOMPARE(valueIndexOf(again, QStringLiteral("titleText")).data().toString(),
                 QStringLiteral("Revenue"));
        QVERIFY(!again.document().isModified());
    }

    void statusPanelFollowsTheFocusedRow()
    {
        StyleDocument document;
        MainWindow form(document, m_dir->dir(), {});
        ProfileGrid *grid = form.profileGrid();
        grid->setCurrentIndex(valueIndexOf(form, QStringLiteral("yMin")).siblingAtColumn(0));
        QCOMPARE(form.statusPanel(1)->text(), QStringLiteral("Axes : Value axis minimum = "));
        grid->setCurrentIndex(valueIndexOf(form, QStringLiteral("bgColor")).siblingAtColumn(0));
        QCOMPARE(form.statusPanel(1)->text(),
                 QStringLiteral("Chart : Background color = 0xFFFFFF"));
        QCOMPARE(form.document().table().current().name(), QStringLiteral("bgColor"));
    }

    void titleFollowsFullPathSwitch()
    {
        StyleDocument document;
        MainWindow form(document, m_dir->dir(), {});
        form.document().setFileName(QStringLiteral("/styles/blue.stl"));
        form.updateTitle();
        QCOMPARE(form.windowTitle(), QStringLiteral("Trevix Style Editor - [/styles/blue.stl]"));
        form.fullPathAction()->trigger();
        QCOMPARE(form.windowTitle(), QStringLiteral("Trevix Style Editor - [blue.stl]"));
        form.fullPathAction()->trigger();
        QCOMPARE(form.windowTitle(), QStringLiteral("Trevix Style Editor - [/styles/blue.stl]"));
    }

    void documentStateTexts_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("text");
        QTest::newRow("untitled, unchanged") << "" << false << "";
        QTest::newRow("untitled, changed") << "" << true << "Modified";
        QTest::newRow("titled, unchanged") << "/a.stl" << false << "Saved";
        QTest::newRow("titled, changed") << "/a.stl" << true << "Modified";
    }

    void documentStateTexts()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, modified);
        QFETCH(QString, text);
        StyleDocument document;
        MainWindow form(document, m_dir->dir(), {});
        form.document().setFileName(fileName);
        form.document().setModified(modified);
        QTRY_COMPARE(form.statusPanel(0)->text(), text);
    }

    void statusBarSwitch()
    {
        StyleDocument document;
        MainWindow form(document, m_dir->dir(), {});
        form.show();
        form.statusBarAction()->trigger();
        QVERIFY(form.statusBar()->isHidden());
        form.statusBarAction()->setChecked(
                true); // the menu's check mark is set again from the bar on opening
        emit form.viewMenu()->aboutToShow();
        QVERIFY(!form.statusBarAction()->isChecked());
    }

    void firstShowRefreshesThePreview()
    {
        StyleDocument document;
        MainWindow form(document, m_dir->dir(), {});
        QVERIFY(form.player()->movie().isEmpty());
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QString expected = QDir(m_dir->dir()).absolutePath() + QStringLiteral("/trevix.swf");
        QTRY_COMPARE(form.player()->movie(), expected);
        QCOMPARE(form.player()->flashVars(), QStringLiteral("datafile=data.txt"));
        QCOMPARE(form.player()->size(), QSize(400, 300));
        QCOMPARE(form.playerPanel()->width(), 404);
        QCOMPARE(QApplication::focusWidget(), form.profileGrid());
    }

    // The views and models read the table while they are torn down: the document goes last.
    void documentOutlivesItsViews()
    {
        WindowUnderTest form(m_dir->dir(), QStringList());
        form->show();
        QStringList goneAfterTheTable;
        bool tableGone = false;
        connect(&form->document().table(), &QObject::destroyed, this, [&] { tableGone = true; });
        const QList<QObject *> readers = {form->profileGrid(),
                                          form->findChild<ProfileGridModel *>(),
                                          form->problemsPanel(), form->comparePanel(),
                                          form->history()};
        for (QObject *reader : readers) {
            connect(reader, &QObject::destroyed, this,
                    [&, name = QString::fromLatin1(reader->metaObject()->className())] {
                        if (tableGone)
                            goneAfterTheTable << name;
                    });
        }
        form.reset();
        QVERIFY(tableGone);
        QVERIFY2(goneAfterTheTable.isEmpty(),
                 qPrintable(goneAfterTheTable.join(QLatin1String(", "))));
    }

    void exitShortcutOutsideTextFields()
    {
        StyleDocument document;
        MainWindow form(document, m_dir->dir(), {});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        ProfileGrid *grid = form.profileGrid();
        const QModelIndex value = valueIndexOf(form, QStringLiteral("titleText"));
        grid->setCurrentIndex(value); // moving onto a value cell opens its editor
        auto *editor = grid->findChild<QLineEdit *>();
        QVERIFY(editor);
        QVERIFY(editor->maxLength() == 20);
        editor->setFocus();
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier); // cut inside the editor
        QVERIFY(form.isVisible());
        QCOMPARE(editor->text(), QString());
        grid->setFocus();
        TestPrompts prompts; // the cut changed the document: closing asks first
        prompts.answer = DocumentPrompts::No;
        form.documentCommands().setPrompts(prompts);
        QTest::keyClick(grid, Qt::Key_X, Qt::ControlModifier);
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(prompts.asked.size(), 1);
    }
};

int main(int argc, char *argv[])
{
    StartupPreparation preparation;
    TrevixApplication app(argc, argv);
    tst_MainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mainwindow.moc"
