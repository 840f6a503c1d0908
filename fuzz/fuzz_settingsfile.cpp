// The settings file's reader on arbitrary bytes: it never fails, every value
// is text or kept bytes, and what it reads is written so that it reads back
// the same.
#include "settings/IniTextFormat.h"

#include <QBuffer>

#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

QSettings::SettingsMap readBack(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QSettings::SettingsMap map;
    check(IniTextFormat::read(buffer, map));
    return map;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QSettings::SettingsMap map = readBack(
            QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        check(!it.key().isEmpty() && !it.key().startsWith(u'/') && !it.key().endsWith(u'/')
              && !it.key().contains(QLatin1String("//")));
        check(it->typeId() == QMetaType::QString || it->typeId() == QMetaType::QByteArray);
    }
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    check(IniTextFormat::write(written, map));
    check(readBack(written.data()) == map);
    return 0;
}
