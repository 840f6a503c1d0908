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

PreviewPage::PreviewPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    QWebEngineScript script;
    script.setName(QStringLiteral("withoutWebRtc"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromLatin1(WithoutWebRtc));
    scripts().insert(script);
}

void PreviewPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                           const QString &message, int lineNumber,
                                           const QString &sourceID)
{
    if (level == InfoMessageLevel && m_reported)
        m_reported(message);
    QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}

bool PreviewPage::acceptNavigationRequest(const QUrl &, NavigationType, bool)
{
    // The page's own document is the first load; nothing replaces it.
    if (m_opened)
        return false;
    m_opened = true;
    return true;
}

QStringList PreviewPage::chooseFiles(FileSelectionMode, const QStringList &, const QStringList &)
{
    // The page's own script answers a movie's file dialogs before they get here (see RuffleHostPage).
    return {};
}
