#pragma once

#include "app/TTBMRUList.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

// Shows the commands of a recent-files list in its place in a menu: one
// command per entry, right before the action `before` (at the end when it is
// null), without a submenu of their own.
class TTBMRUListItem : public QObject
{
    Q_OBJECT

public:
    TTBMRUListItem(QMenu *menu, QAction *before, QObject *parent = nullptr);

    TTBMRUList *MRUList() const { return m_list; }
    void setMRUList(TTBMRUList *list);

private:
    void rebuild();

    QPointer<TTBMRUList> m_list;
    // Menus and lists go in any order when the window closes.
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_before;
    QList<QPointer<QAction>> m_commands;
};
