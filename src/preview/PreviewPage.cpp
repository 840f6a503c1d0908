#include "preview/PreviewPage.h"

#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

// Runs in every frame before any of the page's own scripts.
const char WithoutWebRtc[] = R"(
for (const name of ["RTCPeerConnection", "webkitRTCPeerConnection", "RTCDataChannel", "RTCIceTransport",
                    "RTCSctpTransport", "RTCDtlsTransport", "RTCRtpSender", "RTCRtpReceiver"])
    delete window[name];
)";

} // namespace

PreviewPage::PreviewPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent)
{
    QWebEngineScript script;
    script.setName(QStringLiteral("withoutWebRtc"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromLatin1(WithoutWebRtc));
    scripts().insert(script);
}

bool PreviewPage::acceptNavigationRequest(const QUrl &, NavigationType, bool)
{
    // The page's own document is the first load; nothing replaces it.
    if (m_opened)
        return false;
    m_opened = true;
    return true;
}
