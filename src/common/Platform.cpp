#include "Platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>

namespace {

class SystemClock final : public Clock
{
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// The program is portable: its data always lives beside the executable.
class ExecutableFolder final : public ProgramFolder
{
public:
    QString path() const override
    {
        QString dir = QCoreApplication::applicationDirPath();
        if (dir.isEmpty())
            dir = QDir::currentPath();
        return QDir::toNativeSeparators(QDir::cleanPath(dir) + QLatin1Char('/'));
    }
};

class DesktopShell final : public ShellOpen
{
public:
    void open(const QUrl &target) override { QDesktopServices::openUrl(target); }
};

SystemClock g_systemClock;
ExecutableFolder g_executableFolder;
DesktopShell g_desktopShell;

Clock *g_clock = nullptr;
ProgramFolder *g_folder = nullptr;
ShellOpen *g_shell = nullptr;

} // namespace

namespace Platform {

Clock &clock() { return g_clock ? *g_clock : g_systemClock; }
ProgramFolder &folder() { return g_folder ? *g_folder : g_executableFolder; }
ShellOpen &shell() { return g_shell ? *g_shell : g_desktopShell; }

void setClock(Clock *c) { g_clock = c; }
void setFolder(ProgramFolder *f) { g_folder = f; }
void setShell(ShellOpen *s) { g_shell = s; }

} // namespace Platform
