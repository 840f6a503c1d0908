#include "app/TTBMRUList.h"

#include "settings/SettingsBackingStore.h"


TTBMRUList::TTBMRUList(QObject *parent) : QObject(parent) {}

void TTBMRUList::AddFile(const QString &Filename)
{
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items[i].compare(Filename, Qt::CaseInsensitive) != 0)
            continue;
        if (i > 0) {
            m_items.move(i, 0);
            changed();
        }
        m_items[0] = Filename;
        changed();
        return;
    }
    insert(0, Filename);
}

void TTBMRUList::Click(int position)
{
    if (position < 0 || position >= m_items.size())
        return;
    if (position > 0) {
        m_items.move(position, 0);
        changed();
    }
    emit OnClick(m_items.first());
}

QString TTBMRUList::caption(int position) const
{
    const QString &text = m_items.at(position);
    QChar accelerator;
    if (position < 9)
        accelerator = QChar(u'1' + position);
    else if (position < 35)
        accelerator = QChar(u'A' + position - 9);
    else
        return text;
    return QStringLiteral("&%1 %2").arg(accelerator, text);
}

void TTBMRUList::Clear()
{
    while (!m_items.isEmpty())
        remove(m_items.size() - 1);
}

void TTBMRUList::LoadFromStore(SettingsBackingStore &store, const QString &section)
{
    Clear();
    for (int n = 1; n <= MaxItems; ++n) {
        const QString text = store.ReadText(section, Prefix + QString::number(n), QString());
        if (!text.isEmpty())
            insert(m_items.size(), text);
    }
}

void TTBMRUList::SaveToStore(SettingsBackingStore &store, const QString &section) const
{
    for (int n = 1; n <= MaxItems; ++n) {
        const QString name = Prefix + QString::number(n);
        if (n > m_items.size())
            store.RemoveValue(section, name);
        else
            store.WriteText(section, name, m_items[n - 1]);
    }
}

void TTBMRUList::insert(qsizetype position, const QString &name)
{
    m_items.insert(position, name);
    changed();
}

void TTBMRUList::remove(qsizetype position)
{
    m_items.removeAt(position);
    changed();
}

void TTBMRUList::changed()
{
    // Dropping the oldest entry is a change of its own.
    while (m_items.size() > qMax(MaxItems, 0))
        remove(m_items.size() - 1);
    emit OnChange();
}
