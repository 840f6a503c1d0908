#pragma once

#include <QAbstractItemModel>
#include <QCollator>

#include <memory>
#include <vector>

class ParameterRecord;
class ParameterTable;

// The parameter table seen as a tree: one group row per section, in the
// locale's order of the section texts, holding that section's parameters in
// table order. Columns: caption, value (editable) and section.
class ProfileGridModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column { ParameterColumn, ValueColumn, SectionColumn, ColumnCount };
    enum Role {
        RecordIndexRole = Qt::UserRole + 1,
        DiffersFromProfileRole,
        TypeRole,
        HighlightRole
    };

    explicit ProfileGridModel(ParameterTable *table, QObject *parent = nullptr);
    ~ProfileGridModel() override;

    ParameterTable *table() const { return m_table; }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The table index of the parameter at index, or -1 for a group row.
    int recordIndex(const QModelIndex &index) const;
    QModelIndex indexOfRecord(int recordIndex, int column = ParameterColumn) const;
    bool isGroup(const QModelIndex &index) const;

    // Parameters shown highlighted (HighlightRole): those that style an
    // element picked in the preview along with the one selected.
    void setHighlighted(const QList<int> &recordIndexes);

private:
    struct Group;

    // What an assistive technology says of a parameter's cell (Qt::AccessibleTextRole)
    // and of the rest of its row (Qt::AccessibleDescriptionRole).
    static QString spokenText(const ParameterRecord &record, int column, int role);
    // The value in words where the grid shows it so: a font style as its styles.
    static QString spokenValue(const ParameterRecord &record);

    void appendRecord(int recordIndex);
    void refreshValue(int recordIndex);
    void refreshAllValues();
    Group *groupOf(const QModelIndex &index) const;

    ParameterTable *m_table;
    QCollator m_collator;
    std::vector<std::unique_ptr<Group>> m_groups;
    std::vector<std::pair<Group *, int>> m_placeOfRecord; // record -> (group, row in group)
    QList<int> m_highlighted;
};
