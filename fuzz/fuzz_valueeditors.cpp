// The value editors' reading of a row on arbitrary text: the choices of plain
// and conditional lists (with the controlling parameter's value), the "spin"
// domain and value, and the colour and font-style values. Every popup ends
// with OK, so whatever it was started from is also written back.
#include "base/EditorError.h"
#include "params/NumberBox.h"
#include "style/StyleDocument.h"
#include "style/ValueEditing.h"
#include "style/ValuePopups.h"

#include <cstdio>
#include <cstdlib>

namespace {

void fail(const char *condition, int line)
{
    std::fprintf(stderr, "check failed on line %d: %s\n", line, condition);
    std::abort();
}
#define check(condition) ((condition) ? void() : fail(#condition, __LINE__))

class AcceptingPopups : public ValuePopups
{
public:
    bool execList(const QStringList &choices, int &selected) override
    {
        check(!choices.isEmpty());
        check(selected >= -1 && selected < choices.size());
        return true;
    }
    bool execFont(QString &) override { return true; }
    bool execSpin(NumberBox &box) override
    {
        if (box.minValue() < box.maxValue())
            check(box.value() >= box.minValue() && box.value() <= box.maxValue());
        return true;
    }
    bool execColor(ColorRef &) override { return true; }
    bool execFontStyle(FontStyleValue &style) override
    {
        check(style.number() >= 0 && style.number() <= 7);
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const char *types[] = {"list", "spin", "color", "fontstyle"};
    // The first byte picks the type; the rest is domain, value and the
    // controlling parameter's value, separated by line feeds.
    const QStringList parts = QString::fromUtf8(reinterpret_cast<const char *>(data) + 1,
                                                qsizetype(size - 1))
                                      .split(QLatin1Char('\n'));
    auto part = [&parts](int i) { return i < parts.size() ? parts.at(i) : QString(); };

    StyleDocument document;
    ParameterRecord control;
    control.setName(QStringLiteral("k"));
    control.setValue(part(2));
    document.table().append(control);
    ParameterRecord row;
    row.setName(QStringLiteral("p"));
    row.setType(QLatin1String(types[data[0] % 4]));
    row.setValues(part(0));
    row.setValue(part(1));
    document.table().append(row);

    AcceptingPopups popups;
    ValueEditing editing;
    try {
        check(editing.edit(document, popups));
    } catch (const EditorError &error) {
        check(error.message().endsWith(QLatin1String("' is not a valid integer value")));
        return 0;
    }
    check(document.table().current().value().toUcs4().size()
          <= ParameterRecord::DefaultWidth); // characters, not UTF-16 units
    check(!document.isInValueEditor());
    return 0;
}
