#pragma once

#include "preview/FlashSettings.h"
#include "preview/KeptPicture.h"
#include "preview/PreviewUrlPolicy.h"

#include <QWidget>

#include <functional>
#include <memory>

class PreviewView;
struct PreviewInputs;
class QFileInfo;
class QLabel;
class DeviceFontCache;

// The movie player of the preview area. Writing Movie drops the current
// movie and loads the named file anew from disk, handing it the flashVars
// text; the movie is scaled into the player's area with its proportions kept.
//
// Movies are played by Ruffle inside a web engine page that may read nothing
// but the application directory, Ruffle's folder and the device fonts the
// player prepared. The web engine is a plugin (see PreviewEngine), found
// beside the executable or in the application directory.
// The engine starts when the player has been shown and painted once with a
// movie to play, so a hidden player costs nothing and the window appears
// before the engine has started; until then the area stays empty. Movie
// writes made in one go (the blank movie and then the chart) load only the
// last one. While the player or its window is hidden or minimised its page
// is frozen, and a movie written meanwhile loads when it shows again.
//
// What keeps a movie from playing is said in the area, in place of the
// movie: a file that is missing, outside the application directory or no
// Flash movie. When the process drawing the page ends, a new page is started
// and shows the movie again; a page that ends before it has shown a movie
// after such a restart is not restarted, and the next Movie write tries anew.
//
// Given a folder to keep it in, the player keeps the picture of the chart it
// drew last (its first settled picture, see RuffleHostPage) with the digest
// of what it was drawn from (see PreviewInputs). Until the engine has
// started, a Movie write whose inputs are byte for byte those of that picture
// shows it, from the window's first paint; the live player takes its place
// once its own picture has settled, or the pointer comes over it. A write of
// other inputs shows no picture.
//
// A page's memory grows with every load (Ruffle keeps some of each player),
// so after loadsPerPage() loads, once the movie on show has settled, the page
// is started anew (at the next load, after twice as many loads without a
// rest): its last frame is held over the area until the new page shows its
// movie, so the renewal shows no blank frame.
class FlashPlayerView : public QWidget
{
    Q_OBJECT

public:
    explicit FlashPlayerView(QWidget *parent = nullptr);
    ~FlashPlayerView() override;

    QString movie() const { return m_movie; }
    void setMovie(const QString &movie);
    QString flashVars() const { return m_flashVars; }
    void setFlashVars(const QString &flashVars) { m_flashVars = flashVars; }
    // A line shown over the movie the next Movie write loads, saying what it
    // lacks (its data file, say); a later write shows none unless set again.
    void setNote(const QString &note) { m_note = note; }
    // The files the movie reads besides itself (its style and data, say),
    // whose bytes decide as well whether a kept picture shows.
    void setSideFiles(const QStringList &files) { m_sideFiles = files; }
    // Where the picture of the last chart is kept; none is kept without one.
    void setPictureFolder(const QString &folder) { m_keptPicture = KeptPicture(folder); }
    // Whether the kept picture is on show in place of the live player.
    bool showsKeptPicture() const;

    // Whether a click on the movie picks one of its elements instead of
    // reaching the movie. A change reloads the movie on show, which learns it
    // from its variables (see RuffleHostPage).
    bool picking() const { return m_picking; }
    void setPicking(bool picking);

    // The settings Ruffle is started with; changes reach a running engine
    // with the next start only.
    FlashSettings &settings() { return m_settings; }

    // The folder whose files movies may read; Ruffle lives in its "ruffle"
    // folder. The executable's directory unless set before the engine starts.
    void setAppDir(const QString &appDir) { m_appDir = appDir; }

    // The font families movies may ask for as device fonts. Asked at every
    // load; the system's files of these families are handed to Ruffle.
    void setDeviceFontFamilies(std::function<QStringList()> families)
    {
        m_fontFamilies = std::move(families);
    }

    bool engineStarted() const { return m_view != nullptr; }

    int loadsPerPage() const { return m_loadsPerPage; }
    void setLoadsPerPage(int loads) { m_loadsPerPage = loads; }

    // What the player shows now: the kept picture while it is on show, else the page once
    // the engine runs, its own empty area before.
    QImage frame();
    // What the area says in place of or over the movie; empty when it says nothing.
    QString message() const;

signals:
    // Every Movie write, with the flashVars handed to it.
    void movieWritten(const QString &movie, const QString &flashVars);
    // While picking: the style keys of the element the user clicked, as the
    // movie reported them.
    void picked(const QStringList &keys);
    // A movie has taken the place of the one before.
    void movieShown();
    // The process drawing the page ended and a new page was started.
    void restarted();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void startEngine();
    void scheduleLoad();
    void loadMovie();
    QStringList deviceFontFiles();
    void pageReported(const QString &message);
    void followWindow();
    void pageEnded();
    void renewPageAtRest(int settledLoad);
    void renewPage();
    QString unplayableReason(const QFileInfo &movie) const;
    QString notAMovie() const;
    // Shows text over the whole area, or as a line at its top.
    void showMessage(const QString &text, bool whole);
    void placeMessage();
    PreviewInputs inputs() const;
    void showKeptPicture();
    void showPicture();
    void hideKeptPicture();
    bool viewShowsLiveFrame();
    void handOverToLivePlayer();
    void handOverHeldFrame(int pollsLeft);
    void pictureSettled(int load);

    QString m_movie;
    QString m_flashVars;
    FlashSettings m_settings;
    QString m_appDir;
    std::function<QStringList()> m_fontFamilies;
    std::unique_ptr<DeviceFontCache> m_fonts; // kept when a page starts anew
    PreviewUrlPolicy m_policy;
    std::unique_ptr<PreviewView> m_view;
    QLabel *m_message = nullptr;
    bool m_messageWhole = false;
    QString m_note;
    QStringList m_sideFiles;
    KeptPicture m_keptPicture;
    QLabel *m_picture = nullptr;
    QByteArray m_pictureDigest; // of the inputs the picture held was drawn from
    bool m_liveShown = false;   // the live player has shown a movie
    int m_load = 0;             // the number of the last load, as the page reports it
    int m_pageLoads = 0;        // loads the page on show has had
    int m_loadsPerPage;
    bool m_holdsFrame = false; // the picture is the last frame of a page started anew
    QByteArray m_loadDigest;   // of the last load's inputs
    bool m_painted = false;
    bool m_engineMissing = false;
    bool m_pageReady = false;
    bool m_active = true; // the page runs: the player is seen, its window not minimised
    bool m_loadPending = false;
    bool m_loadScheduled = false;
    bool m_picking = false;
    bool m_restarted = false; // the page is a restart that has shown no movie yet
};
