#pragma once

#include "preview/PreviewUrlPolicy.h"

#include <QWebEngineUrlRequestInterceptor>

// Confines the preview page: every request the policy does not allow is
// blocked, so a movie can neither read the user's other files nor reach the
// network.
class PreviewUrlInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    PreviewUrlInterceptor(PreviewUrlPolicy policy, QObject *parent = nullptr);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    PreviewUrlPolicy m_policy;
};
