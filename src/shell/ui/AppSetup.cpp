#include "AppSetup.h"

#include "common/ui/Art.h"
#include "common/ui/DesktopKeys.h"
#include "shell/QtItalianSupplement.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QTranslator>

namespace AppSetup {

void beforeApplication()
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
}

void installFontSubstitutes()
{
    // Debian keeps the Tahoma-compatible face outside the font path.
    static bool tahomaLoaded = false;
    if (!tahomaLoaded) {
        tahomaLoaded = true;
        for (const char *file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
            if (QFile::exists(QString::fromLatin1(file)))
                QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), {QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("Wine Tahoma"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
}

void applyStyle(QApplication &app)
{
    app.setStyleSheet(QStringLiteral(
        "QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dde9f6);"
        " border: 1px solid #6fa8dc; border-radius: 5px; padding: 4px 12px; color: #1b3358; font-weight: bold; }"
        "QPushButton:hover { border-color: #2f6db5; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 #ffffff, stop:1 #cfe0f3); }"
        "QPushButton:pressed { background: #c4d9f0; }"
        "QPushButton:disabled { color: #8a9bb0; border-color: #c9d6e4; background: #f3f6fa; }"
        "FixedDialog { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e8f0f9); }"
        "QLineEdit { border: 1px solid #8a9bb0; border-radius: 3px; padding: 1px 4px; background: white;"
        " selection-background-color: #2f6db5; }"
        "QLineEdit:read-only { background: #f6f8fb; }"));
}

bool installQtTranslation()
{
    static QTranslator *installed = nullptr;
    if (installed)
        return true;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral(":/translations/qtbase_it.qm"))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    // Installed last, so asked first, for what the translation above lacks.
    QCoreApplication::installTranslator(new QtItalianSupplement(QCoreApplication::instance()));
    installed = translator;
    return true;
}

void configure(QApplication &app)
{
    QCoreApplication::setApplicationName(QStringLiteral("Quintara"));
    installQtTranslation();
    DesktopKeys::install();
    // The program ends only through its own exits, never because a screen was hidden.
    app.setQuitOnLastWindowClosed(false);
    installFontSubstitutes();
    QFont base(QStringLiteral("Arial"), 9);
    QApplication::setFont(base);
    applyStyle(app);
    app.setWindowIcon(QIcon(Art::path(QStringLiteral("app_icon"))));
}

} // namespace AppSetup
