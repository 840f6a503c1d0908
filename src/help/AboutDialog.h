#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class LinkLabel;

// The About box: the program's name and version and the maker's web site and
// support address, which open in the browser and the mail program.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    static inline const QString webAddress = QStringLiteral("www.melbrin.com");
    static inline const QString supportAddress = QStringLiteral("support@melbrin.com");
    static constexpr QSize MinimumClientSize{231, 205};

    explicit AboutDialog(QWidget *parent = nullptr);

    QLabel *labelTitle = nullptr;
    QLabel *labelVersion = nullptr;
    QLabel *wwwLabel = nullptr;
    LinkLabel *webLinkLabel = nullptr;
    QLabel *mailLabel = nullptr;
    LinkLabel *mailLinkLabel = nullptr;
    QLabel *noticeLabel = nullptr;
    QPushButton *okButton = nullptr;

private:
    void openWebAddress();
    void writeMail();
};
