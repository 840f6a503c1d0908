#include "preview/DeviceFontFiles.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <memory>

namespace {

struct PatternDeleter
{
    void operator()(FcPattern *p) const { FcPatternDestroy(p); }
};
struct ObjectSetDeleter
{
    void operator()(FcObjectSet *s) const { FcObjectSetDestroy(s); }
};
struct FontSetDeleter
{
    void operator()(FcFontSet *s) const { FcFontSetDestroy(s); }
};

int intOf(FcPattern *font, const char *object, int fallback)
{
    int value = fallback;
    FcPatternGetInteger(font, object, 0, &value);
    return value;
}

} // namespace

QList<DeviceFontFace> DeviceFontFiles::facesOf(const QString &family)
{
    if (family.trimmed().isEmpty() || !FcInit())
        return {};
    std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    const QByteArray name = family.trimmed().toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8 *>(name.constData()));
    std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
            FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FONTFORMAT, FC_WEIGHT, FC_SLANT, FC_WIDTH,
                             nullptr));
    std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
            FcFontList(nullptr, pattern.get(), objects.get()));
    if (!fonts)
        return {};

    // Per slot (bold + 2 * italic) the face whose weight is nearest the slot's.
    std::array<DeviceFontFace, 4> faces;
    std::array<int, 4> distance{INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    for (int i = 0; i < fonts->nfont; ++i) {
        FcPattern *font = fonts->fonts[i];
        FcChar8 *file = nullptr;
        FcChar8 *format = nullptr;
        if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch
            || FcPatternGetString(font, FC_FONTFORMAT, 0, &format) != FcResultMatch)
            continue;
        const QByteArray f(reinterpret_cast<const char *>(format));
        if ((f != "TrueType" && f != "CFF") || intOf(font, FC_INDEX, 0) != 0
            || intOf(font, FC_WIDTH, FC_WIDTH_NORMAL) != FC_WIDTH_NORMAL)
            continue;
        const int weight = intOf(font, FC_WEIGHT, FC_WEIGHT_REGULAR);
        const bool bold = weight >= FC_WEIGHT_DEMIBOLD;
        const bool italic = intOf(font, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
        const int slot = int(bold) + 2 * int(italic);
        const int d = std::abs(weight - (bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR));
        const QString path = QString::fromLocal8Bit(reinterpret_cast<const char *>(file));
        if (d < distance[slot] || (d == distance[slot] && path < faces[slot].file)) {
            distance[slot] = d;
            faces[slot] = {path, bold, italic};
        }
    }
    QList<DeviceFontFace> found;
    for (const DeviceFontFace &face : faces) {
        if (!face.file.isEmpty())
            found.append(face);
    }
    return found;
}

QString DeviceFontFiles::defaultFamily(const QString &generic)
{
    if (!FcInit())
        return {};
    std::unique_ptr<FcPattern, PatternDeleter> pattern(
            FcNameParse(reinterpret_cast<const FcChar8 *>(generic.toUtf8().constData())));
    if (!pattern)
        return {};
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcPattern, PatternDeleter> match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8 *family = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &family) != FcResultMatch)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char *>(family));
}
