#include "app/ComparePanel.h"
#include "app/DocumentCommands.h"
#include "app/MainWindow.h"
#include "app/ValueHistory.h"
#include "base/SystemText.h"
#include "style/StyleComparison.h"
#include "support/AppDirTestCase.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

// File, Compare with...: the panel of differences, Take and Take all, and
// undoing them, through the main window.
class tst_MainWindowCompare : public AppDirTestCase
{
    Q_OBJECT

private:
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static QStringList rows(MainWindow &form)
    {
        QStringList out;
        const QAbstractItemModel *model = form.comparePanel()->view()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            out << QStringLiteral("%1|%2|%3")
                            .arg(model->index(row, StyleComparison::ParameterColumn)
                                         .data()
                                         .toString(),
                                 model->index(row, StyleComparison::ThisColumn).data().toString(),
                                 model->index(row, StyleComparison::ThatColumn).data().toString());
        }
        return out;
    }
    static int rowOf(MainWindow &form, const QString &caption)
    {
        const QAbstractItemModel *model = form.comparePanel()->view()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, StyleComparison::ParameterColumn).data().toString() == caption)
                return row;
        }
        return -1;
    }
    // style.txt holds the document's values as Save writes them.
    static QByteArray tableAsWritten(MainWindow &form)
    {
        QByteArray lines;
        const ParameterTable &table = form.document().table();
        for (int i = 0; i < table.count(); ++i) {
            if (!table.record(i).value().trimmed().isEmpty())
                lines += SystemText::encode("&" + table.record(i).name() + "="
                                            + table.record(i).value())
                         + "\r\n";
        }
        return lines;
    }

