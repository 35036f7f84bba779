#pragma once

class QApplication;

// What the program sets up around the application object.
namespace AppSetup {

// Software rendering, chosen before the application object exists.
void beforeApplication();

// Names, fonts and the quit rule, once the application object exists.
void configure(QApplication &app);

// The look shared by every screen: buttons, edits and window backgrounds.
void applyStyle(QApplication &app);

// Maps the fonts the screens name to the metric-compatible free fonts installed with the program.
void installFontSubstitutes();

} // namespace AppSetup
