#pragma once

#include "app/RecentFileList.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

// Shows the commands of a recent-files list in its place in a menu: one
// command per entry, right before the action `before` (at the end when it is
// null), without a submenu of their own.
class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    RecentFilesMenu(QMenu *menu, QAction *before, QObject *parent = nullptr);

    RecentFileList *mruList() const { return m_list; }
    void setMRUList(RecentFileList *list);

private:
    void rebuild();

    QPointer<RecentFileList> m_list;
    // Menus and lists go in any order when the window closes.
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_before;
    QList<QPointer<QAction>> m_commands;
};
