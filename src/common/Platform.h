#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QUrl>

// The program's contact points with the machine that need no widget. Each is a
// small interface with the real implementation installed by default; tests
// install doubles.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
};

// The folder that holds the program and all its data, with a trailing separator.
class ProgramFolder
{
public:
    virtual ~ProgramFolder() = default;
    virtual QString path() const = 0;
    QString file(const QString &name) const { return path() + name; }
};

// Hands a document, a web address or a mailto address to the desktop, which opens
// it with the user's program. It returns at once and reports nothing.
class ShellOpen
{
public:
    virtual ~ShellOpen() = default;
    virtual void open(const QUrl &target) = 0;
};

namespace Platform {

Clock &clock();
ProgramFolder &folder();
ShellOpen &shell();

// Replace a seam; passing nullptr restores the real one. The caller keeps ownership.
void setClock(Clock *clock);
void setFolder(ProgramFolder *folder);
void setShell(ShellOpen *shell);

} // namespace Platform
