#include "TestPlatform.h"

#include "members/ui/CameraLibrary.h"
#include "shell/Crypt.h"
#include "common/ui/DesktopKeys.h"
#include "shell/ui/AppSetup.h"
#include "shell/ui/ScreenSet.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTest>

MessageBoxes::Answer ScriptedMessages::show(QWidget *, Kind kind, const QString &text)
{
    shown.append({kind, text});
    if (onShow)
        onShow(shown.last());
    if (!answers.isEmpty())
        return answers.takeFirst();
    return kind == Kind::Question ? Answer::Yes : Answer::Ok;
}

QString ScriptedFiles::openFile(QWidget *, const QString &title, const QString &)
{
    titles.append(title);
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

QString ScriptedFiles::saveFile(QWidget *, const QString &title, const QString &, const QString &,
                                const QString &suggestedName)
{
    titles.append(title);
    suggestedNames.append(suggestedName);
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

void ScriptedModal::run(QDialog *dialog)
{
    opened.append(QString::fromLatin1(dialog->metaObject()->className()));
    dialog->setModal(false);
    dialog->show();
    (void)QTest::qWaitForWindowExposed(dialog);
    if (!handlers.isEmpty()) {
        auto handler = handlers.takeFirst();
        handler(dialog);
    }
    dialog->close();
}

TempFolder::TempFolder() { dir.setAutoRemove(true); }

QString TempFolder::path() const { return dir.path() + QLatin1Char('/'); }

TestPlatform::TestPlatform()
{
    Platform::setClock(&clock);
    Platform::setFolder(&folder);
    Platform::setShell(&shell);
    UiPlatform::setMessages(&messages);
    UiPlatform::setFiles(&files);
    UiPlatform::setModal(&modal);
    PrinterOutput::install(&printer);
    AppSetup::installFontSubstitutes();
    CameraLibrary::addFolder(QStringLiteral(QUINTARA_BUILD_DIR));
    // The screens under test answer the keys as they do in the program.
    DesktopKeys::install();
}

TestPlatform::~TestPlatform()
{
    Platform::setClock(nullptr);
    Platform::setFolder(nullptr);
    Platform::setShell(nullptr);
    UiPlatform::setMessages(nullptr);
    UiPlatform::setFiles(nullptr);
    UiPlatform::setModal(nullptr);
    PrinterOutput::install(nullptr);
}

TestApp::TestApp()
    : screens(std::make_unique<ScreenSet>())
{
    QObject::connect(screens.get(), &ScreenSet::terminated, [this] { ++terminations; });
    screens->start();
}

TestApp::~TestApp() { screens.reset(); }

void writeFirstAccessPassword(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write("[Accesso]\r\nValore=" + Crypt::scramble(QStringLiteral("BENVENUTISSIMO")).toLatin1() + "\r\n");
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        const ushort u = c.unicode();
        int key = 0;
        if (u >= 'a' && u <= 'z')
            key = Qt::Key_A + (u - 'a');
        else if (u < 0x80)
            key = u >= 'A' && u <= 'Z' ? Qt::Key_A + (u - 'A') : u;
        const Qt::KeyboardModifiers mods = (u >= 'A' && u <= 'Z') ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent press(QEvent::KeyPress, key, mods, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, mods, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}
