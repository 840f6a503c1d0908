// The yardstick for the editor's start-up: a bare Qt main window of the
// editor's size, shown until its first paint.
#include "StartupProbe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(700, 400);
    new StartupProbe(&window);
    window.show();
    return app.exec();
}
