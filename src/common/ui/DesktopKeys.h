#pragma once

#include <QObject>

// The keyboard habit of the users' desktop that Qt lacks: Enter (and the keypad's
// Enter) presses the push button that has the focus, as Space does, on every
// screen and dialog. Keys typed in edits are left to the edits.
class DesktopKeys : public QObject
{
    Q_OBJECT
public:
    // Watches the keys of the whole application; a second call does nothing.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    using QObject::QObject;
};
