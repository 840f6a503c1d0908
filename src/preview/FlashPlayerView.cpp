#include "preview/FlashPlayerView.h"

#include "preview/DeviceFontCache.h"
#include "preview/DropRefusal.h"
#include "preview/PickReport.h"
#include "preview/PreviewEngine.h"
#include "preview/PreviewEngineLoader.h"
#include "preview/PreviewInputs.h"
#include "preview/PreviewSettings.h"
#include "preview/PreviewUrlPolicy.h"
#include "preview/RuffleHostPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

// How often the kept picture looks whether the live player's frame has reached the view.
constexpr int HandOverPollMs = 15;
// How long a held frame waits for the new page's frame to reach the view, in polls.
constexpr int HeldFrameMaxPolls = 1000 / HandOverPollMs;
// A page's memory grows with its loads, most in its first hundred, and a fresh
// page takes about a second to start. A page that never rests is started anew
// at a load once it has had twice as many.
constexpr int DefaultLoadsPerPage = 100;

} // namespace

FlashPlayerView::FlashPlayerView(QWidget *parent)
    : QWidget(parent), m_appDir(QCoreApplication::applicationDirPath()),
      m_loadsPerPage(DefaultLoadsPerPage)
{
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("PreviewMessage"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setMargin(8);
    m_message->setBackgroundRole(QPalette::Base);
    m_message->setForegroundRole(QPalette::Text);
    m_message->setAutoFillBackground(true);
    m_message->hide();
    // The kept picture lies over the page and under the message; the page beneath takes the pointer.
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("PreviewPicture"));
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_picture->hide();
    resize(PreviewSettings().size());
}

FlashPlayerView::~FlashPlayerView() = default;

void FlashPlayerView::setMovie(const QString &movie)
{
    m_movie = movie;
    emit movieWritten(m_movie, m_flashVars);
    if (m_note.isEmpty())
        m_message->hide();
    else
        showMessage(std::exchange(m_note, QString()), false);
    m_loadPending = true;
    scheduleLoad();
    if (!m_view)
        showKeptPicture();
}

bool FlashPlayerView::showsKeptPicture() const
{
    return !m_picture->isHidden();
}

PreviewInputs FlashPlayerView::inputs() const
{
    const QString ruffleDir = QDir(m_appDir).absolutePath() + QStringLiteral("/ruffle");
    return {QFileInfo(m_movie).absoluteFilePath(),
            m_sideFiles,
            RuffleHostPage::movieParameters(m_flashVars, m_picking),
            size(),
            devicePixelRatioF(),
            QJsonDocument(RuffleHostPage(ruffleDir, m_settings).config())
                    .toJson(QJsonDocument::Compact),
            ruffleDir};
}

void FlashPlayerView::showKeptPicture()
{
    // A refresh writes the blank movie before the chart: the picture read stays at hand.
    if (!m_keptPicture.keeps())
        return;
    const QByteArray digest = inputs().digest();
    if (digest != m_pictureDigest) {
        const QImage picture = m_keptPicture.find(digest);
        if (picture.isNull())
            return m_picture->hide();
        QPixmap pixmap = QPixmap::fromImage(picture);
        pixmap.setDevicePixelRatio(devicePixelRatioF());
        m_picture->setPixmap(pixmap);
        m_pictureDigest = digest;
    }
    showPicture();
}

void FlashPlayerView::showPicture()
{
    m_picture->setGeometry(rect());
    m_picture->show();
    m_message->raise();
}

void FlashPlayerView::hideKeptPicture()
{
    m_holdsFrame = false;
    m_picture->hide();
    m_picture->clear();
    m_pictureDigest.clear();
}

bool FlashPlayerView::viewShowsLiveFrame()
{
    // What the page has drawn reaches the view a little later: until the view shows more than
    // the empty page, or the picture itself (a chart of one colour), the picture stays.
    const QImage live = m_view->frame().convertToFormat(QImage::Format_RGB32);
    if (live == m_picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32))
        return true;
    const QRgb empty = live.pixel(0, 0);
    for (int y = 0; y < live.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(live.constScanLine(y));
        if (std::any_of(line, line + live.width(), [empty](QRgb pixel) { return pixel != empty; }))
            return true;
    }
    return false;
}

void FlashPlayerView::handOverToLivePlayer()
{
    if (!showsKeptPicture() || !m_view)
        return;
    if (viewShowsLiveFrame())
        return hideKeptPicture();
    QTimer::singleShot(HandOverPollMs, this, &FlashPlayerView::handOverToLivePlayer);
}

void FlashPlayerView::handOverHeldFrame(int pollsLeft)
{
    if (!m_holdsFrame || !m_view)
        return;
    // The new page has drawn its movie. A movie of one colour never differs from the empty
    // page: it shows after a while.
    if (pollsLeft <= 0 || viewShowsLiveFrame())
        return hideKeptPicture();
    QTimer::singleShot(HandOverPollMs, this,
                       [this, pollsLeft] { handOverHeldFrame(pollsLeft - 1); });
}

