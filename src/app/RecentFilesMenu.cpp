#include "app/RecentFilesMenu.h"

#include "app/RecentFileList.h"

#include <QAction>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(QMenu *menu, QAction *before, QObject *parent)
    : QObject(parent), m_menu(menu), m_before(before)
{}

void RecentFilesMenu::setMRUList(RecentFileList *list)
{
    if (m_list)
        disconnect(m_list, nullptr, this, nullptr);
    m_list = list;
    if (list) {
        connect(list, &RecentFileList::changed, this, &RecentFilesMenu::rebuild);
        connect(list, &QObject::destroyed, this, &RecentFilesMenu::rebuild);
    }
    rebuild();
}

void RecentFilesMenu::rebuild()
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
    const qsizetype count = m_list->items().size();
    for (int p = 0; p < count; ++p) {
        auto *command = new QAction(m_list->caption(p), m_menu);
        connect(command, &QAction::triggered, this, [this, p] {
            if (m_list)
                m_list->click(p);
        });
        m_menu->insertAction(m_before, command);
        m_commands.append(command);
    }
}
