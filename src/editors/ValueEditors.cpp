#include "editors/ValueEditors.h"

#include "base/ErrorReport.h"
#include "base/SystemText.h"
#include "editors/ProfileGrid.h"
#include "editors/TFormColor.h"
#include "editors/TFormFont.h"
#include "editors/TFormFontStyle.h"
#include "editors/TFormList.h"
#include "editors/TFormSpin.h"
#include "widgets/TColorPickCombo.h"
#include "widgets/TscFontComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QScopeGuard>
#include <QSpinBox>

#include <limits>

namespace {

template <typename Popup>
Popup *made(Popup *&popup, QWidget *mainWindow)
{
    if (!popup)
        popup = new Popup(mainWindow);
    return popup;
}

} // namespace

ValueEditors::ValueEditors(StyleDocument *document, ProfileGrid *grid, QWidget *mainWindow)
    : QObject(mainWindow), m_document(document), m_grid(grid), m_mainWindow(mainWindow)
{
}

TFormList *ValueEditors::FormList()
{
    return made(m_formList, m_mainWindow);
}

TFormFont *ValueEditors::FormFont()
{
    return made(m_formFont, m_mainWindow);
}

TFormSpin *ValueEditors::FormSpin()
{
    return made(m_formSpin, m_mainWindow);
}

TFormColor *ValueEditors::FormColor()
{
    return made(m_formColor, m_mainWindow);
}

TFormFontStyle *ValueEditors::FormFontStyle()
{
    return made(m_formFontStyle, m_mainWindow);
}

PopupPosition ValueEditors::popupPosition() const
{
    // The anchor swaps the grid's offsets in the main window, which puts the
    // popups just right of the grid.
    const QPoint offset = m_grid->mapTo(m_mainWindow, QPoint(0, 0));
    PopupPosition position;
    position.anchor = m_grid->mapToGlobal(QPoint(offset.y(), offset.x()));
    position.gridWidth = m_grid->width();
    const QRect focused = m_grid->visualRect(m_grid->currentIndex());
    position.rowHeight = focused.isValid() ? focused.height() : m_grid->fontMetrics().height();
    position.focusedRow = focused.isValid() ? focused.top() / position.rowHeight : 0;
    return position;
}

void ValueEditors::PValueButtonClick()
{
    m_position = popupPosition();
    ErrorReport::guard([this] { m_editing.edit(*m_document, *this); });
}

bool ValueEditors::exec(ValuePopup *popup)
{
    const QRect main = m_mainWindow->frameGeometry();
    popup->fitToControls();
    popup->move(m_position.topLeft(popup->height(), main.y() + main.height()));
    popup->setFocus();
    return popup->exec() == QDialog::Accepted;
}

bool ValueEditors::execList(const QStringList &choices, int &selected)
{
    QComboBox *box = FormList()->ComboBox();
    box->clear();
    // The choice is taken by its place, so the box may show the kept bytes marked.
    for (const QString &choice : choices)
        box->addItem(SystemText::displayed(choice));
    box->setCurrentIndex(selected);
    if (!exec(FormList()))
        return false;
    selected = box->currentIndex();
    return true;
}

bool ValueEditors::execFont(QString &fontName)
{
    TscFontComboBox *box = FormFont()->FontComboBox();
    box->setFontName(fontName);
    // A font that is not installed leaves the box on an earlier pick, which is
    // not this row's font: show none, so that any font chosen is a new pick.
    if (!box->FontName().contains(fontName + QLatin1Char('=')))
        box->setCurrentIndex(-1);
    bool picked = false;
    const QMetaObject::Connection pick = connect(box, &QComboBox::activated, this, [&picked] { picked = true; });
    const auto done = qScopeGuard([pick] { disconnect(pick); });
    const bool ok = exec(FormFont());
    fontName = picked ? box->FontName() : QString();
    return ok;
}

bool ValueEditors::execSpin(NumberBox &box)
{
    QSpinBox *spin = FormSpin()->SpinEdit();
    if (box.minValue() == box.maxValue())
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    else
        spin->setRange(qMin(box.minValue(), box.maxValue()), qMax(box.minValue(), box.maxValue()));
    spin->setValue(box.value());
    spin->selectAll();
    if (!exec(FormSpin()))
        return false;
    box.setShownValue(spin->cleanText(), spin->locale());
    return true;
}

bool ValueEditors::execColor(TColor &color)
{
    TColorPickCombo *pick = FormColor()->ColorPick();
    pick->setActiveColor(color);
    if (!exec(FormColor()))
        return false;
    color = pick->ActiveColor();
    return true;
}

bool ValueEditors::execFontStyle(FontStyleValue &style)
{
    TFormFontStyle *form = FormFontStyle();
    form->CheckBoxBold()->setChecked(style.bold);
    form->CheckBoxItalic()->setChecked(style.italic);
    form->CheckBoxUnderline()->setChecked(style.underline);
    if (!exec(form))
        return false;
    style.bold = form->CheckBoxBold()->isChecked();
    style.italic = form->CheckBoxItalic()->isChecked();
    style.underline = form->CheckBoxUnderline()->isChecked();
    return true;
}
