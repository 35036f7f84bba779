#pragma once

class QApplication;

namespace Program {

// Runs the program on an application object that AppSetup configured: creates the
// screen set, shows the login and turns the message loop until one of the three
// exits (the start menu's exit picture or close box, the login's "Esci").
// Returns the loop's status, 0 after a normal end.
int run(QApplication &app);

} // namespace Program
