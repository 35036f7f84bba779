#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Message boxes as the program shows them. A typed box has an icon and the
// buttons OK and Cancel (the answer is not used); a plain box has OK only; a
// question has Yes and No.
class MessageBoxes
{
public:
    enum class Kind { Plain, Information, Warning, Error, Question };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~MessageBoxes() = default;
    virtual Answer show(QWidget *parent, Kind kind, const QString &text) = 0;
};

// Open and save dialogs. An empty result means the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString openFile(QWidget *parent, const QString &title, const QString &filter) = 0;
    // The dialog starts with suggestedName, appends defaultSuffix when none is typed
    // and asks before overwriting.
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &filter,
                             const QString &defaultSuffix, const QString &suggestedName) = 0;
};

// Runs a dialog screen modally; tests replace it to drive the dialog while it is shown.
class ModalRunner
{
public:
    virtual ~ModalRunner() = default;
    virtual void run(QDialog *dialog) = 0;
};

namespace UiPlatform {

MessageBoxes &messages();
FileDialogs &files();
ModalRunner &modal();

void setMessages(MessageBoxes *m);
void setFiles(FileDialogs *f);
void setModal(ModalRunner *r);

// Shorthands for the kinds of box the screens use.
inline void warning(QWidget *p, const QString &t) { messages().show(p, MessageBoxes::Kind::Warning, t); }
inline void error(QWidget *p, const QString &t) { messages().show(p, MessageBoxes::Kind::Error, t); }
inline void information(QWidget *p, const QString &t) { messages().show(p, MessageBoxes::Kind::Information, t); }
inline void plain(QWidget *p, const QString &t) { messages().show(p, MessageBoxes::Kind::Plain, t); }
inline bool ask(QWidget *p, const QString &t)
{
    return messages().show(p, MessageBoxes::Kind::Question, t) != MessageBoxes::Answer::No;
}

// Paragraph separators used inside messages.
inline const QString kCrLfCrLf = QStringLiteral("\r\n\r\n");
inline const QString kLfCrLfCr = QStringLiteral("\n\r\n\r");

} // namespace UiPlatform
