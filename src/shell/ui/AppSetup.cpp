#include "AppSetup.h"

#include "common/ui/Art.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>

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

void configure(QApplication &app)
{
    QCoreApplication::setApplicationName(QStringLiteral("Quintara"));
    // The program ends only through its own exits, never because a screen was hidden.
    app.setQuitOnLastWindowClosed(false);
    installFontSubstitutes();
    QFont base(QStringLiteral("Arial"), 9);
    QApplication::setFont(base);
    app.setWindowIcon(QIcon(Art::path(QStringLiteral("app_icon"))));
}

} // namespace AppSetup
