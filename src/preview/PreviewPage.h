#pragma once

#include <QWebEnginePage>

#include <functional>

// The web page of the preview, closed in: it shows the one document it was
// given and goes nowhere else (no navigation, form submission or new
// window), its frames never see the WebRTC interfaces, which reach the
// network outside the URL requests the profile checks, and it opens no file
// chooser.
class PreviewPage : public QWebEnginePage
{
    Q_OBJECT

public:
    PreviewPage(QWebEngineProfile *profile, QObject *parent);

    // Takes the messages the page writes to its console at the information level.
    void setReported(std::function<void(const QString &)> reported)
    {
        m_reported = std::move(reported);
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                            const QStringList &acceptedMimeTypes) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceID) override;

private:
    bool m_opened = false;
    std::function<void(const QString &)> m_reported;
};
