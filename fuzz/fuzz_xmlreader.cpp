// The profile reader on arbitrary bytes: it either builds a tree or reports
// "Line too long"; the tree it builds is consistent and can be walked and freed.
// Every text of the tree, and every field of the parameter records made from
// it, holds the file's bytes: encoding gives them back unchanged, cut to the
// field's width in characters (a byte that is not part of valid UTF-8 counts
// as one, a valid sequence is never split).
#include "FirstChars.h"
#include "base/SystemText.h"
#include "style/StyleDocument.h"
#include "xml/ProfileXmlReader.h"
#include "xml/XmlParseError.h"

#include <QBuffer>

#include <climits>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkBytes(const QString &text, QByteArrayView bytes, int maxChars)
{
    check(SystemText::encode(text) == firstChars(bytes, maxChars));
}

// The raw value of the first attribute line named name, in any letter case.
QByteArrayView attributeBytes(const XmlItem *item, QByteArrayView name)
{
    QByteArrayView rest = item->attributeBytes();
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        const QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        const qsizetype eq = line.indexOf('=');
        if (eq >= 0
            && QString::fromUtf8(line.first(eq)).compare(QLatin1String(name), Qt::CaseInsensitive)
                       == 0)
            return line.sliced(eq + 1);
    }
    return {};
}

void walk(const XmlItem *root, const ProfileXmlReader *owner)
{
    std::vector<const XmlItem *> pending{root};
    int visited = 0;
    while (!pending.empty()) {
        const XmlItem *item = pending.back();
        pending.pop_back();
        check(item->owner() == owner);
        // What a profile load asks of an element; the first ones are enough
        // to reach every path, and text is costly under the sanitizers.
        if (++visited <= 64) {
            (void)item->attribute(u"type");
            (void)item->attribute(u"values");
            (void)item->attribute(u"default");
            checkBytes(item->name(), item->nameBytes(), INT_MAX);
            checkBytes(item->text(), item->textBytes(), INT_MAX);
            checkBytes(item->attributes().join(QLatin1Char('\n')), item->attributeBytes(), INT_MAX);
        }
        for (int i = 0; i < item->count(); ++i) {
            check(item->item(i)->parent() == item);
            pending.push_back(item->item(i));
        }
    }
}

// The records a profile load makes, field by field against the items' bytes,
// in the load's order: an element before its children.
void checkRecords(const StyleDocument &document)
{
    const ProfileXmlReader &parser = document.profileReader();
    const ParameterTable &table = document.table();
    int next = 0;
    std::vector<std::pair<const XmlItem *, QByteArrayView>> pending{{parser.root(), {}}};
    while (!pending.empty() && next < 64) {
        const auto [item, group] = pending.back();
        pending.pop_back();
        if (!group.isEmpty() && group != "root") {
            check(next < table.count());
            const ParameterRecord &record = table.record(next++);
            checkBytes(record.group(), group, ParameterRecord::GroupWidth);
            checkBytes(record.name(), item->nameBytes(), ParameterRecord::NameWidth);
            checkBytes(record.caption(), item->textBytes(), ParameterRecord::TextWidth);
            checkBytes(record.type(), attributeBytes(item, "type"), ParameterRecord::TypeWidth);
            checkBytes(record.values(), attributeBytes(item, "values"),
                       ParameterRecord::ValuesWidth);
            checkBytes(record.value(), attributeBytes(item, "default"),
                       ParameterRecord::DefaultWidth);
        }
        for (int i = item->count() - 1; i >= 0; --i)
            pending.emplace_back(item->item(i), item->textBytes());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                               qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // Read as start-up reads the profile: the tree, then the records made from it.
    StyleDocument document;
    const ProfileXmlReader &parser = document.profileReader();
    try {
        document.loadProfile(&buffer);
    } catch (const XmlParseError &error) {
        check(error.message() == QLatin1String("Line too long on line 1"));
        check(parser.root()->count() == 0 && parser.root()->name().isEmpty());
        check(document.table().count() == 0 && !document.isTableReady());
        return 0;
    }
    walk(parser.root(), &parser);
    checkRecords(document);
    return 0;
}
