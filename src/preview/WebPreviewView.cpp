#include "preview/WebPreviewView.h"

#include "preview/EmbeddedWindowSlot.h"
#include "preview/PreviewPage.h"
#include "preview/PreviewUrlInterceptor.h"

#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

// A window's surface type is fixed when its native window is made. An
// OpenGL widget, even one never shown, makes it an OpenGL surface, so adding
// the view's drawing widget later does not make the window anew (which
// would also take it out of the slot). Without OpenGL the view draws in
// software and the window stays as it is.
void prepareForOpenGL(QWidget *window)
{
    const QOpenGLContext *shared = QOpenGLContext::globalShareContext();
    if (shared && shared->isValid())
        (new QOpenGLWidget(window))->hide();
}

} // namespace

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

    auto window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    prepareForOpenGL(window.get());
    m_view = new QWebEngineView(window.get());
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    auto *layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    auto *webPage = new PreviewPage(m_profile, m_view);
    webPage->setReported(page.reported);
    webPage->setBackgroundColor(Qt::white);
    m_view->setPage(webPage);
    // Only the page's own document loads: a navigation the page refuses ends
    // in a failed load, which must not make the page look unready.
    QObject::connect(webPage, &QWebEnginePage::loadFinished, webPage, page.loaded, Qt::SingleShotConnection);
    m_slot = new EmbeddedWindowSlot(std::move(window), parent);
    webPage->setHtml(page.html, page.baseUrl);
}

WebPreviewView::~WebPreviewView()
{
    // The page must go before the profile it was made with; it goes with the slot's window.
    delete m_slot;
    delete m_profile;
}

QWidget *WebPreviewView::widget()
{
    return m_slot;
}

void WebPreviewView::runJavaScript(const QString &script)
{
    if (m_view)
        m_view->page()->runJavaScript(script);
}

QImage WebPreviewView::frame()
{
    return m_view ? m_view->grab().toImage() : QImage();
}
