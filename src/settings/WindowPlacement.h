#pragma once

#include <QList>
#include <QPoint>
#include <QString>

// Where and how a window stands: the flags, the show state, the positions it
// takes when minimized and when maximized, and its normal (neither minimized
// nor maximized) rectangle in screen coordinates, right and bottom exclusive.
struct WindowPlacement
{
    enum ShowCmd { Hidden = 0, Normal = 1, Minimized = 2, Maximized = 3 };
    // Set while a window minimized from the maximized state: it comes back maximized.
    enum Flag { RestoreToMaximized = 2 };

    int flags = 0;
    int showCmd = Normal;
    QPoint minPosition{-1, -1};
    QPoint maxPosition{-1, -1};
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // "MinMaxPos": minimized x, y, maximized x, y.
    QString minMaxPosText() const;
    // "NormPos": left, top, right, bottom.
    QString normPosText() const;

    // The first four words of text, split at spaces and commas, as decimal
    // integers; a missing or malformed word takes its fallback.
    static QList<int> words(const QString &text, const QList<int> &fallbacks);
};
