#include "app/TTBMRUListItem.h"

#include "app/TTBMRUList.h"

#include <QAction>
#include <QMenu>

TTBMRUListItem::TTBMRUListItem(QMenu *menu, QAction *before, QObject *parent)
    : QObject(parent), m_menu(menu), m_before(before)
{
}

void TTBMRUListItem::setMRUList(TTBMRUList *list)
{
    if (m_list)
        disconnect(m_list, nullptr, this, nullptr);
    m_list = list;
    if (list) {
        connect(list, &TTBMRUList::OnChange, this, &TTBMRUListItem::rebuild);
        connect(list, &QObject::destroyed, this, &TTBMRUListItem::rebuild);
    }
    rebuild();
}

void TTBMRUListItem::rebuild()
{
    // The list changes while one of these commands is being chosen: let it finish before it goes.
    for (const QPointer<QAction> &command : std::as_const(m_commands)) {
        if (!command)
            continue;
        if (m_menu)
            m_menu->removeAction(command);
        command->deleteLater();
    }
    m_commands.clear();
    if (!m_list || !m_menu)
        return;
    const qsizetype count = m_list->Items().size();
    for (int p = 0; p < count; ++p) {
        auto *command = new QAction(m_list->caption(p), m_menu);
        connect(command, &QAction::triggered, this, [this, p] {
            if (m_list)
                m_list->Click(p);
        });
        m_menu->insertAction(m_before, command);
        m_commands.append(command);
    }
}
