#pragma once

#include "common/Platform.h"
#include "common/ui/UiPlatform.h"
#include "RecordingPrinter.h"

#include <QDialog>
#include <QList>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <memory>

class ScreenSet;

// A message box the program showed.
struct ShownMessage
{
    MessageBoxes::Kind kind;
    QString text;
};

// Records every box and answers with the scripted answers in turn (Yes or OK
// when none is left).
class ScriptedMessages : public MessageBoxes
{
public:
    Answer show(QWidget *parent, Kind kind, const QString &text) override;

    QList<ShownMessage> shown;
    QList<Answer> answers;
    // Called while the box would be on screen.
    std::function<void(const ShownMessage &)> onShow;

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); }
};

class ScriptedFiles : public FileDialogs
{
public:
    QString openFile(QWidget *, const QString &title, const QString &filter) override;
    QString saveFile(QWidget *, const QString &title, const QString &filter, const QString &suffix,
                     const QString &suggestedName) override;

    QStringList openAnswers; // taken in turn; empty string = cancel
    QStringList saveAnswers;
    QStringList titles;
    QStringList suggestedNames; // what each save dialog offered
};

// Drives each dialog with the next scripted handler while it is shown; a
// dialog without a handler is closed at once.
class ScriptedModal : public ModalRunner
{
public:
    void run(QDialog *dialog) override;

    QList<std::function<void(QDialog *)>> handlers;
    QStringList opened; // class names of the dialogs run
};

class FixedClock : public Clock
{
public:
    QDate today() const override { return date; }
    QDateTime now() const override { return QDateTime(date, time); }
    QDate date{2024, 3, 15};
    QTime time{10, 30, 0};
};

class RecordingShell : public ShellOpen
{
public:
    void open(const QUrl &target) override { opened.append(target); }
    QList<QUrl> opened;
};

class TempFolder : public ProgramFolder
{
public:
    TempFolder();
    QString path() const override;
    QTemporaryDir dir;
};

// Installs all doubles for the length of a test and removes them afterwards.
class TestPlatform
{
public:
    TestPlatform();
    ~TestPlatform();

    ScriptedMessages messages;
    ScriptedFiles files;
    ScriptedModal modal;
    FixedClock clock;
    RecordingShell shell;
    TempFolder folder;
    RecordingPrinter printer;

    QString file(const QString &name) const { return folder.file(name); }
};

// A fresh screen set on test doubles; the login is shown.
class TestApp
{
public:
    TestApp();
    ~TestApp();
    TestPlatform platform;
    std::unique_ptr<ScreenSet> screens;
    int terminations = 0;
};

// Finds a named child control of a screen; fails the test when it is missing.
// A missing control stops the test program at once with its name: a test must
// never go on quietly without the control it drives.
template <class T>
T *control(QWidget *screen, const char *name)
{
    T *found = screen ? screen->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        qFatal("control %s (%s) not found on %s", name, T::staticMetaObject.className(),
               screen ? screen->metaObject()->className() : "no screen");
    return found;
}

// Writes the installation's password file with the first-access password.
void writeFirstAccessPassword(const QString &path);

QByteArray readBytes(const QString &path);

// Types the text into the widget one key at a time, accented letters included
// (QTest::keyClicks only knows ASCII).
void typeText(QWidget *widget, const QString &text);
