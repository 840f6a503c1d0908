#include "help/TFormAbout.h"

#include "base/AboutText.h"
#include "help/LinkLabel.h"
#include "help/ShellOpen.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel *centredLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

} // namespace

TFormAbout::TFormAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(tr("About"));
    auto *layout = new QVBoxLayout(this);

    LabelTitle = centredLabel(this, "LabelTitle", AboutText::title());
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    LabelTitle->setFont(titleFont);
    layout->addWidget(LabelTitle);
    LabelVersion = centredLabel(this, "LabelVersion", AboutText::version());
    layout->addWidget(LabelVersion);
    layout->addSpacing(6);

    // The two link rows: captions in one column, addresses in the next.
    wwwLabel = new QLabel(tr("www:"), this);
    wwwLabel->setObjectName(QStringLiteral("wwwLabel"));
    URLLabel = new LinkLabel(WebAddress, this);
    URLLabel->setObjectName(QStringLiteral("URLLabel"));
    mailLabel = new QLabel(tr("e-mail:"), this);
    mailLabel->setObjectName(QStringLiteral("mailLabel"));
    EMailLabel = new LinkLabel(SupportAddress, this);
    EMailLabel->setObjectName(QStringLiteral("EMailLabel"));
    auto *links = new QGridLayout;
    links->setVerticalSpacing(10);
    links->addWidget(wwwLabel, 0, 0);
    links->addWidget(URLLabel, 0, 1);
    links->addWidget(mailLabel, 1, 0);
    links->addWidget(EMailLabel, 1, 1);
    auto *linksRow = new QHBoxLayout;
    linksRow->addStretch();
    linksRow->addLayout(links);
    linksRow->addStretch();
    layout->addLayout(linksRow);
    connect(URLLabel, &LinkLabel::clicked, this, &TFormAbout::URLLabelClick);
    connect(EMailLabel, &LinkLabel::clicked, this, &TFormAbout::EMailLabelClick);
    layout->addSpacing(6);

    NoticeLabel = centredLabel(this, "NoticeLabel", tr("Copyright (c) 2026 Melbrin.\nAll rights reserved."));
    layout->addWidget(NoticeLabel);
    layout->addStretch();

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    layout->addWidget(bevel);

    BtnOk = new QPushButton(tr("OK"), this);
    BtnOk->setObjectName(QStringLiteral("BtnOk"));
    BtnOk->setMinimumWidth(75);
    layout->addWidget(BtnOk, 0, Qt::AlignHCenter);
    // OK only closes: the box has nothing to accept.
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::reject);
    BtnOk->setFocus();

    // At least the designed size, more when the font needs it.
    setFixedSize(layout->totalSizeHint().expandedTo(MinimumClientSize));
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
