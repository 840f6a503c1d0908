#include "style/StyleDocument.h"

#include "params/TableWalk.h"
#include "style/StyleFile.h"

#include <QScopeGuard>

#include <utility>
#include <vector>

StyleDocument::StyleDocument(QObject *parent) : QObject(parent)
{
    connect(&XMLMemoryData, &ParameterTable::afterPost, this, &StyleDocument::XMLMemoryDataAfterPost);
}

void StyleDocument::loadProfile(const QString &fileName)
{
    FTableReady = false;
    XML.LoadFromFile(fileName);
    fillTable();
}

void StyleDocument::loadProfile(QIODevice *stream)
{
    FTableReady = false;
    XML.LoadFromStream(stream);
    fillTable();
}

void StyleDocument::fillTable()
{
    // The posts of the load only mark the document modified: the table is not ready yet.
    FNextId = 1;
    LoadProfileItem(XML.Root(), QString());
    XMLMemoryData.first();
    FTableReady = true;
}

void StyleDocument::LoadProfileItem(TXMLItem *item, const QString &group)
{
    // An explicit stack instead of recursion: a deeply nested profile must not
    // exhaust the call stack. Children are pushed in reverse to keep document order.
    std::vector<std::pair<TXMLItem *, QString>> pending{{item, group}};
    while (!pending.empty()) {
        auto [element, section] = std::move(pending.back());
        pending.pop_back();
        if (!section.isEmpty() && section != QLatin1String("root")) {
            ParameterRecord record;
            record.id = FNextId;
            record.setPGroup(section);
            record.setPName(element->name());
            record.setPText(element->text());
            record.setPType(element->attribute(u"type"));
            record.setPValues(element->attribute(u"values"));
            record.setPDefault(element->attribute(u"default"));
            XMLMemoryData.append(record);
            ++FNextId;
        }
        // The children share one copy of their section's caption.
        const QString caption = element->count() > 0 ? element->text() : QString();
        for (int i = element->count() - 1; i >= 0; --i)
            pending.emplace_back(element->item(i), caption);
    }
}

QString StyleDocument::GetParamValue(const QString &name)
{
    for (TableWalk walk(XMLMemoryData); !XMLMemoryData.eof(); XMLMemoryData.next()) {
        if (XMLMemoryData.current().pName() == name)
            return XMLMemoryData.current().pDefault();
    }
    return {};
}

void StyleDocument::ClearValues()
{
    FTableReady = false;
    const auto ready = qScopeGuard([this] { FTableReady = true; });
    {
        for (TableWalk walk(XMLMemoryData); !XMLMemoryData.eof(); XMLMemoryData.next())
            XMLMemoryData.postValue(QString());
    }
    emit valuesCleared();
}

void StyleDocument::LoadStyleValues(const QString &fileName)
{
    FTableReady = false;
    const auto ready = qScopeGuard([this] { FTableReady = true; });
    const StyleFile style = StyleFile::load(fileName);
    {
        for (TableWalk walk(XMLMemoryData); !XMLMemoryData.eof(); XMLMemoryData.next())
            XMLMemoryData.postValue(style.value(XMLMemoryData.current().pName()).value_or(QString()));
    }
    emit valuesLoaded(fileName);
}

void StyleDocument::SaveStyleValues(const QString &fileName)
{
    QStringList lines;
    {
        for (TableWalk walk(XMLMemoryData); !XMLMemoryData.eof(); XMLMemoryData.next()) {
            const ParameterRecord &record = XMLMemoryData.current();
            if (StyleFile::hasValue(record.pDefault()))
                lines.append(StyleFile::line(record.pName(), record.pDefault()));
        }
    }
    StyleFile::save(fileName, lines);
    emit valuesSaved(fileName);
    emit refreshRequested();
}

void StyleDocument::XMLMemoryDataAfterPost()
{
    setModified(true);
    if (FTableReady)
        SaveStyleValues(styleTxtPath());
}

void StyleDocument::setFileName(const QString &fileName)
{
    if (FFileName == fileName)
        return;
    FFileName = fileName;
    emit stateChanged();
}

void StyleDocument::setModified(bool modified)
{
    if (FModified == modified)
        return;
    FModified = modified;
    emit stateChanged();
}
