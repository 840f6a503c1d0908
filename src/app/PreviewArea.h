#pragma once

#include "preview/PreviewSettings.h"

#include <QObject>
#include <QString>

class QFrame;
class QSplitter;
class QWidget;
class FlashPlayerView;

// The preview area beside the grid: the panel playerPanel in the last place of
// a splitter with the player player inside, and its refresh, which
// sizes both from the stored values and loads the chart movie anew.
class PreviewArea : public QObject
{
    Q_OBJECT

public:
    // Adds the panel to splitter, after the grid's side, its only other
    // widget; focusTarget gets the keyboard focus after every refresh.
    // appDir ends with a separator.
    PreviewArea(QSplitter *splitter, QWidget *focusTarget, const QString &appDir,
                PreviewSettings::StoredValueReader storedValue, QObject *parent = nullptr);

    QFrame *playerPanel() const { return m_panelFlash; }
    FlashPlayerView *player() const { return m_shockwaveFlash; }
    bool isRefreshing() const { return m_refreshing; }

    // Sizes the player and the panel from the stored values (PreviewSettings::read),
    // then loads the blank movie, sets the variables and loads the chart movie.
    // A call made while a refresh runs does nothing.
    void refreshPreview();

    // The panel's width as the user left it, and a width from an earlier run,
    // which wins over the movie's at the first refresh when the splitter could
    // have left it.
    int panelWidth() const;
    void restorePanelWidth(int width);
    // The next refresh fits the panel to the movie, whatever the splitter was left at.
    void fitToMovieAgain();

private:
    // What the area says over the movie when its data file is missing; empty when it is there.
    static QString dataFileNote(const QString &movie, const QString &dataFile);
    void fitToMovie(int movieWidth);
    void fitPanel(int width);

    QSplitter *m_splitter;
    QWidget *m_focusTarget;
    QString m_appDir;
    PreviewSettings::StoredValueReader m_storedValue;
    QFrame *m_panelFlash = nullptr;
    FlashPlayerView *m_shockwaveFlash = nullptr;
    int m_movieWidth = -1;            // the movie width the panel was last fitted to
    bool m_keepRestoredWidth = false; // the width restored from the last run wins once
    bool m_refreshing = false;
};
