#include "help/AboutDialog.h"

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

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(tr("About"));
    auto *layout = new QVBoxLayout(this);

    auto *labelTitle = centredLabel(this, "LabelTitle", AboutText::title());
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    labelTitle->setFont(titleFont);
    layout->addWidget(labelTitle);
    auto *labelVersion = centredLabel(this, "LabelVersion", AboutText::version());
    layout->addWidget(labelVersion);
    layout->addSpacing(6);

    // The two link rows: captions in one column, addresses in the next.
    auto *wwwLabel = new QLabel(tr("www:"), this);
    wwwLabel->setObjectName(QStringLiteral("wwwLabel"));
    auto *webLinkLabel = new LinkLabel(webAddress, this);
    webLinkLabel->setObjectName(QStringLiteral("URLLabel"));
    auto *mailLabel = new QLabel(tr("e-mail:"), this);
    mailLabel->setObjectName(QStringLiteral("mailLabel"));
    auto *mailLinkLabel = new LinkLabel(supportAddress, this);
    mailLinkLabel->setObjectName(QStringLiteral("EMailLabel"));
    auto *links = new QGridLayout;
    links->setVerticalSpacing(10);
    links->addWidget(wwwLabel, 0, 0);
    links->addWidget(webLinkLabel, 0, 1);
    links->addWidget(mailLabel, 1, 0);
    links->addWidget(mailLinkLabel, 1, 1);
    auto *linksRow = new QHBoxLayout;
    linksRow->addStretch();
    linksRow->addLayout(links);
    linksRow->addStretch();
    layout->addLayout(linksRow);
    connect(webLinkLabel, &LinkLabel::clicked, this, &AboutDialog::openWebAddress);
    connect(mailLinkLabel, &LinkLabel::clicked, this, &AboutDialog::writeMail);
    layout->addSpacing(6);

    auto *noticeLabel = centredLabel(this, "NoticeLabel",
                                     tr("Copyright (c) 2026 Melbrin.\nAll rights reserved."));
    layout->addWidget(noticeLabel);
    layout->addStretch();

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    layout->addWidget(bevel);

    auto *okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("BtnOk"));
    okButton->setMinimumWidth(75);
    layout->addWidget(okButton, 0, Qt::AlignHCenter);
    // OK only closes: the box has nothing to accept.
    connect(okButton, &QPushButton::clicked, this, &QDialog::reject);
    okButton->setFocus();

    // At least the designed size, more when the font needs it.
    setFixedSize(layout->totalSizeHint().expandedTo(MinimumClientSize));
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void AboutDialog::openWebAddress()
{
    shellOpen(webAddress);
}

void AboutDialog::writeMail()
{
    shellOpen(QStringLiteral("mailto:") + supportAddress + QStringLiteral("?subject=Trevix"));
}
