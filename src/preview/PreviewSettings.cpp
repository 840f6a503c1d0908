#include "preview/PreviewSettings.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

int bounded(double size)
{
    return int(std::lround(std::clamp(size, double(PreviewSettings::MinimumSize),
                                      double(PreviewSettings::MaximumSize))));
}

// A number as the settings hold it, or a decimal text with blanks around it.
std::optional<double> numberOf(const QVariant &value)
{
    bool ok = false;
    double number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        number = value.toDouble(&ok);
        break;
    case QMetaType::QString:
        number = QLocale::c().toDouble(value.toString().trimmed(), &ok);
        break;
    default:
        break;
    }
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

// Each item's value name and key string in the settings, in the order of Item.
struct StoredItem
{
    const char *name;
    const char *key;
};
constexpr StoredItem Stored[] = {{"SWFFile", "Quillmarten"},
                                 {"SWFWidth", "Brosendaw"},
                                 {"SWFHeight", "Tavelnok"},
                                 {"SWFDataFile", "Hemrquist"}};

int storedSize(const QVariant &value, int fallback)
{
    const std::optional<double> number = numberOf(value);
    return number ? bounded(*number) : fallback;
}

} // namespace

const QList<PreviewSettings::Item> &PreviewSettings::items()
{
    static const QList<Item> all{Item::MovieFile, Item::Width, Item::Height, Item::DataFile};
    return all;
}

QString PreviewSettings::storedName(Item item)
{
    return QLatin1String(Stored[size_t(item)].name);
}

QString PreviewSettings::scrambleKey(Item item)
{
    return QLatin1String(Stored[size_t(item)].key);
}

PreviewSettings PreviewSettings::read(const StoredValueReader &storedValue)
{
    const PreviewSettings defaults;
    const auto text = [&](Item item) { return storedValue(storedName(item)).toString(); };
    const auto size = [&](Item item, int fallback) {
        return storedSize(storedValue(storedName(item)), fallback);
    };
    return PreviewSettings(text(Item::MovieFile),
                           QSize(size(Item::Width, defaults.m_size.width()),
                                 size(Item::Height, defaults.m_size.height())),
                           text(Item::DataFile));
}

PreviewSettings::PreviewSettings(const QString &movieFile, QSize size, const QString &dataFile)
    : m_movieFile(movieFile), m_size(bounded(size.width()), bounded(size.height())),
      m_dataFile(dataFile)
{}

QVariant PreviewSettings::storedValue(Item item) const
{
    switch (item) {
    case Item::MovieFile:
        return m_movieFile;
    case Item::Width:
        return m_size.width();
    case Item::Height:
        return m_size.height();
    case Item::DataFile:
        break;
    }
    return m_dataFile;
}
