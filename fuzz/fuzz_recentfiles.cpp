// The recent-files list loaded from an arbitrary settings file: it loads or
// reports "Invalid data type for '%s'", never holds more entries than it may
// keep nor an empty one, and what it saves loads back as it was.
#include "app/RecentFileList.h"
#include "base/EditorError.h"
#include "settings/SettingsBackingStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

const QString Section = QStringLiteral("Melbrin\\TrevixStyleEditor\\ReopenList");

QString freshFile(const QTemporaryDir &dir)
{
    // A name of its own for every input: the settings layer caches files by name.
    static int count = 0;
    return dir.filePath(QStringLiteral("settings%1.conf").arg(++count));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // In memory where there is such a folder: every save ends in a flush to the disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm/fuzz_recentfiles-XXXXXX")
                                     : QDir::tempPath()
                                               + QStringLiteral("/fuzz_recentfiles-XXXXXX"));
    const QString input = freshFile(dir);
    {
        QFile file(input);
        check(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    SettingsBackingStore::setUserFilePath(input);
    RecentFileList list;
    try {
        SettingsBackingStore store(QStringLiteral("SOFTWARE"));
        list.loadFromStore(store, Section);
    } catch (const EditorError &error) {
        check(error.message().startsWith(QLatin1String("Invalid data type for 'MRU")));
    }
    QFile::remove(input);
    check(list.items().size() <= list.maxItems());
    for (int i = 0; i < list.items().size(); ++i) {
        check(!list.items().at(i).isEmpty());
        check(list.caption(i).endsWith(list.items().at(i)));
    }

    const QString output = freshFile(dir);
    SettingsBackingStore::setUserFilePath(output);
    {
        SettingsBackingStore store(QStringLiteral("SOFTWARE"), SettingsBackingStore::ReadWrite);
        list.saveToStore(store, Section);
        store.close();
    }
    RecentFileList again;
    {
        SettingsBackingStore store(QStringLiteral("SOFTWARE"));
        again.loadFromStore(store, Section);
    }
    QFile::remove(output);
    check(again.items() == list.items());
    return 0;
}
