#include "Program.h"

#include "ScreenSet.h"
#include "TfrmPassword.h"
#include "backup/ui/ExitCopy.h"

#include <QApplication>
#include <QWidget>

namespace Program {

int run(QApplication &app)
{
    ScreenSet screens;
    // The data are copied at the end only when this run could have written them:
    // a login's "Esci" before any login, password change or restore leaves them as
    // they were.
    bool mayHaveWritten = false;
    const auto wrote = [&mayHaveWritten] { mayHaveWritten = true; };
    QObject::connect(screens.password(), &TfrmPassword::accepted_, &app, wrote);
    QObject::connect(screens.password(), &TfrmPassword::changeRequested, &app, wrote);
    QObject::connect(screens.password(), &TfrmPassword::restored, &app, wrote);
    // The loop is left with exit(), not quit(): quit() first asks every window to close,
    // and the screens refuse (a persistent screen hides instead, the start menu asks for
    // the end again), so the request would go round for ever. Nothing is left on screen
    // while the loop unwinds.
    QObject::connect(
        &screens, &ScreenSet::terminated, &app,
        [&screens, &mayHaveWritten] {
            for (QWidget *screen : screens.created())
                screen->hide();
            if (mayHaveWritten)
                ExitCopy::run();
            QCoreApplication::exit(0);
        },
        Qt::QueuedConnection);
    screens.start();
    return app.exec();
}

} // namespace Program
