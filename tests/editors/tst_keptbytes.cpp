#include "base/SystemText.h"
#include "editors/KeptByteText.h"
#include "editors/ProfileGrid.h"
#include "params/ParameterTable.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

// Bytes of a profile or style file that are not UTF-8, as the grid shows and
// edits them.
class tst_KeptBytes : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParameterTable> m_table;
    std::unique_ptr<ProfileGridModel> m_model;
    std::unique_ptr<ProfileGrid> m_grid;

    void show(const QByteArray &caption, const QByteArray &value)
    {
        m_table = std::make_unique<ParameterTable>();
        ParameterRecord record;
        record.setId(1);
        record.setGroup(QStringLiteral("Chart"));
        record.setName(QStringLiteral("title"));
        record.setCaption(SystemText::decode(caption));
        record.setValue(SystemText::decode(value));
        m_table->append(record);
        m_model = std::make_unique<ProfileGridModel>(m_table.get());
        m_grid = std::make_unique<ProfileGrid>(m_model.get());
        m_grid->resize(500, 200);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    }

    QModelIndex cell(int column) const
    {
        const QAbstractItemModel *shown = m_grid->model();
        return shown->index(0, column, shown->index(0, 0));
    }

    // Whether the cell, as painted, holds a box of the text colour as high as
    // the line: a glyph alone is never that high.
    bool showsABox(int column) const
    {
        const QImage image = m_grid->viewport()->grab().toImage();
        const QRect rect = m_grid->visualRect(cell(column));
        const QRgb ink = m_grid->palette().color(QPalette::Text).rgb();
        const int lineHeight = m_grid->fontMetrics().height();
        for (int x = rect.left(); x <= rect.right(); ++x) {
            int run = 0;
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                run = image.pixel(x, y) == ink ? run + 1 : 0;
                if (run >= lineHeight - 1)
                    return true;
            }
        }
        return false;
    }

private slots:
    void cleanup()
    {
        m_grid.reset();
        m_model.reset();
        m_table.reset();
    }

    void shown_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("marks"); // start and length of each marked range

        QTest::newRow("Windows-1252 letter")
                << QByteArray("f\xFCr") << QStringLiteral("f\u00FCr") << QList<int>{1, 1};
        QTest::newRow("Windows-1252 signs")
                << QByteArray("\x80\x9F\xA9") << QStringLiteral("\u20AC\u0178\u00A9")
                << QList<int>{0, 1, 1, 1, 2, 1};
        QTest::newRow("byte Windows-1252 leaves undefined")
                << QByteArray("a\x8D"
                              "b")
                << QStringLiteral("a8Db") << QList<int>{1, 2};
        QTest::newRow("valid UTF-8 is not marked")
                << QByteArray("f\xC3\xBCr") << QStringLiteral("f\u00FCr") << QList<int>{};
    }

    void shown()
    {
        QFETCH(QByteArray, bytes);
        QList<QTextLayout::FormatRange> ranges;
        QTEST(KeptByteText::shown(SystemText::decode(bytes), &ranges), "shown");
        QList<int> marks;
        for (const QTextLayout::FormatRange &range : ranges)
            marks << range.start << range.length;
        QTEST(marks, "marks");
    }

    void gridMarksKeptBytes_data()
    {
        QTest::addColumn<QByteArray>("caption");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("captionBox");
        QTest::addColumn<bool>("valueBox");
        QTest::newRow("kept byte in the value")
                << QByteArray("Title") << QByteArray("f\xFCr") << false << true;
        QTest::newRow("kept byte in the caption")
                << QByteArray("Titel f\xFCr") << QByteArray("f\xC3\xBCr") << true << false;
    }

    void gridMarksKeptBytes()
    {
        QFETCH(QByteArray, caption);
        QFETCH(QByteArray, value);
        show(caption, value);
        QTEST(showsABox(ProfileGridModel::ParameterColumn), "captionBox");
        QTEST(showsABox(ProfileGridModel::ValueColumn), "valueBox");
    }

    // The in-place editor hands back the kept bytes it was given.
    void inPlaceEditKeepsKeptBytes()
    {
        show("Title", "f\xFCr \x80");
        m_grid->setCurrentIndex(cell(ProfileGridModel::ValueColumn)); // opens the editor
        auto *editor = m_grid->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTRY_VERIFY(editor->isVisible());
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, QStringLiteral("5"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(SystemText::encode(m_table->record(0).value()), QByteArray("f\xFCr \x80"
                                                                                "5"));
    }
};

QTEST_MAIN(tst_KeptBytes)
#include "tst_keptbytes.moc"
