#include "app/GridLayoutStore.h"

#include "app/PreviewArea.h"
#include "editors/ProfileGrid.h"
#include "settings/SettingsBackingStore.h"

void GridLayoutStore::save(SettingsBackingStore &store, const QString &section,
                           const ProfileGrid &grid, const PreviewArea &preview)
{
    QStringList widths;
    for (int width : grid.columnWidths())
        widths << QString::number(width);
    store.writeText(section, QStringLiteral("GridColumnWidths"), widths.join(QLatin1Char(',')));
    store.writeText(section, QStringLiteral("GridCollapsedSections"),
                    grid.collapsedSections().join(QLatin1Char('\n')));
    store.writeText(section, QStringLiteral("PreviewPanelWidth"),
                    QString::number(preview.panelWidth()));
}

void GridLayoutStore::restore(SettingsBackingStore &store, const QString &section,
                              ProfileGrid &grid, PreviewArea &preview)
{
    QList<int> widths;
    const QString widthText = store.readText(section, QStringLiteral("GridColumnWidths"), QString());
    for (const QString &width : widthText.split(QLatin1Char(','), Qt::SkipEmptyParts))
        widths << width.toInt();
    grid.setColumnWidths(widths);
    const QString collapsed = store.readText(section, QStringLiteral("GridCollapsedSections"),
                                             QString());
    grid.setCollapsedSections(collapsed.split(QLatin1Char('\n'), Qt::SkipEmptyParts));
    bool ok = false;
    const int panelWidth
            = store.readText(section, QStringLiteral("PreviewPanelWidth"), QString()).toInt(&ok);
    if (ok)
        preview.restorePanelWidth(panelWidth);
}
