#pragma once

#include <QString>

// A "fontstyle" value: 1 for bold plus 2 for italic plus 4 for underline.
struct FontStyleValue
{
    bool bold = false;
    bool italic = false;
    bool underline = false;

    // Takes 4, then 2, then 1 from number while it is large enough, so 9
    // sets all three and a negative number none.
    static FontStyleValue fromNumber(int number);
    int number() const { return (bold ? 1 : 0) + (italic ? 2 : 0) + (underline ? 4 : 0); }

    // The value with its meaning, such as "5 (Bold, Underline)"; a text that
    // is no number comes back as it is.
    static QString describe(const QString &value);
};
