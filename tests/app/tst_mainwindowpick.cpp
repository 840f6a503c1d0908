#include "app/MainWindow.h"
#include "editors/ProfileGrid.h"
#include "editors/ProfilePanel.h"
#include "params/ParameterTable.h"
#include "params/ProfileGridModel.h"
#include "preview/FlashPlayerView.h"
#include "settings/SettingsBackingStore.h"
#include "support/ChartPixels.h"
#include "support/PreviewAppDir.h"
#include "support/PreviewCorner.h"
#include "support/ReportedErrors.h"
#include "support/WindowUnderTest.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include <memory>

// Clicking the chart in the real main window, with the real player
// offscreen: while "Pick in preview" is on, a click on an element selects
// the parameter that styles it and highlights the others that do; while it
// is off, clicks select nothing. The switch is kept like the other view
// switches.
class tst_MainWindowPick : public QObject
{
    Q_OBJECT

private:
    // Each element in a colour of its own, on a background that tells the chart is on show.
    static constexpr QRgb Background = 0xFFE8F0E0;
    static constexpr QRgb TitleColour = 0xC00000;
    static constexpr QRgb LegendColour = 0x00FFFF;

    std::unique_ptr<PreviewAppDir> m_dir;
    WindowUnderTest m_form;
    ReportedErrors m_errors;

    QString settingsPath() const
    {
        return m_dir->path() + QStringLiteral("TrevixStyleEditor.conf");
    }

    int recordOf(const QString &key) const { return m_form->document().table().indexOfKey(key); }

    QStringList highlightedKeys() const
    {
        QStringList keys;
        const ProfileGridModel *model = m_form->profileGrid()->gridModel();
        const ParameterTable &table = m_form->document().table();
        for (int i = 0; i < table.count(); ++i) {
            if (model->indexOfRecord(i).data(ProfileGridModel::HighlightRole).toBool())
                keys << table.record(i).name();
        }
        return keys;
    }

    void startForm()
    {
        m_form.open(m_dir->path(), QStringList());
        m_form->show();
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_form->player()), Background, 30000);
    }

    QPoint pointOf(QRgb colour, ChartPixels::Where where) const
    {
        const std::optional<QPoint> at = ChartPixels::find(m_form->player()->frame(), colour, where);
        return at ? *at : QPoint(-1, -1);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<PreviewAppDir>(
                "&bgColor=0xE8F0E0\r\n&animation=0\r\n&shadow=0\r\n&titleText=Sales "
                "2026\r\n&titleColor=0xC00000\r\n"
                "&legendBg=0x00FFFF\r\n&legendPos=right\r\n");
        SettingsBackingStore::setUserFilePath(settingsPath());
    }

    void cleanup()
    {
        m_form.reset();
        SettingsBackingStore::setUserFilePath(QString());
        m_errors.verifyNoneShown();
    }

    void clickSelectsTheParameterOfWhatWasClicked_data()
    {
        QTest::addColumn<QRgb>("colour");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("highlighted");
        QTest::newRow("title") << TitleColour << QStringLiteral("titleText")
                               << QStringLiteral("Title : Title text = Sales 2026")
                               << QStringList{"titleFont", "titleSize", "titleColor", "titleStyle",
                                              "titleAlign"};
        QTest::newRow("legend") << LegendColour << QStringLiteral("legendPos")
                                << QStringLiteral("Legend : Legend position = right")
                                << QStringList{"legendShow", "legendFont", "legendSize",
                                               "legendColor", "legendBg"};
    }

    void clickSelectsTheParameterOfWhatWasClicked()
    {
        QFETCH(QRgb, colour);
        QFETCH(QString, selected);
        QFETCH(QString, status);
        QFETCH(QStringList, highlighted);
        startForm();
        m_form->pickInPreviewAction()->trigger();
        QVERIFY(m_form->player()->picking());
        // The parameter is out of sight: filtered out and elsewhere than the current row.
        ProfilePanel *panel = m_form->profilePanel();
        ProfileGrid *grid = m_form->profileGrid();
        grid->setCurrentRecord(recordOf(QStringLiteral("bgColor")));
        panel->filterBox()->setText(QStringLiteral("margin"));
        // Until the movie loaded to pick is on show, clicks reach the one before.
        const QPoint at = pointOf(colour, ChartPixels::Topmost) + QPoint(2, 2);
        QElapsedTimer waited;
        waited.start();
        while (grid->currentRecord() != recordOf(selected) && waited.elapsed() < 60000) {
            ChartPixels::click(at);
            QTest::qWait(200);
        }
        QCOMPARE(grid->currentRecord(), recordOf(selected));
        QVERIFY(panel->filterBox()->text().isEmpty());
        QVERIFY(grid->viewport()->rect().intersects(grid->visualRect(grid->currentIndex())));
        QCOMPARE(m_form->statusPanel(1)->text(), status);
        QCOMPARE(highlightedKeys(), highlighted);

        // Picking ends: the highlight goes, the selection stays.
        m_form->pickInPreviewAction()->trigger();
        QVERIFY(!m_form->player()->picking());
        QVERIFY(highlightedKeys().isEmpty());
        QCOMPARE(grid->currentRecord(), recordOf(selected));
    }

    // Clicks while the switch is off select nothing; the same click selects
    // once it is on, so the one before would have been reported by then.
    void clicksSelectNothingWhilePickingIsOff()
    {
        startForm();
        QVERIFY(!m_form->pickInPreviewAction()->isChecked());
        ProfileGrid *grid = m_form->profileGrid();
        grid->setCurrentRecord(recordOf(QStringLiteral("bgColor")));
        QSignalSpy moves(grid, &ProfileGrid::currentRecordChanged);
        const QPoint title = pointOf(TitleColour, ChartPixels::Topmost) + QPoint(2, 2);
        ChartPixels::click(title);
        const QPoint subtitle = pointOf(TitleColour, ChartPixels::Bottommost);
        m_form->pickInPreviewAction()->trigger();
        QElapsedTimer waited;
        waited.start();
        while (moves.isEmpty() && waited.elapsed() < 60000) {
            ChartPixels::click(subtitle);
            QTest::qWait(200);
        }
        QCOMPARE(moves.size(), 1);
        QCOMPARE(moves.at(0).at(0).toInt(), recordOf(QStringLiteral("subtitleText")));
    }

    void pickInPreviewIsAViewSwitchThatIsKept()
    {
        startForm();
        QVERIFY(m_form->viewMenu()->actions().contains(m_form->pickInPreviewAction()));
        QVERIFY(m_form->toolBar()->actions().contains(m_form->pickInPreviewAction()));
        QVERIFY(!m_form->pickInPreviewAction()->isChecked());
        m_form->pickInPreviewAction()->trigger();
        QVERIFY(m_form->close());
        m_form.reset();
        QCOMPARE(QSettings(settingsPath(), QSettings::IniFormat)
                         .value(QStringLiteral(
                                 "SOFTWARE/Melbrin/TrevixStyleEditor/ItemPickInPreview_Checked"))
                         .toString(),
                 QStringLiteral("True"));
        startForm();
        QVERIFY(m_form->pickInPreviewAction()->isChecked());
        QVERIFY(m_form->player()->picking());
        // The movie was loaded to pick from the start.
        QSignalSpy picked(m_form->player(), &FlashPlayerView::picked);
        ChartPixels::click(pointOf(TitleColour, ChartPixels::Topmost) + QPoint(2, 2));
        QTRY_COMPARE_WITH_TIMEOUT(picked.size(), 1, 10000);
    }
};

QTEST_MAIN(tst_MainWindowPick)
#include "tst_mainwindowpick.moc"
