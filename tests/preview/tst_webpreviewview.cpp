#include "app/MainWindow.h"
#include "base/ErrorReport.h"
#include "preview/FlashPlayerView.h"
#include "settings/SettingsBackingStore.h"
#include "support/PreviewAppDir.h"
#include "support/PreviewCorner.h"
#include "support/WindowUnderTest.h"

#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <qpa/qplatformdrag.h>
#include <qpa/qwindowsysteminterface.h>

// The web view in the editor's main window, on a real X display (the test
// runs under Xvfb): the engine must not make the main window anew, the
// preview shows where the layout puts it, and drags over the preview reach
// the main window.
class tst_WebPreviewView : public QObject
{
    Q_OBJECT

private:
    QStringList m_reported;
    std::unique_ptr<PreviewAppDir> m_dir;
    WindowUnderTest m_form;

    QWidget *preview() const
    {
        return m_form->player()->findChild<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    }

    // What the display shows at a point of the main window.
    QRgb onScreen(const QPoint &inWindow) const
    {
        const QPoint global = m_form->mapToGlobal(inWindow);
        return m_form->screen()->grabWindow(0, global.x(), global.y(), 1, 1).toImage().pixel(0, 0);
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        ErrorReport::setHandler([this](const QString &m) { m_reported << m; });
        m_dir = std::make_unique<PreviewAppDir>("&bgColor=0x123456\r\n&animation=0\r\n");
        SettingsBackingStore::setUserFilePath(m_dir->path()
                                              + QStringLiteral("TrevixStyleEditor.conf"));
        m_form.open(m_dir->path(), QStringList());
    }

    void cleanupTestCase()
    {
        m_form.reset();
        SettingsBackingStore::setUserFilePath(QString());
    }

    void mainWindowKeepsItsNativeWindow()
    {
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        const WId shownId = m_form->winId();
        const QWindow *shownWindow = m_form->windowHandle();
        QVERIFY(!m_form->player()->engineStarted());

        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_form->player()), QColor(0x12, 0x34, 0x56).rgb(),
                                  30000);
        QVERIFY(m_form->player()->engineStarted());
        QCOMPARE(m_form->winId(), shownId);
        QCOMPARE(m_form->windowHandle(), shownWindow);
        QCOMPARE(m_form->windowHandle()->surfaceType(), QSurface::RasterSurface);
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
    }

    void previewShowsWhereTheLayoutPutsIt()
    {
        QWidget *view = preview();
        QVERIFY(view);
        const QPoint before = view->mapTo(m_form.get(), QPoint(0, 0));
        // The user makes the window wider through the window system: the grid
        // takes the room, the preview's panel moves right.
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                                   {QStringLiteral("windowsize"), QString::number(m_form->winId()),
                                    QString::number(m_form->width() + 300),
                                    QString::number(m_form->height())}),
                 0);
        QTRY_VERIFY(view->mapTo(m_form.get(), QPoint(0, 0)) != before);
        // The chart's background is on screen inside the preview's new place,
        // and not where the preview was before.
        const QRgb background = QColor(0x12, 0x34, 0x56).rgb();
        QTRY_COMPARE(onScreen(view->mapTo(m_form.get(), QPoint(6, 6))), background);
        QVERIFY(onScreen(before + QPoint(6, 6)) != background);
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
    }

    void fileDraggedOntoThePreviewOpensInTheEditor()
    {
        const QString file = m_dir->path() + QStringLiteral("dropped.stl");
        QFile style(file);
        QVERIFY(style.open(QIODevice::WriteOnly));
        style.write("&bgColor=0x654321\r\n&animation=0\r\n");
        style.close();
        QWidget *view = preview();
        QVERIFY(view);

        // As the window system hands a drag from another program to the window under the pointer.
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QWindow *window = m_form->windowHandle();
        const QPoint centre = view->mapTo(m_form.get(), view->rect().center());
        const QPlatformDragQtResponse entered
                = QWindowSystemInterface::handleDrag(window, &data, centre, Qt::CopyAction,
                                                     Qt::LeftButton, Qt::NoModifier);
        QVERIFY(entered.isAccepted());
        QWindowSystemInterface::handleDrop(window, &data, centre, Qt::CopyAction, Qt::LeftButton,
                                           Qt::NoModifier);
        QTRY_VERIFY(m_form->windowTitle().contains(QStringLiteral("dropped.stl")));
        QTRY_COMPARE_WITH_TIMEOUT(previewCorner(*m_form->player()), QColor(0x65, 0x43, 0x21).rgb(),
                                  20000);
        QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join('\n')));
    }
};

QTEST_MAIN(tst_WebPreviewView)
#include "tst_webpreviewview.moc"
