#pragma once

#include <QString>

class PreviewArea;
class ProfileGrid;
class SettingsBackingStore;

// The layout the user gave the main window's client area: the grid's column
// widths and collapsed sections and the preview panel's width, kept in the
// settings store under value names of their own.
class GridLayoutStore
{
public:
    static void save(SettingsBackingStore &store, const QString &section, const ProfileGrid &grid,
                     const PreviewArea &preview);
    static void restore(SettingsBackingStore &store, const QString &section, ProfileGrid &grid,
                        PreviewArea &preview);
};
