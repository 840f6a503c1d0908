#include "preview/WebPreviewEngine.h"

#include "preview/WebPreviewView.h"

#include <QQuickWindow>

namespace {

// The web engine takes its switches from this variable when it starts, which
// is when the first view is made.
const char SwitchesVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";

// Ruffle is a 14 MB WebAssembly module of which a chart uses a small part:
// compiling each function at its first call, and with the baseline compiler
// only, shows the first frame a second or more sooner and halves the page's
// memory. Sound plays from the editor's process instead of a process of its own.
//
// The ways out of the preview page that are no URL requests (those the
// profile's interceptor checks): WebRTC sends no UDP but through a proxy, and
// every connection the engine opens by itself goes to a proxy that is no
// proxy, a closed port on this machine (loopback addresses too); WebTransport,
// QUIC over UDP, is not offered.
const char Switches[] = "--js-flags=\"--wasm-lazy-compilation --liftoff-only\" "
                        "--disable-features=AudioServiceOutOfProcess "
                        "--force-webrtc-ip-handling-policy=disable_non_proxied_udp "
                        "--proxy-server=socks5://127.0.0.1:1 --proxy-bypass-list=<-loopback> "
                        "--disable-blink-features=WebTransport";

} // namespace

WebPreviewEngine::WebPreviewEngine()
{
    // Switches the user gives come after these, so theirs hold.
    QByteArray switches = Switches;
    const QByteArray users = qgetenv(SwitchesVariable);
    if (!users.isEmpty())
        switches += ' ' + users;
    qputenv(SwitchesVariable, switches);
    // A chart draws little: the page is composed in software, which needs no
    // OpenGL driver in the editor's process and keeps the main window a plain
    // raster window when the view joins it.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

std::unique_ptr<PreviewView> WebPreviewEngine::createView(const Page &page, QWidget *parent)
{
    return std::make_unique<WebPreviewView>(page, parent);
}
