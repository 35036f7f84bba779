#pragma once

class QApplication;

// What the program sets up around the application object.
namespace AppSetup {

// Software rendering, chosen before the application object exists.
void beforeApplication();

// Names, fonts, Qt's texts in Italian, the desktop's keys and the quit rule, once the
// application object exists and before any screen does.
void configure(QApplication &app);

// The look shared by every screen: buttons, edits and window backgrounds.
void applyStyle(QApplication &app);

// Qt's own texts (the buttons of message boxes, the print and file dialogs, the
// edits' menus) in Italian whatever the system language, from the translation
// compiled into the program. False when it could not be loaded.
bool installQtTranslation();

// Maps the fonts the screens name to the metric-compatible free fonts installed with the program.
void installFontSubstitutes();

} // namespace AppSetup
