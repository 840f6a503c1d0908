#include "widgets/FontEntryList.h"

#include <algorithm>

QString FontEntryList::faceOf(const QString &entry)
{
    return entry.section(QLatin1Char('='), 0, 0);
}

QString FontEntryList::tagOf(const QString &entry)
{
    return entry.section(QLatin1Char('='), 1);
}

void FontEntryList::build(const QList<FontFace> &faces, FontKinds types)
{
    beginResetModel();
    m_entries.clear();
    m_usedCount = 0;
    m_selected = -1;
    for (const FontFace &face : faces) {
        if (face.name.startsWith(QLatin1Char('@')) || !(face.kind & types))
            continue;
        const char *tag = face.kind.testFlag(FontKind::TrueTypeText)     ? "TA"
                          : face.kind.testFlag(FontKind::TrueTypeSymbol) ? "TS"
                                                                         : "R";
        m_entries.append(face.name + QLatin1Char('=') + QLatin1String(tag));
    }
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    endResetModel();
}

int FontEntryList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant FontEntryList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const QString &entry = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return faceOf(entry);
    case EntryRole:
        return entry;
    case TagRole:
        return tagOf(entry);
    case UsedRole:
        return index.row() < m_usedCount;
    default:
        return {};
    }
}

void FontEntryList::setFontName(const QString &name)
{
    const QString wanted = name + QLatin1Char('=');
    const auto it = std::find_if(m_entries.cbegin(), m_entries.cend(),
                                 [&wanted](const QString &entry) { return entry.contains(wanted); });
    if (it == m_entries.cend())
        return;
    m_selected = int(it - m_entries.cbegin());
    commit();
}

void FontEntryList::dropDown()
{
    m_open = true;
    m_selectedAtOpen = m_selected;
}

bool FontEntryList::closeUp(int row)
{
    const bool picked = row != m_selectedAtOpen;
    m_selected = row;
    commit();
    if (picked)
        changeSelection(m_selected);
    return picked;
}

void FontEntryList::changeSelection(int row)
{
    m_selected = row;
    if (!m_open && row >= 0 && row < m_entries.size())
        m_fontName = faceOf(m_entries.at(row));
}

void FontEntryList::commit()
{
    // The list counts as closed also when nothing is selected, so that later
    // selections made with the list closed still set fontName.
    m_open = false;
    if (m_selected < 0 || m_selected >= m_entries.size())
        return;
    m_fontName = m_entries.at(m_selected);
    if (!m_moveUsedToTop || m_selected == 0)
        return;

    const auto used = m_entries.cbegin() + m_usedCount;
    const auto found = std::find(m_entries.cbegin(), used, m_fontName);
    if (found != used) {
        const int row = int(found - m_entries.cbegin());
        if (row > 0) {
            beginMoveRows({}, row, row, {}, 0);
            m_entries.move(row, 0);
            endMoveRows();
        }
    } else {
        beginInsertRows({}, 0, 0);
        m_entries.prepend(m_fontName);
        ++m_usedCount;
        endInsertRows();
        if (m_maxUsed != 0 && m_usedCount > m_maxUsed) {
            beginRemoveRows({}, m_maxUsed, m_maxUsed);
            m_entries.removeAt(m_maxUsed);
            --m_usedCount;
            endRemoveRows();
        }
    }
    m_selected = 0;
}
