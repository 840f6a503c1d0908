#include "editors/TFormFontStyle.h"

#include <QCheckBox>
#include <QFrame>

namespace {

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption, int y)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(40, y, 97, 17);
    return box;
}

} // namespace

TFormFontStyle::TFormFontStyle(QWidget *parent) : ValuePopup(QSize(160, 112), QPoint(40, 80), parent)
{
    setObjectName(QStringLiteral("FormFontStyle"));
    m_bold = checkBox(panel(), "CheckBoxBold", tr("Bold"), 8);
    m_italic = checkBox(panel(), "CheckBoxItalic", tr("Italic"), 32);
    m_underline = checkBox(panel(), "CheckBoxUnderline", tr("Underline"), 56);
    setFocusProxy(m_bold);
}
