#pragma once

#include <QString>
#include <QStringList>

// What the chart movie reports when the user picks one of its elements in the
// preview: the style keys the element is drawn with, the one that shapes it
// most first. The movie sends them, comma-separated, with the fscommand
// "trevixPick"; the page passes a report that has the strict shape below on
// as a console message, Prefix followed by the keys. Nothing else the movie
// sends leaves the page.
class PickReport
{
public:
    static constexpr char Prefix[] = "trevix-pick:";
    static constexpr char Command[] = "trevixPick";
    // What the keys must be as a whole: one to 16 keys of one to 20 letters,
    // digits, "_", "." or "-", comma-separated.
    static constexpr char Pattern[] = "[A-Za-z0-9_.-]{1,20}(?:,[A-Za-z0-9_.-]{1,20}){0,15}";

    // The keys of a console message, or none when it is no report.
    static QStringList keys(const QString &message);
};
