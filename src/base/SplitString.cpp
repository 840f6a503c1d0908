#include "base/SplitString.h"

QStringList splitString(const QString &text, const QString &delimiter)
{
    // QString::split would also split at an empty delimiter; a delimiter that
    // occurs nowhere must leave the text whole.
    if (delimiter.isEmpty())
        return {text};
    return text.split(delimiter, Qt::KeepEmptyParts, Qt::CaseSensitive);
}
