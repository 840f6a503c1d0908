#include "widgets/TscFontComboBox.h"

#include "widgets/DropDownPlacement.h"
#include "widgets/FontEntryDelegate.h"
#include "widgets/SystemColors.h"
#include "widgets/TFormExampleFont.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {
const QString DefaultPreviewText = QStringLiteral("AaBbYyZz");
}

TscFontComboBox::TscFontComboBox(QWidget *parent)
    : QComboBox(parent), m_entries(new FontEntryList(this)), m_preview(new TFormExampleFont(this)),
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

    connect(this, &QComboBox::currentIndexChanged, this, &TscFontComboBox::selectionChanged);
    connect(this, &QComboBox::highlighted, this, &TscFontComboBox::previewRow);
    rebuild(installedFaces());
}

TscFontComboBox::~TscFontComboBox() = default;

QList<FontFace> TscFontComboBox::installedFaces()
{
    QList<FontFace> faces;
    for (const QString &family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        TscFontTypes kind;
        if (QFontDatabase::isSmoothlyScalable(family)) {
            const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
            if (systems.contains(QFontDatabase::Latin))
                kind = ftTrueTypeAnsi;
            else if (systems.contains(QFontDatabase::Symbol))
                kind = ftTrueTypeSymbol;
        } else {
            kind = ftRaster;
        }
        faces.append({family, kind});
    }
    return faces;
}

template<typename Fn>
void TscFontComboBox::changeEntries(Fn &&change)
{
    m_syncing = true;
    change();
    setCurrentIndex(m_entries->selected());
    m_syncing = false;
    update();
}

void TscFontComboBox::rebuild(const QList<FontFace> &faces)
{
    m_faces = faces;
    changeEntries([this] { m_entries->build(m_faces, m_fontTypes); });
}

void TscFontComboBox::setFontFaces(const QList<FontFace> &faces)
{
    rebuild(faces);
}

void TscFontComboBox::setFontTypes(TscFontTypes types)
{
    m_fontTypes = types;
    rebuild(m_faces);
}

void TscFontComboBox::setFontName(const QString &name)
{
    changeEntries([this, &name] { m_entries->setFontName(name); });
}

void TscFontComboBox::setPreviewText(const QString &text)
{
    m_previewText = text;
    previewRow(view()->currentIndex().row());
}

int TscFontComboBox::PreviewWidth() const
{
    return m_preview->width();
}

void TscFontComboBox::setPreviewWidth(int width)
{
    m_preview->resize(width, m_preview->height());
}

int TscFontComboBox::PreviewHeight() const
{
    return m_preview->height();
}

void TscFontComboBox::setPreviewHeight(int height)
{
    m_preview->resize(m_preview->width(), height);
}

void TscFontComboBox::setShowPreviewFontName(bool on)
{
    m_showPreviewFontName = on;
    m_preview->setNameVisible(on);
}

void TscFontComboBox::showPopup()
{
    m_entries->dropDown();
    emit OnDropDown();
    QComboBox::showPopup();
    if (!m_showPreview)
        return;
    const QRect controlOnScreen(mapToGlobal(QPoint(0, 0)), size());
    m_preview->move(DropDownPlacement::fontPreview(controlOnScreen, m_preview->size(), screen()->geometry()));
    previewRow(currentIndex());
    m_preview->show();
}

void TscFontComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (!m_entries->isOpen())
        return;
    setFocus();
    m_preview->hide();
    // The list reports a pick only after it has closed; the entries are
    // reordered once that has been taken.
    QMetaObject::invokeMethod(this, &TscFontComboBox::closeUp, Qt::QueuedConnection);
}

void TscFontComboBox::closeUp()
{
    bool picked = false;
    changeEntries([this, &picked] { picked = m_entries->closeUp(currentIndex()); });
    emit OnClick();
    if (picked)
        emit OnClick();
}

void TscFontComboBox::selectionChanged(int row)
{
    if (m_syncing)
        return;
    const bool closed = !m_entries->isOpen();
    m_entries->changeSelection(row);
    emit OnChange();
    if (closed)
        emit OnClick();
}

void TscFontComboBox::previewRow(int row)
{
    if (row < 0 || row >= m_entries->rowCount())
        return;
    const QString face = FontEntryList::faceOf(m_entries->entries().at(row));
    m_preview->showFace(face, m_previewText.trimmed().isEmpty() ? DefaultPreviewText : m_previewText);
}

QFont TscFontComboBox::entryFont(const QString &entry, bool listRow) const
{
    QFont face = font();
    const bool ownFace = listRow ? m_showPreviewInList : m_showPreviewInEdit;
    if (ownFace && FontEntryList::tagOf(entry) != QLatin1String("TS"))
        face.setFamilies({FontEntryList::faceOf(entry)});
    return face;
}

void TscFontComboBox::paintEntry(QPainter *painter, const QRect &rect, int row, bool listRow) const
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
    painter->setPen(open && used ? SystemColors::toQColor(m_colorUsed) : palette().color(QPalette::Text));
    painter->setFont(entryFont(entry, listRow));
    painter->drawText(QRect(rect.x() + textLeft, rect.y() + 1, rect.width() - textLeft, rect.height() - 1),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, FontEntryList::faceOf(entry));
    if (listRow && open && m_entries->moveUsedToTop() && row == m_entries->usedCount() - 1) {
        painter->setPen(palette().color(QPalette::Text));
        painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    }
    painter->restore();
}

void TscFontComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    paintEntry(&painter, field.adjusted(-2, 0, 0, 0), currentIndex(), false);
}
