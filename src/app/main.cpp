#include "shell/ui/AppSetup.h"
#include "shell/ui/Program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    AppSetup::beforeApplication();
    QApplication app(argc, argv);
    AppSetup::configure(app);
    return Program::run(app);
}
