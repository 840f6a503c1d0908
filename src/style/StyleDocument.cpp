#include "style/StyleDocument.h"

#include "params/TableWalk.h"
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
    m_table.first();
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
            record.id = m_nextId;
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

QString StyleDocument::paramValue(const QString &name)
{
    for (TableWalk walk(m_table); !m_table.eof(); m_table.next()) {
        if (m_table.current().name() == name)
            return m_table.current().value();
    }
    return {};
}

void StyleDocument::clearValues()
{
    m_tableReady = false;
    const auto ready = qScopeGuard([this] { m_tableReady = true; });
    {
        for (TableWalk walk(m_table); !m_table.eof(); m_table.next())
            m_table.postValue(QString());
    }
    emit valuesCleared();
}

void StyleDocument::loadStyleValues(const QString &fileName)
{
    m_tableReady = false;
    const auto ready = qScopeGuard([this] { m_tableReady = true; });
    const StyleFile style = StyleFile::load(fileName);
    {
        for (TableWalk walk(m_table); !m_table.eof(); m_table.next())
            m_table.postValue(style.value(m_table.current().name()).value_or(QString()));
    }
    emit valuesLoaded(fileName);
}

void StyleDocument::saveStyleValues(const QString &fileName)
{
    QStringList lines;
    {
        for (TableWalk walk(m_table); !m_table.eof(); m_table.next()) {
            const ParameterRecord &record = m_table.current();
            if (StyleFile::hasValue(record.value()))
                lines.append(StyleFile::line(record.name(), record.value()));
        }
    }
    StyleFile::save(fileName, lines);
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
