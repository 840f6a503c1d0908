#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

// Everything a chart's picture is drawn from: the movie and the files it
// reads, byte for byte, the variables it is handed, the size it is drawn at,
// the player's configuration and the player itself. Two loads with the same
// digest draw the same picture.
struct PreviewInputs
{
    QString movie;
    QStringList sideFiles; // files the movie reads besides itself
    QString parameters;    // the variables handed to the movie
    QSize size;
    qreal pixelRatio = 1;
    QByteArray playerConfig;
    QString playerFolder; // the player's own files, known by name, size and time

    QByteArray digest() const;
};
