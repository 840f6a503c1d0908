#include "app/PreviewArea.h"

#include "base/SystemText.h"
#include "preview/FlashPlayerView.h"
#include "preview/PreviewSettings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSplitter>

#include <algorithm>
#include <utility>

namespace {

// The splitter never narrows the preview below this, or below the whole movie when that is
// narrower; the narrowest movie Options allow (10 pixels) with the panel's edges stays the floor.
constexpr int PanelFlashMinimumWidth = 100;
constexpr int PanelFlashFloorWidth = 14;

} // namespace

PreviewArea::PreviewArea(QSplitter *splitter, QWidget *focusTarget, const QString &appDir,
                         PreviewSettings::StoredValueReader storedValue, QObject *parent)
    : QObject(parent), m_splitter(splitter), m_focusTarget(focusTarget), m_appDir(appDir),
      m_storedValue(std::move(storedValue))
{
    m_panelFlash = new QFrame;
    m_panelFlash->setObjectName(QStringLiteral("PanelFlash"));
    m_panelFlash->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panelFlash->setLineWidth(1);
    m_shockwaveFlash = new FlashPlayerView(m_panelFlash);
    m_shockwaveFlash->setObjectName(QStringLiteral("ShockwaveFlash"));
    m_shockwaveFlash->setAccessibleName(tr("Chart preview"));
    m_shockwaveFlash->setAppDir(appDir);
    const QSize movieSize = PreviewSettings().size();
    m_shockwaveFlash->setGeometry(QRect(QPoint(2, 2), movieSize));

    // The user may give the grid more room; a wider window widens the grid, not the preview.
    m_splitter->addWidget(m_panelFlash);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setCollapsible(0, false);
    m_splitter->setCollapsible(1, false);
    fitToMovie(movieSize.width());
}

void PreviewArea::refreshPreview()
{
    if (m_refreshing)
        return;
    m_refreshing = true;
    // Cleared on every way out: a flag left set would stop the preview for the rest of the run.
    const auto clearFlag = qScopeGuard([this] { m_refreshing = false; });
    const PreviewSettings settings = PreviewSettings::read(m_storedValue);
    const int width = settings.size().width();
    // A movie of another width fits the panel to it (the panel's height follows the window);
    // the first refresh of a run keeps the width the user left the splitter at.
    if (width != m_movieWidth) {
        if (!std::exchange(m_keepRestoredWidth, false))
            fitToMovie(width);
        m_movieWidth = width;
    }
    m_shockwaveFlash->resize(settings.size());
    m_shockwaveFlash->setMovie(m_appDir + QStringLiteral("empty.swf"));
    const QString dataFile = SystemText::trim(settings.dataFile());
    m_shockwaveFlash->setFlashVars(QStringLiteral("datafile=") + dataFile);
    const QString movie = m_appDir + settings.movieFile();
    m_shockwaveFlash->setNote(dataFileNote(movie, dataFile));
    // The chart reads its style and data beside it.
    const QDir movieDir = QFileInfo(movie).dir();
    m_shockwaveFlash->setSideFiles(
            {movieDir.filePath(QStringLiteral("style.txt")), movieDir.filePath(dataFile)});
    m_shockwaveFlash->setMovie(movie);
    // The focus ends in the grid, as the player may have taken it; but a
    // text field outside the grid (the filter box) keeps it: what the user
    // types there must not reach the grid, where it would edit a value.
    const QWidget *focused = QApplication::focusWidget();
    if (qobject_cast<const QLineEdit *>(focused) && !m_focusTarget->isAncestorOf(focused))
        return;
    m_focusTarget->setFocus();
    m_shockwaveFlash->setFocus();
    m_focusTarget->setFocus();
}

QString PreviewArea::dataFileNote(const QString &movie, const QString &dataFile)
{
    // The movie reads its data file from its own folder.
    if (dataFile.isEmpty())
        return tr("No data file is set in Options: the chart has no data to show.");
    const QString file = QFileInfo(movie).dir().filePath(dataFile);
    if (!QFileInfo(file).isFile())
        return tr("The data file %1 was not found: the chart has no data to show.")
                .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()));
    return QString();
}

int PreviewArea::panelWidth() const
{
    return m_splitter->sizes().value(1);
}

void PreviewArea::restorePanelWidth(int width)
{
    // A width the splitter could not have left (a collapsed panel of an older run) is not taken.
    if (width < m_panelFlash->minimumWidth() || width > QWIDGETSIZE_MAX)
        return;
    fitPanel(width);
    m_keepRestoredWidth = true;
}

void PreviewArea::fitToMovieAgain()
{
    m_movieWidth = -1;
    m_keepRestoredWidth = false;
}

void PreviewArea::fitToMovie(int movieWidth)
{
    const int width = int(std::clamp<qint64>(qint64(movieWidth) + 4, 0, QWIDGETSIZE_MAX));
    m_panelFlash->setMinimumWidth(std::clamp(width, PanelFlashFloorWidth, PanelFlashMinimumWidth));
    fitPanel(width);
}

void PreviewArea::fitPanel(int width)
{
    // The panel's width comes from the grid's side; the window keeps its size.
    const QList<int> sizes = m_splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    m_splitter->setSizes({std::max(total - width, 1), width});
}
