// The editor's start-up as main() does it, with its own files taken from the
// folder given as the first argument, until the main window's first paint;
// with a colour as the second argument, until the preview shows a bar of that
// colour; with "settle" as the third, until the chart has settled and its
// picture is kept for the next start.
#include "ChartProbe.h"
#include "StartupProbe.h"
#include "app/MainWindow.h"
#include "app/StartupPreparation.h"
#include "app/TrevixApplication.h"
#include "preview/FlashPlayerView.h"

#include <QColor>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    StartupPreparation preparation;
    TrevixApplication app(argc, argv);
    StyleDocument document;
    MainWindow mainForm(document, QString::fromLocal8Bit(argv[1]), {});
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    mainForm.player()->setPictureFolder(cache);
    if (argc > 2)
        new ChartProbe(&mainForm, mainForm.player(),
                       QColor::fromString(QLatin1String(argv[2])).rgb(),
                       argc > 3 && qstrcmp(argv[3], "settle") == 0
                               ? cache + QStringLiteral("/preview.png")
                               : QString());
    else
        new StartupProbe(&mainForm);
    mainForm.show();
    return app.exec();
}
