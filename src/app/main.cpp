#include "app/TMainForm.h"
#include "app/TrevixApplication.h"

int main(int argc, char *argv[])
{
    TrevixApplication app(argc, argv);
    TMainForm mainForm(QCoreApplication::applicationDirPath(), QCoreApplication::arguments().mid(1));
    mainForm.show();
    return app.exec();
}
