#pragma once

#include <QApplication>

#include <thread>

// The application object: keeps the application title (the main window's
// caption, used as the caption of every message box) and reports every
// exception that escapes an event handler instead of ending the program.
class TrevixApplication : public QApplication
{
    Q_OBJECT

public:
    TrevixApplication(int &argc, char **argv);

    static QString title();
    static void setTitle(const QString &title);

    // Shows the message in a modal box captioned with the title, with an
    // error icon and an OK button.
    static void showErrorBox(const QString &message);

    bool notify(QObject *receiver, QEvent *event) override;

private:
    std::jthread m_imagePlugins;
};
