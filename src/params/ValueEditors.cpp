#include "params/ValueEditors.h"

#include "app/ErrorReport.h"
#include "params/ProfileGrid.h"
#include "params/TFormColor.h"
#include "params/TFormFont.h"
#include "params/TFormFontStyle.h"
#include "params/TFormList.h"
#include "params/TFormSpin.h"
#include "widgets/TColorPickCombo.h"
#include "widgets/TscFontComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include <limits>

ValueEditors::ValueEditors(StyleDocument *document, ProfileGrid *grid, QWidget *mainWindow)
    : QObject(mainWindow), m_document(document), m_grid(grid), m_mainWindow(mainWindow),
      m_formList(new TFormList(mainWindow)), m_formFont(new TFormFont(mainWindow)),
      m_formSpin(new TFormSpin(mainWindow)), m_formColor(new TFormColor(mainWindow)),
      m_formFontStyle(new TFormFontStyle(mainWindow))
{
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
    popup->move(m_position.topLeft(popup->height(), main.y() + main.height()));
    popup->setFocus();
    return popup->exec() == QDialog::Accepted;
}

bool ValueEditors::execList(const QStringList &choices, int &selected)
{
    QComboBox *box = m_formList->ComboBox();
    box->clear();
    box->addItems(choices);
    box->setCurrentIndex(selected);
    if (!exec(m_formList))
        return false;
    selected = box->currentIndex();
    return true;
}

bool ValueEditors::execFont(QString &fontName)
{
    TscFontComboBox *box = m_formFont->FontComboBox();
    box->setFontName(fontName);
    const bool ok = exec(m_formFont);
    fontName = box->FontName();
    return ok;
}

bool ValueEditors::execSpin(NumberBox &box)
{
    QSpinBox *spin = m_formSpin->SpinEdit();
    if (box.minValue() == box.maxValue())
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    else
        spin->setRange(qMin(box.minValue(), box.maxValue()), qMax(box.minValue(), box.maxValue()));
    spin->setValue(box.value());
    spin->selectAll();
    if (!exec(m_formSpin))
        return false;
    box.setValue(box.valueOfText(spin->cleanText()));
    return true;
}

bool ValueEditors::execColor(TColor &color)
{
    TColorPickCombo *pick = m_formColor->ColorPick();
    pick->setActiveColor(color);
    if (!exec(m_formColor))
        return false;
    color = pick->ActiveColor();
    return true;
}

bool ValueEditors::execFontStyle(FontStyleValue &style)
{
    m_formFontStyle->CheckBoxBold()->setChecked(style.bold);
    m_formFontStyle->CheckBoxItalic()->setChecked(style.italic);
    m_formFontStyle->CheckBoxUnderline()->setChecked(style.underline);
    if (!exec(m_formFontStyle))
        return false;
    style.bold = m_formFontStyle->CheckBoxBold()->isChecked();
    style.italic = m_formFontStyle->CheckBoxItalic()->isChecked();
    style.underline = m_formFontStyle->CheckBoxUnderline()->isChecked();
    return true;
}
