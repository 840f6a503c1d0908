#include "preview/TShockwaveFlash.h"

TShockwaveFlash::TShockwaveFlash(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    resize(400, 300);
}

void TShockwaveFlash::setMovie(const QString &movie)
{
    m_movie = movie;
    emit movieLoaded(m_movie, m_flashVars);
}
