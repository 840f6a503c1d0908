#include "preview/TShockwaveFlash.h"

#include "preview/DeviceFontFiles.h"
#include "preview/FontNameTable.h"
#include "preview/PreviewUrlInterceptor.h"
#include "preview/RuffleHostPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

TShockwaveFlash::TShockwaveFlash(QWidget *parent)
    : QWidget(parent), m_appDir(QCoreApplication::applicationDirPath())
{
    setFocusPolicy(Qt::StrongFocus);
    resize(400, 300);
}

TShockwaveFlash::~TShockwaveFlash()
{
    // The page must go before the profile it was made with.
    delete m_view;
}

void TShockwaveFlash::setMovie(const QString &movie)
{
    m_movie = movie;
    emit movieWritten(m_movie, m_flashVars);
    m_loadPending = true;
    scheduleLoad();
}

void TShockwaveFlash::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    scheduleLoad();
}

void TShockwaveFlash::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // Starting the engine takes long: the window is painted once before it starts.
    if (!m_painted) {
        m_painted = true;
        scheduleLoad();
    }
}

void TShockwaveFlash::scheduleLoad()
{
    // Loads run from the event loop, so writes made in one go end in one load.
    if (m_loadScheduled || !m_loadPending)
        return;
    m_loadScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_loadScheduled = false;
        loadMovie();
    });
}

void TShockwaveFlash::loadMovie()
{
    if (!m_loadPending || !isVisible())
        return;
    if (!m_view) {
        if (!m_painted)
            return; // the first paint loads the movie
        startEngine();
    }
    if (!m_pageReady)
        return; // the page's load finishing loads the movie
    m_loadPending = false;
    const QFileInfo movie(m_movie);
    if (m_movie.isEmpty() || !movie.isFile()) {
        m_view->page()->runJavaScript(RuffleHostPage::clearScript());
        return;
    }
    const QString base = m_settings.Base.isEmpty() ? movie.absolutePath() : m_settings.Base;
    m_view->page()->runJavaScript(
        RuffleHostPage::loadScript(movie.absoluteFilePath(), m_flashVars, base, deviceFontFiles()));
}

QStringList TShockwaveFlash::deviceFontFiles()
{
    QStringList families = m_fontFamilies ? m_fontFamilies() : QStringList();
    families.append(m_sansFamily);
    QStringList files;
    for (const QString &name : families) {
        const QString family = name.trimmed();
        if (family.isEmpty())
            continue;
        auto prepared = m_fontFiles.constFind(family.toLower());
        if (prepared == m_fontFiles.cend())
            prepared = m_fontFiles.insert(family.toLower(), prepareFontFamily(family));
        files += *prepared;
    }
    files.removeDuplicates();
    return files;
}

QStringList TShockwaveFlash::prepareFontFamily(const QString &family)
{
    // Each face is renamed to the family, so a movie's bold or italic text in
    // that family finds its face.
    QStringList files;
    for (const DeviceFontFace &face : DeviceFontFiles::facesOf(family)) {
        QFile source(face.file);
        if (!source.open(QIODevice::ReadOnly))
            continue;
        const QByteArray font = FontNameTable::renamed(source.readAll(), family, face.bold, face.italic);
        const QString name = QStringLiteral("%1-%2.%3").arg(m_fontFiles.size()).arg(files.size()).arg(QFileInfo(face.file).suffix());
        QFile target(m_fontDir->filePath(name));
        if (font.isEmpty() || !target.open(QIODevice::WriteOnly) || target.write(font) != font.size())
            continue;
        files.append(target.fileName());
    }
    return files;
}

void TShockwaveFlash::startEngine()
{
    const QString appDir = QDir(m_appDir).absolutePath();
    const QString ruffleDir = appDir + QStringLiteral("/ruffle");
    m_fontDir = std::make_unique<QTemporaryDir>();
    m_sansFamily = DeviceFontFiles::defaultFamily(QStringLiteral("sans-serif"));

    // The application directory may be a per-user folder of links into the
    // installed one, which is allowed as well.
    PreviewUrlPolicy policy;
    policy.allowFolder(appDir);
    policy.allowFolder(QCoreApplication::applicationDirPath());
    policy.allowFolder(ruffleDir);
    policy.allowFolder(m_fontDir->path());

    // A profile of its own, kept in memory only, with the confining interceptor.
    m_profile = new QWebEngineProfile(this);
    m_profile->setUrlRequestInterceptor(new PreviewUrlInterceptor(policy, m_profile));
    m_profile->setHttpCacheType(QWebEngineProfile::NoCache);
    QWebEngineSettings *s = m_profile->settings();
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    s->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);

    m_view = new QWebEngineView(this);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    auto *page = new QWebEnginePage(m_profile, m_view);
    page->setBackgroundColor(Qt::white);
    m_view->setPage(page);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        m_pageReady = ok;
        loadMovie();
    });
    const RuffleHostPage host(ruffleDir, m_settings, m_sansFamily);
    page->setHtml(host.html(), QUrl::fromLocalFile(appDir + QLatin1Char('/')));
}
