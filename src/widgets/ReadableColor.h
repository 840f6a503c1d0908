#pragma once

#include <QColor>
#include <QPalette>

// Text colours that stay readable on whatever colours the desktop's scheme
// gives, light or dark.
namespace ReadableColor {

// The least contrast for text, as ratio of the lighter colour's luminance
// to the darker's (each plus 0.05).
constexpr double TextContrast = 4.5;

// 1 for equal colours up to 21 for black against white.
double contrast(const QColor &a, const QColor &b);

// wanted itself when it reads well on background, else wanted moved towards
// white (on a dark background) or black (on a light one) just as far as needed.
QColor on(const QColor &background, const QColor &wanted);

// The scheme with each text colour made readable on what it is drawn on
// (text on base, window text on window, button text on buttons, selected
// text on the selection, tips, placeholders); every other colour as it is.
QPalette readable(const QPalette &scheme);

// Gives the application, and the kinds of widget the desktop's scheme
// colours apart (line edits, views, ...), their readable palettes.
void makeApplicationReadable();

// The frame of a colour swatch: grey, as far from background as text would be.
QColor swatchFrame(const QColor &background);

} // namespace ReadableColor
