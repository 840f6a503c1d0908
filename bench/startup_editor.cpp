// The editor's start-up as main() does it, with its own files taken from the
// folder given as the first argument, until the main window's first paint.
#include "StartupProbe.h"
#include "app/TMainForm.h"
#include "app/TrevixApplication.h"

int main(int argc, char *argv[])
{
    TrevixApplication app(argc, argv);
    TMainForm mainForm(QString::fromLocal8Bit(argv[1]), {});
    new StartupProbe(&mainForm);
    mainForm.show();
    return app.exec();
}
