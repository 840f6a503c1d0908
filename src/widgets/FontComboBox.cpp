#include "widgets/FontComboBox.h"

#include "widgets/DropDownPlacement.h"
#include "widgets/FontEntryDelegate.h"
#include "widgets/FontSampleWindow.h"
#include "widgets/ReadableColor.h"
#include "widgets/SystemColors.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QHash>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {
const QString DefaultPreviewText = QStringLiteral("AaBbYyZz");
}

FontComboBox::FontComboBox(QWidget *parent)
    : QComboBox(parent), m_entries(new FontEntryList(this)), m_preview(new FontSampleWindow(this)),
      m_iconTrueTypeAnsi(QStringLiteral(":/fonticons/FONTTRUETYPEANSI.svg")),
      m_iconTrueTypeSymbol(QStringLiteral(":/fonticons/FONTTRUETYPESYMBOL.svg")),
      m_iconRaster(QStringLiteral(":/fonticons/FONTRASTER.svg"))
{
    // The list drops below the control, as tall as maxVisibleItems allows.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setModel(m_entries);
    setItemDelegate(new FontEntryDelegate(this));
    setMaxVisibleItems(12);
    QFont controlFont = font();
    controlFont.setPointSize(10);
    setFont(controlFont);
    resize(200, height());
    m_preview->hide();

    connect(this, &QComboBox::currentIndexChanged, this, &FontComboBox::selectionChanged);
    connect(this, &QComboBox::highlighted, this, &FontComboBox::previewRow);
    rebuild(installedFaces());
}

FontComboBox::~FontComboBox() = default;

QList<FontFace> FontComboBox::installedFaces()
{
    // A family that several foundries provide comes as "Family [foundry]"
    // once per foundry; the list, the style files and fontconfig know it by
    // its family name, once. A family is a symbol font when any of its
    // foundries' fonts is one: symbol fonts claim Latin letters too.
    static const QRegularExpression foundry(QStringLiteral(R"( \[[^\]]*\]$)"));
    QList<FontFace> faces;
    QHash<QString, qsizetype> placeOf;
    for (const QString &listed : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(listed))
            continue;
        FontKinds kind;
        if (QFontDatabase::isSmoothlyScalable(listed)) {
            const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(
                    listed);
            if (systems.contains(QFontDatabase::Symbol))
                kind = FontKind::TrueTypeSymbol;
            else if (systems.contains(QFontDatabase::Latin))
                kind = FontKind::TrueTypeText;
        } else {
            kind = FontKind::Raster;
        }
        const QString family = QString(listed).remove(foundry);
        const auto known = placeOf.constFind(family);
        if (known == placeOf.cend()) {
            placeOf.insert(family, faces.size());
            faces.append({family, kind});
        } else if (kind.testFlag(FontKind::TrueTypeSymbol) || !faces[*known].kind) {
            faces[*known].kind = kind;
        }
    }
    return faces;
}

template<typename Fn>
void FontComboBox::changeEntries(Fn &&change)
{
    m_syncing = true;
    change();
    setCurrentIndex(m_entries->selected());
    m_syncing = false;
    update();
}

void FontComboBox::rebuild(const QList<FontFace> &faces)
{
    m_faces = faces;
    changeEntries([this] { m_entries->build(m_faces, m_fontKinds); });
}

void FontComboBox::setFontFaces(const QList<FontFace> &faces)
{
    rebuild(faces);
}

void FontComboBox::setFontKinds(FontKinds types)
{
    m_fontKinds = types;
    rebuild(m_faces);
}

void FontComboBox::setFontName(const QString &name)
{
    changeEntries([this, &name] { m_entries->setFontName(name); });
}

void FontComboBox::setPreviewText(const QString &text)
{
    m_previewText = text;
    previewRow(view()->currentIndex().row());
}

int FontComboBox::previewWidth() const
{
    return m_preview->width();
}

void FontComboBox::setPreviewWidth(int width)
{
    m_preview->resize(width, m_preview->height());
}

int FontComboBox::previewHeight() const
{
    return m_preview->height();
}

