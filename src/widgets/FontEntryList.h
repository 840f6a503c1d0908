#pragma once

#include <QAbstractListModel>
#include <QFlags>
#include <QStringList>

// The kinds of font the font picker can list.
enum class FontKind { TrueTypeText = 0x1, TrueTypeSymbol = 0x2, Raster = 0x4 };
Q_DECLARE_FLAGS(FontKinds, FontKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(FontKinds)

// One typeface as the platform reports it; kind is 0 for a font of no listed kind.
struct FontFace
{
    QString name;
    FontKinds kind;
};

// The entries of the font picker and its fontName. Every entry reads
// face "=" tag, the tag "TA", "TS" or "R" telling the kind. The first
// usedCount() entries repeat the most recently committed ones, newest first;
// the rest holds one entry per typeface, sorted.
//
// The list sees what its control reports: dropDown() when the list opens,
// closeUp() when it closes, changeSelection() for a new selection, and
// setFontName() for a name written from outside.
class FontEntryList : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { EntryRole = Qt::UserRole + 1, TagRole, UsedRole };

    using QAbstractListModel::QAbstractListModel;

    static QString faceOf(const QString &entry);
    static QString tagOf(const QString &entry);

    // Lists the faces of the given kinds, "@" faces left out, sorted by
    // the whole entry text without regard to case; duplicates stay.
    void build(const QList<FontFace> &faces, FontKinds types);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &entries() const { return m_entries; }
    int usedCount() const { return m_usedCount; }
    int selected() const { return m_selected; }
    bool isOpen() const { return m_open; }

    bool moveUsedToTop() const { return m_moveUsedToTop; }
    void setMoveUsedToTop(bool on) { m_moveUsedToTop = on; }
    int maxUsed() const { return m_maxUsed; }
    void setMaxUsed(int maxUsed) { m_maxUsed = maxUsed; }

    // The last committed entry's full text, or the face alone after a change
    // of selection made while the list was closed; empty at first.
    const QString &fontName() const { return m_fontName; }
    // Selects and commits the first entry holding name followed by "=";
    // changes nothing when no entry holds it.
    void setFontName(const QString &name);

    void dropDown();
    // The list closed with row selected; returns whether that is another
    // entry than the one selected when it opened: a new pick, whose change of
    // selection is taken after the commit.
    bool closeUp(int row);
    void changeSelection(int row);

private:
    void commit();

    QStringList m_entries;
    int m_usedCount = 0;
    int m_selected = -1;
    int m_selectedAtOpen = -1;
    bool m_open = false;
    bool m_moveUsedToTop = true;
    int m_maxUsed = 5;
    QString m_fontName;
};
