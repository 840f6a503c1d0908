#pragma once

#include <QDialog>

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

private:
    void openWebAddress();
    void writeMail();
};
