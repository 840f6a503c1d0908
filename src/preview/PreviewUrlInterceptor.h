#pragma once

#include <QWebEngineUrlRequestInterceptor>

#include <functional>

// Confines the preview page: every request the check refuses is blocked, so a
// movie can neither read the user's other files nor reach the network.
class PreviewUrlInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    PreviewUrlInterceptor(std::function<bool(const QUrl &)> allows, QObject *parent = nullptr);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    std::function<bool(const QUrl &)> m_allows;
};
