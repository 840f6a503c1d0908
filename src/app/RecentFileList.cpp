#include "app/RecentFileList.h"

#include "base/SystemText.h"
#include "settings/SettingsBackingStore.h"

namespace {

// How the file system compares names.
constexpr Qt::CaseSensitivity FileNameCase =
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
        Qt::CaseInsensitive;
#else
        Qt::CaseSensitive;
#endif

// The entries' value names in the store: MRU1, MRU2, ...
const QLatin1String ValueNamePrefix("MRU");

} // namespace

RecentFileList::RecentFileList(QObject *parent) : QObject(parent) {}

void RecentFileList::setMaxItems(int maxItems)
{
    m_maxItems = maxItems;
    if (m_items.size() > qMax(m_maxItems, 0))
        notifyChanged();
}

void RecentFileList::addFile(const QString &fileName)
{
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items[i].compare(fileName, FileNameCase) != 0)
            continue;
        if (i > 0) {
            m_items.move(i, 0);
            notifyChanged();
        }
        m_items[0] = fileName;
        notifyChanged();
        return;
    }
    insert(0, fileName);
}

void RecentFileList::click(int position)
{
    if (position < 0 || position >= m_items.size())
        return;
    if (position > 0) {
        m_items.move(position, 0);
        notifyChanged();
    }
    emit clicked(m_items.first());
}

QString RecentFileList::caption(int position) const
{
    // A kept byte shows as the mark of a byte that is not text.
    const QString text = SystemText::displayed(m_items.at(position)).replace(u'&', "&&");
    QChar accelerator;
    if (position < 9)
        accelerator = QChar(u'1' + position);
    else if (position < 35)
        accelerator = QChar(u'A' + position - 9);
    else
        return text;
    return QStringLiteral("&%1 %2").arg(accelerator, text);
}

void RecentFileList::clear()
{
    while (!m_items.isEmpty())
        remove(m_items.size() - 1);
}

void RecentFileList::loadFromStore(SettingsBackingStore &store, const QString &section)
{
    clear();
    for (int n = 1; n <= m_maxItems; ++n) {
        const QString text = store.readText(section, ValueNamePrefix + QString::number(n),
                                            QString());
        if (!text.isEmpty())
            insert(m_items.size(), text);
    }
}

void RecentFileList::saveToStore(SettingsBackingStore &store, const QString &section) const
{
    for (int n = 1; n <= m_maxItems; ++n) {
        const QString name = ValueNamePrefix + QString::number(n);
        if (n > m_items.size())
            store.removeValue(section, name);
        else
            store.writeText(section, name, m_items[n - 1]);
    }
}

void RecentFileList::insert(qsizetype position, const QString &name)
{
    m_items.insert(position, name);
    notifyChanged();
}

void RecentFileList::remove(qsizetype position)
{
    m_items.removeAt(position);
    notifyChanged();
}

void RecentFileList::notifyChanged()
{
    // Dropping the oldest entry is a change of its own.
    while (m_items.size() > qMax(m_maxItems, 0))
        remove(m_items.size() - 1);
    emit changed();
}
