#pragma once

#include "base/ColorRef.h"
#include "widgets/FontEntryList.h"

#include <QComboBox>
#include <QIcon>

class FontSampleWindow;

// A drop-down list of the installed fonts, each row written in its own face
// behind an icon of its kind, with the fonts picked most recently repeated
// at the top and a preview window beside the open list. Entries read
// face "=" tag; fontName follows the rules of FontEntryList.
class FontComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit FontComboBox(QWidget *parent = nullptr);
    ~FontComboBox() override;

    // The installed fonts, one per family name (whichever foundries provide
    // it): scalable symbol fonts as TrueType symbol, other scalable fonts of
    // a Latin writing system as TrueType Western, bitmap fonts as raster.
    static QList<FontFace> installedFaces();
    // Lists these faces instead of the installed ones.
    void setFontFaces(const QList<FontFace> &faces);

    FontEntryList *entries() const { return m_entries; }
    FontSampleWindow *preview() const { return m_preview; }

    QString fontName() const { return m_entries->fontName(); }
    void setFontName(const QString &name);

    FontKinds fontKinds() const { return m_fontKinds; }
    void setFontKinds(FontKinds types);
    bool moveUsedToTop() const { return m_entries->moveUsedToTop(); }
    void setMoveUsedToTop(bool on) { m_entries->setMoveUsedToTop(on); }
    int maxUsed() const { return m_entries->maxUsed(); }
    void setMaxUsed(int maxUsed) { m_entries->setMaxUsed(maxUsed); }
    ColorRef colorUsed() const { return m_colorUsed; }
    void setColorUsed(ColorRef color) { m_colorUsed = color; }
    QString previewText() const { return m_previewText; }
    void setPreviewText(const QString &text);
    int previewWidth() const;
    void setPreviewWidth(int width);
    int previewHeight() const;
    void setPreviewHeight(int height);
    bool showPreview() const { return m_showPreview; }
    void setShowPreview(bool on) { m_showPreview = on; }
    bool showPreviewFontName() const { return m_showPreviewFontName; }
    void setShowPreviewFontName(bool on);
    bool showPreviewInList() const { return m_showPreviewInList; }
    void setShowPreviewInList(bool on) { m_showPreviewInList = on; }
    bool showPreviewInEdit() const { return m_showPreviewInEdit; }
    void setShowPreviewInEdit(bool on) { m_showPreviewInEdit = on; }
    bool showImagesFontType() const { return m_showImagesFontType; }
    void setShowImagesFontType(bool on) { m_showImagesFontType = on; }

    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height) { m_itemHeight = height; }

    // The face a row is written in: its own, except for symbol fonts and
    // when the preview in the list (or in the closed face) is off.
    QFont entryFont(const QString &entry, bool listRow) const;
    // Draws entry row (icon, face name, separator below the used section).
    void paintEntry(QPainter *painter, const QRect &rect, int row, bool listRow,
                    bool selected = false) const;

    void showPopup() override;
    void hidePopup() override;

signals:
    void clicked();
    void changed();
    void aboutToDropDown();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void closeUp();
    void selectionChanged(int row);
    void previewRow(int row);
    void rebuild(const QList<FontFace> &faces);
    // Runs a change of the entries without taking the list's own index moves
    // for selections, then shows the entries' selection.
    template<typename Fn>
    void changeEntries(Fn &&change);

    FontEntryList *m_entries;
    FontSampleWindow *m_preview;
    QList<FontFace> m_faces;
    FontKinds m_fontKinds = FontKind::TrueTypeText | FontKind::TrueTypeSymbol;
    ColorRef m_colorUsed = 0x800000;
    QString m_previewText;
    bool m_showPreview = true;
    bool m_showPreviewFontName = true;
    bool m_showPreviewInList = true;
    bool m_showPreviewInEdit = false;
    bool m_showImagesFontType = true;
    int m_itemHeight = 18;
    bool m_syncing = false;
    QIcon m_iconTrueTypeAnsi;
    QIcon m_iconTrueTypeSymbol;
    QIcon m_iconRaster;
};
