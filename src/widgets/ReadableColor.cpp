#include "widgets/ReadableColor.h"

#include <QApplication>

#include <cmath>

namespace ReadableColor {

namespace {

double channel(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &color)
{
    // As drawn: eight bits a channel.
    const QRgb rgb = color.rgb();
    return 0.2126 * channel(qRed(rgb) / 255.0) + 0.7152 * channel(qGreen(rgb) / 255.0)
           + 0.0722 * channel(qBlue(rgb) / 255.0);
}

QColor mixed(const QColor &from, const QColor &to, double share)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * share),
                            float(a.greenF() + (b.greenF() - a.greenF()) * share),
                            float(a.blueF() + (b.blueF() - a.blueF()) * share));
}

} // namespace

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor on(const QColor &background, const QColor &wanted)
{
    if (contrast(background, wanted) >= TextContrast)
        return wanted;
    // Towards the end that lies farther from the background.
    const QColor end = contrast(background, Qt::white) >= contrast(background, Qt::black)
                               ? QColor(Qt::white)
                               : QColor(Qt::black);
    for (int step = 1; step < 20; ++step) {
        // As drawn: eight bits a channel.
        const QColor candidate = QColor(mixed(wanted, end, step / 20.0).rgb());
        if (contrast(background, candidate) >= TextContrast)
            return candidate;
    }
    return end;
}

QPalette readable(const QPalette &scheme)
{
    struct Pair
    {
        QPalette::ColorRole text;
        QPalette::ColorRole background;
    };
    constexpr Pair Pairs[] = {
            {QPalette::Text, QPalette::Base},
            {QPalette::PlaceholderText, QPalette::Base},
            {QPalette::WindowText, QPalette::Window},
            {QPalette::ButtonText, QPalette::Button},
            {QPalette::HighlightedText, QPalette::Highlight},
            {QPalette::ToolTipText, QPalette::ToolTipBase},
    };
    QPalette result = scheme;
    // Disabled text is meant to read less well.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const Pair &pair : Pairs) {
            const QColor background = scheme.color(group, pair.background);
            // A see-through text colour (placeholders) as it shows on its background.
            const QColor text = mixed(background, scheme.color(group, pair.text),
                                      scheme.color(group, pair.text).alphaF());
            const QColor shown = on(background, QColor(text.rgb()));
            if (shown.rgb() != text.rgb())
                result.setColor(group, pair.text, shown);
        }
    }
    return result;
}

void makeApplicationReadable()
{
    // Read before any is set: setting the application's palette may drop them.
    const char *const Kinds[] = {"QLineEdit",       "QTextEdit", "QAbstractItemView", "QComboBox",
                                 "QAbstractButton", "QMenu",     "QMenuBar",          "QTabBar",
                                 "QHeaderView",     "QLabel",    "QToolTip"};
    QList<std::pair<const char *, QPalette>> kinds;
    const QPalette scheme = QApplication::palette();
    for (const char *kind : Kinds) {
        const QPalette own = QApplication::palette(kind);
        if (own != scheme)
            kinds.append({kind, own});
    }
    if (readable(scheme) != scheme)
        QApplication::setPalette(readable(scheme));
    for (const auto &[kind, own] : kinds) {
        if (readable(own) != own || QApplication::palette(kind) != own)
            QApplication::setPalette(readable(own), kind);
    }
}

QColor swatchFrame(const QColor &background)
{
    return on(background, QColor(0x80, 0x80, 0x80));
}

} // namespace ReadableColor
