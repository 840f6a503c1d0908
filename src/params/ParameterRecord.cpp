#include "params/ParameterRecord.h"

QString ParameterRecord::cut(const QString &text, int maxChars)
{
    if (text.size() <= maxChars)
        return text;
    qsizetype units = 0;
    for (int chars = 0; chars < maxChars && units < text.size(); ++chars)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
    return text.left(units);
}
