#include "Program.h"

#include "ScreenSet.h"

#include <QApplication>
#include <QWidget>

namespace Program {

int run(QApplication &app)
{
    ScreenSet screens;
    // The loop is left with exit(), not quit(): quit() first asks every window to close,
    // and the screens refuse (a persistent screen hides instead, the start menu asks for
    // the end again), so the request would go round for ever. Nothing is left on screen
    // while the loop unwinds.
    QObject::connect(
        &screens, &ScreenSet::terminated, &app,
        [&screens] {
            for (QWidget *screen : screens.created())
                screen->hide();
            QCoreApplication::exit(0);
        },
        Qt::QueuedConnection);
    screens.start();
    return app.exec();
}

} // namespace Program
