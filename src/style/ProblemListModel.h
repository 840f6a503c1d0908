#pragma once

#include "style/RowListModel.h"
#include "style/StyleRules.h"

#include <optional>

class StyleDocument;

// The problems of the open document, one row each: its line in the style
// file the values came from, the key and the message, by the same rules as
// "--check". The lines Save will not keep (keys the profile does not know,
// "&" lines without "=", repeated keys) are listed with that note. Lines a
// value was changed since are checked with the current value; a value that
// comes from no line is checked too, without a line number.
class ProblemListModel : public RowListModel<StyleRules::Problem>
{
    Q_OBJECT

public:
    enum Column { LineColumn, KeyColumn, MessageColumn, ColumnCount };
    enum Role { RecordIndexRole = Qt::UserRole + 1 };

    // Lines Save will not keep beyond this many are counted, not checked.
    static constexpr int DroppedLineLimit = 1000;

    explicit ProblemListModel(StyleDocument *document, QObject *parent = nullptr);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QString droppedNote();

private:
    struct SourceLine
    {
        StyleFile::Line line;
        bool kept = false; // the first line of a key the profile knows: Save writes its parameter
    };

    void readSource(const QString &fileName);
    void update();
    const StyleRules &rules();

    StyleDocument *m_document;
    std::optional<StyleRules> m_rules;
    int m_rulesCount = -1; // the parameters the rules were made for
    QList<SourceLine> m_source;
    int m_unlisted = 0; // lines Save will not keep past the limit
};
