#pragma once

#include "app/OptionsDialog.h"
#include "editors/ColorPopup.h"
#include "editors/FontPopup.h"
#include "editors/FontStylePopup.h"
#include "editors/ListPopup.h"
#include "editors/NumberPopup.h"
#include "help/AboutDialog.h"
#include "widgets/ColorPalettePopup.h"
#include "widgets/FontComboBox.h"

#include <QComboBox>
#include <QMap>
#include <QToolButton>

#include <functional>
#include <memory>

// The editor's dialogs and popups, made by name as the editor makes them,
// with a value to show. The colour palette is the application's one and
// stays its own.
class EditorWindows
{
public:
    explicit EditorWindows(const QString &appDir)
    {
        m_factories = {
                {"About", [] { return new AboutDialog; }},
                {"Options", [appDir] { return new OptionsDialog(appDir); }},
                {"List popup",
                 [] {
                     auto *popup = new ListPopup;
                     popup->comboBox()->addItems(
                             {QStringLiteral("0 - none"), QStringLiteral("1 - thin line")});
                     return popup;
                 }},
                {"Font popup",
                 [] {
                     auto *popup = new FontPopup;
                     popup->fontComboBox()->setFontName(QStringLiteral("DejaVu Sans"));
                     return popup;
                 }},
                {"Number popup", [] { return new NumberPopup; }},
                {"Colour popup", [] { return new ColorPopup; }},
                {"Font style popup", [] { return new FontStylePopup; }},
                {"Colour palette",
                 [] {
                     ColorPalettePopup *palette = ColorPalettePopup::instance();
                     palette->otherButton()->setText(QStringLiteral("&Other colors..."));
                     return palette;
                 }},
        };
    }

    static QStringList names()
    {
        return {"About",        "Options",      "List popup",       "Font popup",
                "Number popup", "Colour popup", "Font style popup", "Colour palette"};
    }

    // A window of a test's own, made by name like the others.
    void add(const QString &name, std::function<QWidget *()> factory)
    {
        m_factories.insert(name, std::move(factory));
    }

    // The window; owned by the caller unless it is the colour palette.
    QWidget *make(const QString &name) const { return m_factories.value(name)(); }
    static std::unique_ptr<QWidget> owned(const QString &name, QWidget *made)
    {
        return std::unique_ptr<QWidget>(name == QLatin1String("Colour palette") ? nullptr : made);
    }

private:
    QMap<QString, std::function<QWidget *()>> m_factories;
};
