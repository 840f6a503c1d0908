#include "editors/FontStylePopup.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

QCheckBox *checkBox(QWidget *panel, QVBoxLayout *column, const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, panel);
    box->setObjectName(QLatin1String(name));
    column->addWidget(box);
    return box;
}

} // namespace

FontStylePopup::FontStylePopup(QWidget *parent) : ValuePopup(QSize(160, 112), parent)
{
    setObjectName(QStringLiteral("FormFontStyle"));
    setWindowTitle(tr("Font style"));
    auto *column = new QVBoxLayout;
    m_bold = checkBox(panel(), column, "CheckBoxBold", tr("Bold"));
    m_italic = checkBox(panel(), column, "CheckBoxItalic", tr("Italic"));
    m_underline = checkBox(panel(), column, "CheckBoxUnderline", tr("Underline"));
    // The three boxes share one left edge, centred as a group.
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addLayout(column);
    row->addStretch();
    addControls(row);
    setFocusProxy(m_bold);
}
