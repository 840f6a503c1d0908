#pragma once

#include <QWebEnginePage>

// The web page of the preview, closed in: it shows the one document it was
// given and goes nowhere else (no navigation, form submission or new
// window), and its frames never see the WebRTC interfaces, which reach the
// network outside the URL requests the profile checks.
class PreviewPage : public QWebEnginePage
{
    Q_OBJECT

public:
    PreviewPage(QWebEngineProfile *profile, QObject *parent);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    bool m_opened = false;
};