void FlashPlayerView::renewPageAtRest(int settledLoad)
{
    // The page's own signal asked for this, from the event loop: a load since goes first.
    if (m_view && settledLoad == m_load && !m_loadPending)
        renewPage();
}

void FlashPlayerView::renewPage()
{
    // The frame on show stays, like the old player at a load, until the new page shows a movie.
    m_picture->setPixmap(QPixmap::fromImage(m_view->frame()));
    m_pictureDigest.clear();
    showPicture();
    m_holdsFrame = true;
    m_view.reset();
    m_pageReady = false;
    m_loadPending = true;
    loadMovie();
}

void FlashPlayerView::pictureSettled(int load)
{
    // The live player shows its settled picture: nothing changes on screen when it takes over.
    handOverToLivePlayer();
    // The picture is kept if the movie's files stayed as they were at its load: then it is
    // the picture of those bytes.
    if (load != m_load || m_loadDigest.isEmpty() || m_keptPicture.holds(m_loadDigest)
        || inputs().digest() != m_loadDigest)
        return;
    m_keptPicture.keep(m_loadDigest, m_view->frame());
}

void FlashPlayerView::setPicking(bool picking)
{
    if (picking == m_picking)
        return;
    m_picking = picking;
    if (m_view) {
        m_loadPending = true;
        scheduleLoad();
    }
}

void FlashPlayerView::pageReported(const QString &message)
{
    if (message == QLatin1String(RuffleHostPage::ShownReport)) {
        m_restarted = false;
        m_liveShown = true;
        if (m_messageWhole)
            m_message->hide();
        if (m_holdsFrame)
            handOverHeldFrame(HeldFrameMaxPolls);
        else if (underMouse())
            handOverToLivePlayer();
        emit movieShown();
        return;
    }
    if (message.startsWith(QLatin1String(RuffleHostPage::SettledReport))) {
        const int load = message.mid(qstrlen(RuffleHostPage::SettledReport)).toInt();
        pictureSettled(load);
        // A movie loaded to pick is left alone: the user is about to click it.
        if (load == m_load && m_pageLoads >= m_loadsPerPage && !m_picking)
            QTimer::singleShot(0, this, [this, load] { renewPageAtRest(load); });
        return;
    }
    if (message == QLatin1String(RuffleHostPage::UnplayableReport)) {
        showMessage(notAMovie(), true);
        return;
    }
    // A movie loaded for picking may still be on show after picking ended.
    if (!m_picking)
        return;
    const QStringList keys = PickReport::keys(message);
    if (!keys.isEmpty())
        emit picked(keys);
}

QImage FlashPlayerView::frame()
{
    return m_view && !showsKeptPicture() ? m_view->frame() : grab().toImage();
}

QString FlashPlayerView::message() const
{
    return m_message->isHidden() ? QString() : m_message->text();
}

void FlashPlayerView::showMessage(const QString &text, bool whole)
{
    m_messageWhole = whole;
    m_message->setText(text);
    placeMessage();
    m_message->show();
}

void FlashPlayerView::placeMessage()
{
    m_message->setGeometry(0, 0, width(),
                           m_messageWhole ? height() : m_message->heightForWidth(width()));
    m_message->raise();
}

void FlashPlayerView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeMessage();
    m_picture->setGeometry(rect());
}

void FlashPlayerView::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    // The pointer may change the picture (charts react to hover): the live player shows it.
    if (m_liveShown)
        handOverToLivePlayer();
}

void FlashPlayerView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    followWindow();
    scheduleLoad();
}

void FlashPlayerView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    followWindow();
}

bool FlashPlayerView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window()
        && (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Show
            || event->type() == QEvent::Hide))
        followWindow();
    return QWidget::eventFilter(watched, event);
}

void FlashPlayerView::followWindow()
{
    // A page nobody sees costs nothing: frozen, it runs no script and draws nothing.
    const bool active = isVisible() && !window()->isMinimized();
    if (!m_view || active == m_active)
        return;
    m_active = active;
    m_view->setActive(active);
    scheduleLoad();
}

void FlashPlayerView::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // Starting the engine takes long: the window is painted once before it starts.
    if (!m_painted) {
        m_painted = true;
        scheduleLoad();
    }
}

void FlashPlayerView::scheduleLoad()
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