void FontComboBox::setPreviewHeight(int height)
{
    m_preview->resize(m_preview->width(), height);
}

void FontComboBox::setShowPreviewFontName(bool on)
{
    m_showPreviewFontName = on;
    m_preview->setNameVisible(on);
}

void FontComboBox::showPopup()
{
    m_entries->dropDown();
    emit aboutToDropDown();
    QComboBox::showPopup();
    if (!m_showPreview)
        return;
    const QRect controlOnScreen(mapToGlobal(QPoint(0, 0)), size());
    m_preview->move(DropDownPlacement::fontPreview(controlOnScreen, m_preview->size(),
                                                   screen()->availableGeometry()));
    previewRow(currentIndex());
    m_preview->show();
}

void FontComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (!m_entries->isOpen())
        return;
    setFocus();
    m_preview->hide();
    // The list reports a pick only after it has closed; the entries are
    // reordered once that has been taken.
    QMetaObject::invokeMethod(this, &FontComboBox::closeUp, Qt::QueuedConnection);
}

void FontComboBox::closeUp()
{
    bool picked = false;
    changeEntries([this, &picked] { picked = m_entries->closeUp(currentIndex()); });
    emit clicked();
    if (picked)
        emit clicked();
}

void FontComboBox::selectionChanged(int row)
{
    if (m_syncing)
        return;
    const bool closed = !m_entries->isOpen();
    m_entries->changeSelection(row);
    emit changed();
    if (closed)
        emit clicked();
}

void FontComboBox::previewRow(int row)
{
    if (row < 0 || row >= m_entries->rowCount())
        return;
    const QString face = FontEntryList::faceOf(m_entries->entries().at(row));
    m_preview->showFace(face,
                        m_previewText.trimmed().isEmpty() ? DefaultPreviewText : m_previewText);
}

QFont FontComboBox::entryFont(const QString &entry, bool listRow) const
{
    QFont face = font();
    const bool ownFace = listRow ? m_showPreviewInList : m_showPreviewInEdit;
    if (ownFace && FontEntryList::tagOf(entry) != QLatin1String("TS"))
        face.setFamilies({FontEntryList::faceOf(entry)});
    return face;
}

void FontComboBox::paintEntry(QPainter *painter, const QRect &rect, int row, bool listRow,
                              bool selected) const
{
    if (row < 0 || row >= m_entries->rowCount())
        return;
    const QString &entry = m_entries->entries().at(row);
    const QString tag = FontEntryList::tagOf(entry);
    int textLeft = 4;
    if (m_showImagesFontType) {
        const QIcon &icon = tag == QLatin1String("TA")   ? m_iconTrueTypeAnsi
                            : tag == QLatin1String("TS") ? m_iconTrueTypeSymbol
                                                         : m_iconRaster;
        icon.paint(painter, QRect(rect.x() + 2, rect.y() + 1, 16, 16));
        textLeft = 20;
    }
    const bool open = m_entries->isOpen();
    const bool used = row < m_entries->usedCount();
    painter->save();
    // A selected row is in the scheme's colours; the fonts used before stand
    // out in their colour, as far as it reads on the list.
    const QColor text = palette().color(selected ? QPalette::HighlightedText : QPalette::Text);
    painter->setPen(open && used && !selected
                            ? ReadableColor::on(palette().color(QPalette::Base),
                                                SystemColors::toQColor(m_colorUsed))
                            : text);
    painter->setFont(entryFont(entry, listRow));
    painter->drawText(QRect(rect.x() + textLeft, rect.y() + 1, rect.width() - textLeft,
                            rect.height() - 1),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      FontEntryList::faceOf(entry));
    if (listRow && open && m_entries->moveUsedToTop() && row == m_entries->usedCount() - 1) {
        painter->setPen(text);
        painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    }
    painter->restore();
}

void FontComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                QStyle::SC_ComboBoxEditField, this);
    paintEntry(&painter, field.adjusted(-2, 0, 0, 0), currentIndex(), false);
}
