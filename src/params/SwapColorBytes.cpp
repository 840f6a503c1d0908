#include "params/SwapColorBytes.h"

QString swapColorBytes(const QString &text)
{
    if (text.size() != 6)
        return text;
    return text.mid(4, 2) + text.mid(2, 2) + text.mid(0, 2);
}
