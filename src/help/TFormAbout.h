#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class LinkLabel;

// The About box: the program's name and version and the maker's web site and
// support address, which open in the browser and the mail program.
class TFormAbout : public QDialog
{
    Q_OBJECT

public:
    static inline const QString WebAddress = QStringLiteral("www.melbrin.com");
    static inline const QString SupportAddress = QStringLiteral("support@melbrin.com");
    static constexpr QSize MinimumClientSize{231, 205};

    explicit TFormAbout(QWidget *parent = nullptr);

    QLabel *LabelTitle = nullptr;
    QLabel *LabelVersion = nullptr;
    QLabel *wwwLabel = nullptr;
    LinkLabel *URLLabel = nullptr;
    QLabel *mailLabel = nullptr;
    LinkLabel *EMailLabel = nullptr;
    QLabel *NoticeLabel = nullptr;
    QPushButton *BtnOk = nullptr;

private:
    void URLLabelClick();
    void EMailLabelClick();
};
