// The least a Qt Widgets program does before its first window is on screen:
// the application object, one window shown and painted once.
#include "EndAfterFirstPaint.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    EndAfterFirstPaint end;
    app.installEventFilter(&end);
    QTimer::singleShot(60000, [] { std::_Exit(2); });
    QWidget window;
    window.resize(400, 300);
    window.show();
    return app.exec();
}
