#include "editors/ValueEditors.h"

#include "base/ErrorReport.h"
#include "base/SystemText.h"
#include "editors/ColorPopup.h"
#include "editors/FontPopup.h"
#include "editors/FontStylePopup.h"
#include "editors/ListPopup.h"
#include "editors/NumberPopup.h"
#include "editors/ProfileGrid.h"
#include "style/StyleDocument.h"
#include "widgets/ColorPickerButton.h"
#include "widgets/FontComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>
#include <QSpinBox>

#include <limits>

namespace {

template<typename Popup>
Popup *made(Popup *&popup, QWidget *mainWindow)
{
    if (!popup)
        popup = new Popup(mainWindow);
    return popup;
}

} // namespace

ValueEditors::ValueEditors(StyleDocument *document, ProfileGrid *grid, QWidget *mainWindow)
    : QObject(mainWindow), m_document(document), m_grid(grid), m_mainWindow(mainWindow)
{}

ListPopup *ValueEditors::formList()
{
    return made(m_formList, m_mainWindow);
}

FontPopup *ValueEditors::formFont()
{
    return made(m_formFont, m_mainWindow);
}

NumberPopup *ValueEditors::formSpin()
{
    return made(m_formSpin, m_mainWindow);
}

ColorPopup *ValueEditors::formColor()
{
    return made(m_formColor, m_mainWindow);
}

FontStylePopup *ValueEditors::formFontStyle()
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
    // The screen that holds the grid, where the window may reach beyond it.
    const QScreen *screen = QGuiApplication::screenAt(m_grid->mapToGlobal(m_grid->rect().center()));
    position.screen = (screen ? screen : m_grid->screen())->availableGeometry();
    return position;
}

void ValueEditors::openValueEditor()
{
    m_position = popupPosition();
    ErrorReport::guard([this] { m_editing.edit(*m_document, *this); });
}

bool ValueEditors::exec(ValuePopup *popup)
{
    const QRect main = m_mainWindow->frameGeometry();
    // The popup has no title bar; its title names the parameter to assistive technologies.
    if (const int record = m_grid->currentRecord(); record >= 0)
        popup->setWindowTitle(SystemText::displayed(m_document->table().record(record).caption()));
    popup->fitToControls();
    popup->move(m_position.topLeft(popup->size(), main.y() + main.height()));
    popup->setFocus();
    return popup->exec() == QDialog::Accepted;
}

bool ValueEditors::execList(const QStringList &choices, int &selected)
{
    QComboBox *box = formList()->comboBox();
    box->clear();
    // The choice is taken by its place, so the box may show the kept bytes marked.
    for (const QString &choice : choices)
        box->addItem(SystemText::displayed(choice));
    box->setCurrentIndex(selected);
    if (!exec(formList()))
        return false;
    selected = box->currentIndex();
    return true;
}

bool ValueEditors::execFont(QString &fontName)
{
    FontComboBox *box = formFont()->fontComboBox();
    box->setFontName(fontName);
    // A font that is not installed leaves the box on an earlier pick, which is
    // not this row's font: show none, so that any font chosen is a new pick.
    if (!box->fontName().contains(fontName + QLatin1Char('=')))
        box->setCurrentIndex(-1);
    bool picked = false;
    const QMetaObject::Connection pick = connect(box, &QComboBox::activated, this,
                                                 [&picked] { picked = true; });
    const auto done = qScopeGuard([pick] { disconnect(pick); });
    const bool ok = exec(formFont());
    fontName = picked ? box->fontName() : QString();
    return ok;
}

bool ValueEditors::execSpin(NumberBox &box)
{
    QSpinBox *spin = formSpin()->spinEdit();
    if (box.minValue() == box.maxValue())
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    else
        spin->setRange(qMin(box.minValue(), box.maxValue()), qMax(box.minValue(), box.maxValue()));
    spin->setValue(box.value());
    spin->selectAll();
    if (!exec(formSpin()))
        return false;
    box.setShownValue(spin->cleanText(), spin->locale());
    return true;
}

bool ValueEditors::execColor(ColorRef &color)
{
    ColorPickerButton *pick = formColor()->colorPick();
    pick->setActiveColor(color);
    if (!exec(formColor()))
        return false;
    color = pick->activeColor();
    return true;
}

bool ValueEditors::execFontStyle(FontStyleValue &style)
{
    FontStylePopup *form = formFontStyle();
    form->checkBoxBold()->setChecked(style.bold);
    form->checkBoxItalic()->setChecked(style.italic);
    form->checkBoxUnderline()->setChecked(style.underline);
    if (!exec(form))
        return false;
    style.bold = form->checkBoxBold()->isChecked();
    style.italic = form->checkBoxItalic()->isChecked();
    style.underline = form->checkBoxUnderline()->isChecked();
    return true;
}
