#pragma once

#include "style/RowListModel.h"
#include "style/StyleFile.h"

#include <utility>

class StyleDocument;

// One parameter whose value differs between the document and another file.
// The row shows the parameter as it was then, also while the window that
// owns the document is being torn down.
struct ValueDifference
{
    int record = -1; // the parameter's table index
    QString caption;
    QString key;
    QString type;
    QString mine;   // the document's value
    QString theirs; // the other file's value, as the document would hold it

    bool operator==(const ValueDifference &) const = default;
};

// The parameters whose value differs between the open document and another
// style file, one row each in table order: caption, this value, that value.
// It follows every change of the document's values.
class StyleComparison : public RowListModel<ValueDifference>
{
    Q_OBJECT

public:
    enum Column { ParameterColumn, ThisColumn, ThatColumn, TakeColumn, ColumnCount };
    enum Role { RecordIndexRole = Qt::UserRole + 100 };

    explicit StyleComparison(StyleDocument *document, QObject *parent = nullptr);

    // Reads the other file. Throws EditorError "Cannot open file %s" and
    // then compares with the file it had before.
    void compareWith(const QString &fileName);
    QString fileName() const { return m_fileName; }
    // The file's name without its folder, as shown (a byte that is not UTF-8 as U+FFFD).
    QString shownName() const;

    // Gives the document the other file's value of one row, posted as any
    // edit is.
    void take(int row);
    // Every difference as (parameter, the other file's value).
    QList<std::pair<int, QString>> theirValues() const;

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void update();

    StyleDocument *m_document;
    QString m_fileName;
    StyleFile m_theirs;
};
