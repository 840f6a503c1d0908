#include "preview/WebPreviewView.h"

#include "preview/PreviewPage.h"
#include "preview/PreviewUrlInterceptor.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

WebPreviewView::WebPreviewView(const PreviewEngine::Page &page, QWidget *parent)
    : m_profile(new QWebEngineProfile)
{
    m_profile->setUrlRequestInterceptor(new PreviewUrlInterceptor(page.allows, m_profile));
    m_profile->setHttpCacheType(QWebEngineProfile::NoCache);
    QWebEngineSettings *s = m_profile->settings();
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    s->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);

    m_view = new QWebEngineView(parent);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    auto *webPage = new PreviewPage(m_profile, m_view);
    webPage->setReported(page.reported);
    webPage->setBackgroundColor(Qt::white);
    m_view->setPage(webPage);
    // Only the page's own document loads: a navigation the page refuses ends
    // in a failed load, which must not make the page look unready.
    QObject::connect(webPage, &QWebEnginePage::loadFinished, webPage, page.loaded,
                     Qt::SingleShotConnection);
    QObject::connect(webPage, &QWebEnginePage::renderProcessTerminated, webPage,
                     [ended = page.ended] {
                         if (ended)
                             ended();
                     });
    webPage->setHtml(page.html, page.baseUrl);
}

WebPreviewView::~WebPreviewView()
{
    // The page must go before the profile it was made with; it goes with the view.
    delete m_view;
    delete m_profile;
}

QWidget *WebPreviewView::widget()
{
    return m_view;
}

void WebPreviewView::runJavaScript(const QString &script)
{
    if (m_view)
        m_view->page()->runJavaScript(script);
}

void WebPreviewView::setActive(bool active)
{
    if (!m_view)
        return;
    // Only a hidden page may be frozen, and it thaws before it is shown.
    QWebEnginePage *page = m_view->page();
    if (active) {
        page->setLifecycleState(QWebEnginePage::LifecycleState::Active);
        page->setVisible(m_view->isVisible());
    } else {
        page->setVisible(false);
        page->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
    }
}

QImage WebPreviewView::frame()
{
    return m_view ? m_view->grab().toImage() : QImage();
}
