#include "help/TFormAbout.h"

#include "base/AboutText.h"
#include "help/LinkLabel.h"
#include "help/ShellOpen.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

QLabel *fixedLabel(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(geometry);
    return label;
}

// The link rows' labels are as wide as their text.
template<typename Label>
Label *linkRowLabel(Label *label, const QString &name, const QPoint &position)
{
    label->setObjectName(name);
    QFont rowFont = label->font(); // keeps a link's underline
    rowFont.setFamily(QStringLiteral("Tahoma"));
    rowFont.setPointSize(8);
    label->setFont(rowFont);
    label->adjustSize();
    label->move(position);
    return label;
}

} // namespace

TFormAbout::TFormAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(tr("About"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(231, 205);

    LabelTitle = fixedLabel(this, AboutText::title(), QRect(2, 10, 225, 17));
    LabelTitle->setObjectName(QStringLiteral("LabelTitle"));
    QFont titleFont(QStringLiteral("MS Sans Serif"), 10);
    titleFont.setBold(true);
    LabelTitle->setFont(titleFont);

    LabelVersion = fixedLabel(this, AboutText::version(), QRect(2, 30, 225, 43));
    LabelVersion->setObjectName(QStringLiteral("LabelVersion"));

    wwwLabel = linkRowLabel(new QLabel(tr("www:"), this), QStringLiteral("wwwLabel"), QPoint(40, 80));
    URLLabel = linkRowLabel(new LinkLabel(WebAddress, this), QStringLiteral("URLLabel"), QPoint(72, 80));
    mailLabel = linkRowLabel(new QLabel(tr("e-mail:"), this), QStringLiteral("mailLabel"), QPoint(40, 104));
    EMailLabel = linkRowLabel(new LinkLabel(SupportAddress, this), QStringLiteral("EMailLabel"), QPoint(72, 104));
    connect(URLLabel, &LinkLabel::clicked, this, &TFormAbout::URLLabelClick);
    connect(EMailLabel, &LinkLabel::clicked, this, &TFormAbout::EMailLabelClick);

    NoticeLabel = fixedLabel(this, tr("Copyright (c) 2026 Melbrin.\nAll rights reserved."), QRect(2, 128, 225, 26));
    NoticeLabel->setObjectName(QStringLiteral("NoticeLabel"));

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setGeometry(2, 168, 225, 2);

    BtnOk = new QPushButton(tr("OK"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setGeometry(80, 176, 75, 25);
    // OK only closes: the box has nothing to accept.
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::reject);
    BtnOk->setFocus();

    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormAbout::URLLabelClick()
{
    ShellOpen(URLLabel->text());
}

void TFormAbout::EMailLabelClick()
{
    ShellOpen(QStringLiteral("mailto:") + EMailLabel->text() + QStringLiteral("?subject=Trevix"));
}
