#include "shell/ui/AppSetup.h"
#include "shell/ui/ScreenSet.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    AppSetup::beforeApplication();
    QApplication app(argc, argv);
    AppSetup::configure(app);

    ScreenSet screens;
    QObject::connect(&screens, &ScreenSet::terminated, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    screens.start();
    return app.exec();
}
