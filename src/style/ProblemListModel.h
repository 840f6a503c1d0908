#pragma once

#include "style/RowListModel.h"
#include "style/SourceLines.h"
#include "style/StyleRules.h"

#include <optional>

class StyleDocument;

// The problems of the open document, one row each: its line in the style
// file the values came from, the key and the message, by the same rules as
// "--check", the lines Save will not keep included. Lines a value was
// changed since are checked with the current value; a value that comes from
// no line is checked too, without a line number.
class ProblemListModel : public RowListModel<StyleRules::Problem>
{
    Q_OBJECT

public:
    enum Column { LineColumn, KeyColumn, MessageColumn, ColumnCount };
    enum Role { RecordIndexRole = Qt::UserRole + 1 };

    explicit ProblemListModel(StyleDocument *document, QObject *parent = nullptr);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void readSource(const QString &fileName);
    void update();
    const StyleRules &rules();

    StyleDocument *m_document;
    std::optional<StyleRules> m_rules;
    int m_rulesCount = -1; // the parameters the rules were made for
    SourceLines m_source;
    bool m_sourceRead = false; // the values came from a file, whose lines m_source holds
};
