#include "widgets/ColorPalettePopup.h"

#include "base/ErrorReport.h"
#include "settings/SettingsBackingStore.h"
#include "widgets/ColorButton.h"
#include "widgets/ColorPalette.h"
#include "widgets/ColorPickerButton.h"
#include "widgets/DropDownPlacement.h"
#include "widgets/SystemColors.h"

#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QToolButton>

namespace {

QPointer<ColorPalettePopup> &theInstance()
{
    static QPointer<ColorPalettePopup> form;
    return form;
}

QPoint buttonPosition(int index)
{
    if (index < ColorPalette::PlainCount)
        return {5 + 20 * (index % ColorPalette::PlainColumns),
                5 + 20 * (index / ColorPalette::PlainColumns)};
    const int i = index - ColorPalette::PlainCount;
    return {170 + 20 * (i % ColorPalette::SystemColumns),
            5 + 20 * (i / ColorPalette::SystemColumns)};
}

} // namespace

ColorPalettePopup *ColorPalettePopup::instance()
{
    QPointer<ColorPalettePopup> &form = theInstance();
    if (!form) {
        form = new ColorPalettePopup;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, form, [] { delete theInstance(); });
    }
    return form;
}

ColorPalettePopup::ColorPalettePopup()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("ColorPickerForm"));
    setWindowTitle(tr("Colors"));
    setFixedSize(PaletteWidth, PaletteHeight);
    setAutoFillBackground(true);

    const auto &entries = ColorPalette::entries();
    for (int i = 0; i < ColorPalette::Count; ++i) {
        auto *button = new ColorButton(this);
        button->move(buttonPosition(i));
        button->setSqareColor(entries[size_t(i)].color);
        button->setToolTip(QString::fromLatin1(entries[size_t(i)].hint));
        // A plain colour is named by its value.
        const QString value
                = QStringLiteral("0x%1").arg(SystemColors::toQColor(entries[size_t(i)].color).rgb()
                                                     & 0xFFFFFF,
                                             6, 16, QLatin1Char('0'));
        button->setAccessibleName(button->toolTip().isEmpty() ? value.toUpper().replace(0, 2, "0x")
                                                              : button->toolTip());
        m_buttons[size_t(i)] = button;
    }
    auto *custom = new ColorButton(this);
    custom->move(5, 150);
    custom->setToolTip(tr("Custom Color, from standard Windows Color Dialogue"));
    custom->setAccessibleName(tr("Custom Color"));
    m_buttons[CustomIndex] = custom;
    for (int i = 0; i <= CustomIndex; ++i)
        m_group.addButton(m_buttons[size_t(i)], i);
    m_group.setExclusive(true);
    connect(&m_group, &QButtonGroup::buttonClicked, this,
            [this](QAbstractButton *button) { choose(static_cast<ColorButton *>(button)); });

    m_otherButton = new QToolButton(this);
    m_otherButton->setObjectName(QStringLiteral("OtherButton"));
    m_otherButton->setAutoRaise(true);
    m_otherButton->setGeometry(28, 150, PaletteWidth - 33, 20);
    m_otherButton->setToolTip(tr("Open standard Windows Color Dialogue"));
    connect(m_otherButton, &QToolButton::clicked, this,
            [this] { ErrorReport::guard([this] { otherColors(); }); });

    ErrorReport::guard([this] { m_customColors.load(SettingsBackingStore(CustomColors::key())); });
    custom->setSqareColor(m_dialogColor);
}

ColorPalettePopup::~ColorPalettePopup()
{
    ErrorReport::guard([this] {
        SettingsBackingStore store(CustomColors::key(), SettingsBackingStore::ReadWrite);
        m_customColors.save(store);
        store.close();
    });
}

QColorDialog *ColorPalettePopup::colorDialog()
{
    if (!m_colorDialog) {
        m_colorDialog = new QColorDialog(this);
        m_colorDialog->setObjectName(QStringLiteral("ColorDialog"));
        m_colorDialog->setOption(QColorDialog::DontUseNativeDialog);
    }
    return m_colorDialog;
}

