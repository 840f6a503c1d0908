// The editor's start-up as main() does it, with its own files taken from the
// folder given as the first argument, until the main window's first paint;
// with a colour as the second argument, until the preview shows a bar of that
// colour.
#include "ChartProbe.h"
#include "StartupProbe.h"
#include "app/MainWindow.h"
#include "app/StartupPreparation.h"
#include "app/TrevixApplication.h"
#include "preview/FlashPlayerView.h"

#include <QColor>

int main(int argc, char *argv[])
{
    StartupPreparation preparation;
    TrevixApplication app(argc, argv);
    MainWindow mainForm(QString::fromLocal8Bit(argv[1]), {});
    if (argc > 2)
        new ChartProbe(&mainForm, mainForm.player(), QColor::fromString(QLatin1String(argv[2])).rgb());
    else
        new StartupProbe(&mainForm);
    mainForm.show();
    return app.exec();
}
