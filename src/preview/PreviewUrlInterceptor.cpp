#include "preview/PreviewUrlInterceptor.h"

PreviewUrlInterceptor::PreviewUrlInterceptor(PreviewUrlPolicy policy, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent), m_policy(std::move(policy))
{
}

void PreviewUrlInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!m_policy.allows(info.requestUrl()))
        info.block(true);
}
