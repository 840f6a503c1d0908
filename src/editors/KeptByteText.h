#pragma once

#include <QList>
#include <QString>
#include <QTextLayout>

class QPainter;

// Draws texts that hold bytes which are not UTF-8 (see SystemText): each such
// byte shows as its Windows-1252 character, or as its two hex digits where
// that code page has none, in inverted colours, so that it cannot pass for
// typed text.
class KeptByteText
{
public:
    static bool holdsKeptBytes(const QString &text);

    // The text as drawn, and the ranges in it that stand for kept bytes.
    static QString shown(const QString &text, QList<QTextLayout::FormatRange> *marks = nullptr);

    // One line of text in rect, clipped with an ellipsis when it is too wide;
    // the kept bytes drawn in background on foreground.
    static void draw(QPainter *painter, const QRect &rect, const QString &text, const QFont &font,
                     const QColor &foreground, const QColor &background, Qt::Alignment alignment);
};