private slots:

    void sequences_data()
    {
        QTest::addColumn<QStringList>(
                "steps"); // "take <caption>", "take all", "undo", "redo", "edit <key>=<value>"
        QTest::addColumn<QStringList>("rows"); // "caption|this|that"
        QTest::addColumn<int>("undoSteps");

        const QString text = QStringLiteral("Title text|Mine|Theirs");
        const QString color = QStringLiteral("Title color|0x112233|0xAABBCC");
        const QString font = QStringLiteral("Legend font||Serif");
        QTest::newRow("compared") << QStringList{} << QStringList{text, color, font} << 0;
        QTest::newRow("take one") << QStringList{"take Title color"} << QStringList{text, font}
                                  << 1;
        QTest::newRow("take a value the document lacks")
                << QStringList{"take Legend font"} << QStringList{text, color} << 1;
        QTest::newRow("take, undo")
                << QStringList{"take Title color", "undo"} << QStringList{text, color, font} << 0;
        QTest::newRow("take, undo, redo")
                << QStringList{"take Title color", "undo", "redo"} << QStringList{text, font} << 1;
        QTest::newRow("take two, undo one")
                << QStringList{"take Title text", "take Legend font", "undo"}
                << QStringList{color, font} << 1;
        QTest::newRow("take all") << QStringList{"take all"} << QStringList{} << 1;
        QTest::newRow("take all is one step")
                << QStringList{"take all", "undo"} << QStringList{text, color, font} << 0;
        QTest::newRow("take all, undo, redo")
                << QStringList{"take all", "undo", "redo"} << QStringList{} << 1;
        QTest::newRow("an edit makes a value equal")
                << QStringList{"edit titleText=Theirs"} << QStringList{color, font} << 1;
        QTest::newRow("an edit makes a difference")
                << QStringList{"edit margin=20"} << QStringList{"Margin|20|10", text, color, font}
                << 1;
    }

    void sequences()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, rows);
        QFETCH(int, undoSteps);

        StyleDocument document;

        MainWindow form(document, m_appDir->dir(), {});
        TestPrompts prompts;
        form.documentCommands().setPrompts(prompts);
        form.show();
        form.documentCommands().openStyleFile(
                m_appDir->write(QStringLiteral("mine.stl"),
                                "&titleText=Mine\r\n&titleColor=0x112233\r\n&margin=10\r\n"));
        prompts.openName = m_appDir->write(
                QStringLiteral("theirs.stl"),
                "&titleText=Theirs\r\n&titleColor=0xAABBCC\r\n&margin=10\r\n&legendFont=Serif\r\n");
        form.compareAction()->trigger();
        QCOMPARE(prompts.openDialogs, 1);
        QVERIFY(form.comparePanel()->isVisible());
        QCOMPARE(form.comparePanel()->windowTitle(), QStringLiteral("Compare with theirs.stl"));

        QSignalSpy refreshes(&form.document(), &StyleDocument::refreshRequested);
        for (const QString &step : std::as_const(steps)) {
            if (step == QLatin1String("take all")) {
                form.comparePanel()->takeAllButton()->click();
            } else if (step.startsWith(QLatin1String("take "))) {
                const int row = rowOf(form, step.mid(5));
                QVERIFY(row >= 0);
                QToolButton *take = form.comparePanel()->takeButton(row);
                QVERIFY(take && take->isVisible());
                take->click();
            } else if (step == QLatin1String("undo")) {
                form.history()->undoAction()->trigger();
            } else if (step == QLatin1String("redo")) {
                form.history()->redoAction()->trigger();
            } else {
                const QStringList edit = step.mid(5).split(u'=');
                ParameterTable &table = form.document().table();
                for (int i = 0; i < table.count(); ++i) {
                    if (table.record(i).name() == edit[0]) {
                        table.setValue(i, edit[1]);
                    }
                }
            }
        }
        QCOMPARE(this->rows(form), rows);
        QCOMPARE(form.history()->stack()->index(), undoSteps);
        // Every row still has its own working Take button.
        for (int row = 0; row < rows.size(); ++row)
            QVERIFY(form.comparePanel()->takeButton(row));
        QCOMPARE(form.comparePanel()->takeAllButton()->isEnabled(), !rows.isEmpty());
        if (!steps.isEmpty()) {
            QVERIFY(!refreshes.isEmpty());
            QVERIFY(form.document().isModified());
        }
        QCOMPARE(readFile(form.document().styleTxtPath()), tableAsWritten(form));
    }

    // The values are drawn as the grid draws them: a colour as its swatch.
    void valuesAreDrawnAsInTheGrid()
    {
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.documentCommands().openStyleFile(
                m_appDir->write(QStringLiteral("mine.stl"), "&titleColor=0x112233\r\n"));
        form.documentCommands().compareRequested(
                m_appDir->write(QStringLiteral("theirs.stl"), "&titleColor=0xAABBCC\r\n"));
        const int row = rowOf(form, QStringLiteral("Title color"));
        QTreeView *view = form.comparePanel()->view();
        const auto shows = [&](int column, QRgb colour) {
            const QImage cell = view->viewport()
                                        ->grab(view->visualRect(view->model()->index(row, column)))
                                        .toImage();
            for (int y = 0; y < cell.height(); ++y) {
                for (int x = 0; x < cell.width(); ++x) {
                    if ((cell.pixel(x, y) & 0xFFFFFF) == colour)
                        return true;
                }
            }
            return false;
        };
        QVERIFY(shows(StyleComparison::ThisColumn, 0x112233));
        QVERIFY(shows(StyleComparison::ThatColumn, 0xAABBCC));
        QVERIFY(!shows(StyleComparison::ThisColumn, 0xAABBCC));
    }

    void aFileThatCannotBeReadIsReported()
    {
        StyleDocument document;
        MainWindow form(document, m_appDir->dir(), {});
        TestPrompts prompts;
        form.documentCommands().setPrompts(prompts);
        form.show();
        prompts.openName = m_appDir->path(QStringLiteral("none.stl"));
        form.compareAction()->trigger();
        QCOMPARE(m_errors.take(), QStringList{"Cannot open file " + prompts.openName + "."});
        QVERIFY(!form.comparePanel()->isVisible());
    }
};

QTEST_MAIN(tst_MainWindowCompare)
#include "tst_mainwindowcompare.moc"
