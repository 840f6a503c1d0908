#include "preview/PreviewUrlInterceptor.h"

PreviewUrlInterceptor::PreviewUrlInterceptor(std::function<bool(const QUrl &)> allows,
                                             QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent), m_allows(std::move(allows))
{}

void PreviewUrlInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (!m_allows(info.requestUrl()))
        info.block(true);
}
