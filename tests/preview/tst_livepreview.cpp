#include "app/TestGrid.h"
#include "app/ErrorReport.h"
#include "app/TMainForm.h"
#include "params/ProfileGrid.h"
#include "params/ProfileGridModel.h"
#include "params/ProfileGridProxy.h"
#include "preview/TShockwaveFlash.h"
#include "settings/SettingsBackingStore.h"
#include "support/PreviewAppDir.h"

#include <QLineEdit>
#include <QTest>

// The whole road of an edit with the real player offscreen: the editor
// starts on a style, the preview shows its background colour; a colour
// typed into the grid reaches the preview.
class tst_LivePreview : public QObject
{
    Q_OBJECT

private:
    QStringList m_reported;

    static QRgb previewCorner(TMainForm &form) { return form.ShockwaveFlash()->grab().toImage().pixel(6, 6); }


private slots:
    void initTestCase()
    {
        ErrorReport::setHandler([this](const QString &m) { m_reported << m; });
    }

    void typedColourReachesThePreview()
    {
        PreviewAppDir dir("&bgColor=0x123456\r\n&titleText=Live\r\n&animation=0\r\n");
        SettingsBackingStore::setUserFilePath(dir.path() + QStringLiteral("TrevixStyleEditor.conf"));
        TMainForm form(dir.path(), {});
        form.show();
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(form), QColor(0x12, 0x34, 0x56).rgb(), 30000);

        ProfileGrid *grid = form.ProfileGridView();
        grid->setCurrentIndex(valueIndexOf(form, QStringLiteral("bgColor"))); // opens the cell's editor
        auto *editor = grid->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("0xC0FFEE"));
        QTest::keyClick(editor, Qt::Key_Return);
        // The grid commits the typed text from the event loop.
        QTRY_COMPARE(valueIndexOf(form, QStringLiteral("bgColor")).data().toString(), QStringLiteral("0xC0FFEE"));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(form), QColor(0xC0, 0xFF, 0xEE).rgb(), 20000);
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
        SettingsBackingStore::setUserFilePath(QString());
    }
};

QTEST_MAIN(tst_LivePreview)
#include "tst_livepreview.moc"
