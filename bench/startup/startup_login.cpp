// Starts as the program does and ends once the login screen has been painted
// the first time: the wait the user sees before typing the password.
#include "shell/ui/AppSetup.h"
#include "shell/ui/ScreenSet.h"

#include "EndAfterFirstPaint.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>

int main(int argc, char *argv[])
{
    AppSetup::beforeApplication();
    QApplication app(argc, argv);
    AppSetup::configure(app);
    EndAfterFirstPaint end;
    app.installEventFilter(&end);
    QTimer::singleShot(60000, [] { std::_Exit(2); });
    ScreenSet screens;
    screens.start();
    return app.exec();
}
