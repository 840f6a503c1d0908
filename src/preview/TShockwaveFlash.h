#pragma once

#include <QWidget>

// The movie player of the preview area. Writing Movie drops the current
// movie and loads the named file anew, handing it the FlashVars text.
class TShockwaveFlash : public QWidget
{
    Q_OBJECT

public:
    explicit TShockwaveFlash(QWidget *parent = nullptr);

    QString Movie() const { return m_movie; }
    void setMovie(const QString &movie);
    QString FlashVars() const { return m_flashVars; }
    void setFlashVars(const QString &flashVars) { m_flashVars = flashVars; }

signals:
    void movieLoaded(const QString &movie, const QString &flashVars);

private:
    QString m_movie;
    QString m_flashVars;
};
