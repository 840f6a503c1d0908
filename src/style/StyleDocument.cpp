#include "style/StyleDocument.h"

#include "style/StyleFile.h"

#include <QScopeGuard>

#include <utility>
#include <vector>

StyleDocument::StyleDocument(QObject *parent) : QObject(parent)
{
    connect(&m_table, &ParameterTable::afterPost, this, &StyleDocument::valuePosted);
}

void StyleDocument::loadProfile(const QString &fileName)
{
    m_tableReady = false;
    m_reader.loadFromFile(fileName);
    fillTable();
}

void StyleDocument::loadProfile(QIODevice *stream)
{
    m_tableReady = false;
    m_reader.loadFromStream(stream);
    fillTable();
}

void StyleDocument::fillTable()
{
    // The posts of the load only mark the document modified: the table is not ready yet.
    m_nextId = 1;
    loadProfileItem(m_reader.root(), QString());
    m_table.setCurrentIndex(0);
    m_tableReady = true;
}

void StyleDocument::loadProfileItem(XmlItem *item, const QString &group)
{
    // An explicit stack instead of recursion: a deeply nested profile must not
    // exhaust the call stack. Children are pushed in reverse to keep document order.
    std::vector<std::pair<XmlItem *, QString>> pending{{item, group}};
    while (!pending.empty()) {
        auto [element, section] = std::move(pending.back());
        pending.pop_back();
        if (!section.isEmpty() && section != QLatin1String("root")) {
            ParameterRecord record;
            record.setId(m_nextId);
            record.setGroup(section);
            record.setName(element->name());
            record.setCaption(element->text());
            record.setType(element->attribute(u"type"));
            record.setValues(element->attribute(u"values"));
            record.setValue(element->attribute(u"default"));
            m_table.append(record);
            ++m_nextId;
        }
        // The children share one copy of their section's caption.
        const QString caption = element->count() > 0 ? element->text() : QString();
        for (int i = element->count() - 1; i >= 0; --i)
            pending.emplace_back(element->item(i), caption);
    }
}

QString StyleDocument::paramValue(const QString &name) const
{
    const int index = m_table.indexOfKey(name);
    return index < 0 ? QString() : m_table.record(index).value();
}

void StyleDocument::setAllValues(const std::function<QString(const ParameterRecord &)> &valueOf)
{
    const ScopedFlag filling = fillingTable();
    // The views catch up once, when the last value is in.
    m_table.disableControls();
    const auto enable = qScopeGuard([this] { m_table.enableControls(); });
    for (int i = 0; i < m_table.count(); ++i)
        m_table.setValue(i, valueOf(m_table.record(i)));
}

void StyleDocument::clearValues()
{
    setAllValues([](const ParameterRecord &) { return QString(); });
    emit valuesCleared();
}

bool StyleDocument::loadStyleValues(const QString &fileName)
{
    const StyleFile style = StyleFile::load(fileName);
    setAllValues([&style](const ParameterRecord &record) {
        return style.value(record.name()).value_or(QString());
    });
    emit valuesLoaded(fileName);
    return style.holdsStyleLines();
}

QStringList StyleDocument::styleLines(
        const std::function<QString(const ParameterRecord &)> &valueOf) const
{
    QStringList lines;
    for (int i = 0; i < m_table.count(); ++i) {
        const ParameterRecord &record = m_table.record(i);
        const QString value = valueOf(record);
        if (StyleFile::hasValue(value))
            lines.append(StyleFile::line(record.name(), value));
    }
    return lines;
}

void StyleDocument::saveStyleValues(const QString &fileName)
{
    StyleFile::save(fileName,
                    styleLines([](const ParameterRecord &record) { return record.value(); }));
    emit valuesSaved(fileName);
    emit refreshRequested();
}

void StyleDocument::valuePosted()
{
    setModified(true);
    if (m_tableReady)
        saveStyleValues(styleTxtPath());
}

void StyleDocument::setFileName(const QString &fileName)
{
    if (m_fileName == fileName)
        return;
    m_fileName = fileName;
    emit stateChanged();
}

void StyleDocument::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit stateChanged();
}