void FlashPlayerView::loadMovie()
{
    if (!m_loadPending || !isVisible() || !m_active)
        return;
    if (!m_view) {
        if (!m_painted || m_engineMissing)
            return; // the first paint loads the movie; without an engine the area stays empty
        startEngine();
        if (!m_view)
            return;
    }
    if (!m_pageReady)
        return; // the page's load finishing loads the movie
    if (m_pageLoads >= 2 * m_loadsPerPage && !m_picking)
        return renewPage();
    m_loadPending = false;
    const QFileInfo movie(m_movie);
    const QString problem = m_movie.isEmpty() ? QString() : unplayableReason(movie);
    ++m_load;
    ++m_pageLoads;
    m_loadDigest = m_keptPicture.keeps() ? inputs().digest() : QByteArray();
    // A picture of other inputs never stays; a held frame stays until the new page shows.
    if (!m_holdsFrame && (m_loadDigest != m_pictureDigest || !showsKeptPicture()))
        hideKeptPicture();
    if (m_movie.isEmpty() || !problem.isEmpty()) {
        if (m_holdsFrame)
            hideKeptPicture(); // the area is left empty, as it would be on the page
        if (!problem.isEmpty())
            showMessage(problem, true);
        m_view->runJavaScript(RuffleHostPage::clearScript());
        return;
    }
    const QString base = m_settings.base.isEmpty() ? movie.absolutePath() : m_settings.base;
    m_view->runJavaScript(RuffleHostPage::loadScript(movie.absoluteFilePath(), m_flashVars, base,
                                                     deviceFontFiles(), m_picking, m_load));
}

QString FlashPlayerView::unplayableReason(const QFileInfo &movie) const
{
    const QString name = QDir::toNativeSeparators(movie.absoluteFilePath());
    if (!movie.isFile())
        return tr("The chart movie %1 was not found.").arg(name);
    if (!m_policy.allows(QUrl::fromLocalFile(movie.absoluteFilePath())))
        return tr("The preview plays only movies in the program's folder; the chart movie %1 is "
                  "outside it.")
                .arg(name);
    QFile file(movie.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return tr("The chart movie %1 cannot be read.").arg(name);
    // A Flash movie starts with one of these: uncompressed, zlib or LZMA.
    const QByteArray signature = file.read(3);
    if (signature != "FWS" && signature != "CWS" && signature != "ZWS")
        return notAMovie();
    return QString();
}

QString FlashPlayerView::notAMovie() const
{
    return tr("The chart movie %1 is no Flash movie, or it is damaged.")
            .arg(QDir::toNativeSeparators(QFileInfo(m_movie).absoluteFilePath()));
}

void FlashPlayerView::pageEnded()
{
    // The page's own signal calls this: its view goes from the event loop.
    QTimer::singleShot(0, this, [this, ended = m_view.get()] {
        if (m_view.get() != ended)
            return;
        m_view.reset();
        m_pageReady = false;
        if (std::exchange(m_restarted, true)) {
            // Ended again before showing a movie: restarting would only repeat it.
            showMessage(tr("The preview stopped: its page ended again right after a restart. "
                           "It starts anew with the next change."),
                        true);
            return;
        }
        m_loadPending = true;
        loadMovie();
        emit restarted();
    });
}

QStringList FlashPlayerView::deviceFontFiles()
{
    return m_fonts->filesFor(m_fontFamilies ? m_fontFamilies() : QStringList());
}

void FlashPlayerView::startEngine()
{
    const QString appDir = QDir(m_appDir).absolutePath();
    PreviewEngine *engine = PreviewEngineLoader::engine(
            {QCoreApplication::applicationDirPath(), appDir});
    if (!engine) {
        m_engineMissing = true;
        return;
    }
    const QString ruffleDir = appDir + QStringLiteral("/ruffle");
    // A page started anew after its process ended keeps the fonts prepared before.
    if (!m_fonts)
        m_fonts = std::make_unique<DeviceFontCache>();

    // The application directory may be a per-user folder of links into the
    // installed one, which is allowed as well.
    m_policy = PreviewUrlPolicy();
    m_policy.allowFolder(appDir);
    m_policy.allowFolder(QCoreApplication::applicationDirPath());
    m_policy.allowFolder(ruffleDir);
    m_policy.allowFolder(m_fonts->folder());

    PreviewEngine::Page page;
    page.html = RuffleHostPage(ruffleDir, m_settings, m_fonts->sansFamily()).html();
    page.baseUrl = QUrl::fromLocalFile(appDir + QLatin1Char('/'));
    page.allows = [policy = m_policy](const QUrl &url) { return policy.allows(url); };
    page.loaded = [this](bool ok) {
        // A page whose process ended before its document had loaded fails to load.
        if (!ok)
            return pageEnded();
        m_pageReady = true;
        loadMovie();
    };
    page.reported = [this](const QString &message) { pageReported(message); };
    page.ended = [this] { pageEnded(); };
    m_view = engine->createView(page, this);
    m_pageLoads = 0;
    // A file dropped on the movie opens in the editor; the page never loads it.
    DropRefusal::apply(m_view->widget());
    window()->installEventFilter(this);
    layout()->addWidget(m_view->widget());
    m_picture->raise();
    m_message->raise();
    // Preparing the fonts takes a tenth of a second or more; here it overlaps the
    // page's loading, which runs in the engine's own processes.
    deviceFontFiles();
}