void ColorPalettePopup::popup(ColorPickerButton *control)
{
    // Belonging to the control's window keeps the palette usable while that
    // window is modal.
    if (parentWidget() != control->window())
        setParent(control->window(), windowFlags());
    const QRect controlOnScreen(control->mapToGlobal(QPoint(0, 0)), control->size());
    move(DropDownPlacement::palette(controlOnScreen, size(),
                                    control->screen()->availableGeometry()));

    QPalette background = palette();
    background.setColor(QPalette::Window, SystemColors::toQColor(control->dropDnColor()));
    setPalette(background);
    m_control = control;
    mark(control->activeColor());
    m_otherButton->setText(control->otherBtnCaption());

    show();
    raise();
    activateWindow();
    m_group.checkedButton()->setFocus();
}

void ColorPalettePopup::mark(ColorRef color)
{
    m_color = color;
    const int index = ColorPalette::indexOf(color);
    if (index >= 0) {
        m_buttons[size_t(index)]->setChecked(true);
        return;
    }
    m_buttons[CustomIndex]->setSqareColor(color);
    m_buttons[CustomIndex]->setChecked(true);
}

void ColorPalettePopup::choose(ColorButton *button)
{
    m_color = button->squareColor();
    if (m_control)
        m_control->setActiveColor(m_color);
    hidePalette();
}

void ColorPalettePopup::otherColors()
{
    m_dialogOpen = true;
    const auto cleared = qScopeGuard([this] { m_dialogOpen = false; });
    const std::array<ColorRef, CustomColors::Count> before = m_customColors.colors();
    const QColor emptySlot(Qt::white);
    for (int i = 0; i < CustomColors::Count; ++i) {
        const ColorRef slot = before[size_t(i)];
        QColorDialog::setCustomColor(i, slot == CustomColors::Empty ? emptySlot
                                                                    : SystemColors::toQColor(slot));
    }
    QColorDialog *dialog = colorDialog();
    dialog->setCurrentColor(SystemColors::toQColor(m_dialogColor));
    if (dialog->exec() != QDialog::Accepted) {
        activateWindow();
        return;
    }

    std::array<ColorRef, CustomColors::Count> after{};
    for (int i = 0; i < CustomColors::Count; ++i) {
        const QColor shown = QColorDialog::customColor(i);
        const bool untouched = before[size_t(i)] == CustomColors::Empty
                               && shown.rgb() == emptySlot.rgb();
        after[size_t(i)] = untouched ? CustomColors::Empty : SystemColors::fromQColor(shown);
    }
    m_customColors.setColors(after);
    m_dialogColor = SystemColors::fromQColor(dialog->selectedColor());
    ColorButton *custom = m_buttons[CustomIndex];
    custom->setSqareColor(m_dialogColor);
    custom->setChecked(true);
    choose(custom);
}

void ColorPalettePopup::hidePalette()
{
    hide();
    if (m_control) {
        m_control->window()->activateWindow();
        m_control->setFocus();
    }
}

void ColorPalettePopup::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorPalettePopup::keyPressEvent(QKeyEvent *event)
{
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Escape:
        hidePalette();
        return;
    case Qt::Key_Left:
        step = {-20, 0};
        break;
    case Qt::Key_Right:
        step = {20, 0};
        break;
    case Qt::Key_Up:
        step = {0, -20};
        break;
    case Qt::Key_Down:
        step = {0, 20};
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // Arrow keys move the focus to the neighbouring colour button.
    if (const QWidget *focused = focusWidget()) {
        const QPoint target = focused->geometry().center() + step;
        if (auto *button = qobject_cast<ColorButton *>(childAt(target)))
            button->setFocus(Qt::TabFocusReason);
    }
}

void ColorPalettePopup::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow()
        && !m_dialogOpen)
        hide();
}
