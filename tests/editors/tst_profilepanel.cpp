#include "editors/ProfileGrid.h"
#include "editors/ProfilePanel.h"
#include "params/ParameterTable.h"
#include "params/ProfileGridModel.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <memory>

// The filter box above the grid, driven by the keyboard and its clear button.
class tst_ProfilePanel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParameterTable> m_table;
    std::unique_ptr<ProfileGridModel> m_model;
    std::unique_ptr<ProfilePanel> m_panel;

    QLineEdit *filter() const { return m_panel->filterBox(); }

    // The parameters the grid shows, over all sections.
    int shownParameters() const
    {
        const QAbstractItemModel *shown = m_panel->grid()->model();
        int count = 0;
        for (int row = 0; row < shown->rowCount(); ++row)
            count += shown->rowCount(shown->index(row, 0));
        return count;
    }

    void add(const QString &section, const QString &text)
    {
        ParameterRecord record;
        record.setId(m_table->count() + 1);
        record.setGroup(section);
        record.setName(QStringLiteral("k%1").arg(m_table->count()));
        record.setCaption(text);
        m_table->append(record);
    }

    // Whether every section row the grid shows, as painted, spans the grid.
    bool sectionsSpan() const
    {
        ProfileGrid *grid = m_panel->grid();
        grid->grab();
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            if (!grid->isFirstColumnSpanned(row, {}))
                return false;
        }
        return grid->model()->rowCount() > 0;
    }

private slots:
    void init()
    {
        m_table = std::make_unique<ParameterTable>();
        for (const char *text : {"Axis color", "Axis width", "Background"})
            add(QStringLiteral("Chart"), QLatin1String(text));
        m_model = std::make_unique<ProfileGridModel>(m_table.get());
        m_panel = std::make_unique<ProfilePanel>(m_model.get());
        m_panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    }

    void cleanup()
    {
        m_panel.reset();
        m_model.reset();
        m_table.reset();
    }

    void typedTextFiltersAndEscapeClears()
    {
        QTest::keyClicks(filter(), QStringLiteral("axis"));
        QCOMPARE(shownParameters(), 2);
        QTest::keyClick(filter(), Qt::Key_Escape);
        QVERIFY(filter()->text().isEmpty());
        QCOMPARE(shownParameters(), 3);
    }

    void clearButtonComesWithTextAndClears()
    {
        QTest::keyClicks(filter(), QStringLiteral("back"));
        QCOMPARE(shownParameters(), 1);
        QVERIFY(filter()->isClearButtonEnabled());
        auto *clear = filter()->findChild<QToolButton *>();
        QVERIFY(clear);
        QTRY_VERIFY(clear->isVisible());
        QTest::mouseClick(clear, Qt::LeftButton);
        QVERIFY(filter()->text().isEmpty());
        QCOMPARE(shownParameters(), 3);
    }

    void sectionRowsSpanTheGrid()
    {
        QVERIFY(sectionsSpan());
        // Sections that arrive while the grid shows, many at once as a profile loads.
        for (int i = 0; i < 200; ++i)
            add(QStringLiteral("Section %1").arg(i, 3, 10, QLatin1Char('0')),
                QStringLiteral("Caption %1").arg(i));
        QVERIFY(sectionsSpan());
        // Sections that a filter hides and then gives back.
        QTest::keyClicks(filter(), QStringLiteral("caption 1"));
        QVERIFY(sectionsSpan());
        QTest::keyClick(filter(), Qt::Key_Escape);
        QCOMPARE(m_panel->grid()->model()->rowCount(), 201);
        QVERIFY(sectionsSpan());
    }
};

QTEST_MAIN(tst_ProfilePanel)
#include "tst_profilepanel.moc"
