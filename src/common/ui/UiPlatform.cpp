#include "UiPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

QString productCaption() { return QStringLiteral("Quintara"); }

class QtMessageBoxes final : public MessageBoxes
{
public:
    Answer show(QWidget *parent, Kind kind, const QString &text) override
    {
        // The stored texts separate paragraphs with CR/LF pairs in either order.
        QString shown = text;
        shown.replace(QRegularExpression(QStringLiteral("\r\n|\n\r")), QStringLiteral("\n"));
        QMessageBox box(parent);
        box.setWindowTitle(productCaption());
        box.setText(shown);
        box.setTextFormat(Qt::PlainText);
        switch (kind) {
        case Kind::Plain:
            box.setIcon(QMessageBox::NoIcon);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Kind::Information:
        case Kind::Warning:
        case Kind::Error:
            box.setIcon(kind == Kind::Information ? QMessageBox::Information
                        : kind == Kind::Warning   ? QMessageBox::Warning
                                                  : QMessageBox::Critical);
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case Kind::Question:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        }
        const std::pair<QMessageBox::StandardButton, QString> captions[] = {
            {QMessageBox::Cancel, QStringLiteral("Annulla")},
            {QMessageBox::Yes, QStringLiteral("Sì")},
            {QMessageBox::No, QStringLiteral("No")},
        };
        for (const auto &[button, caption] : captions)
            if (auto *b = box.button(button))
                b->setText(caption);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return kind == Kind::Question ? Answer::No : Answer::Ok;
        }
    }
};

// Qt's own file dialog, not the desktop's: a desktop's dialog speaks the system's
// language, Qt's speaks the program's Italian.
class QtFileDialogs final : public FileDialogs
{
public:
    QString openFile(QWidget *parent, const QString &title, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, title, QString(), filter, nullptr,
                                            QFileDialog::DontUseNativeDialog);
    }
    QString saveFile(QWidget *parent, const QString &title, const QString &filter,
                     const QString &defaultSuffix, const QString &suggestedName) override
    {
        QFileDialog dialog(parent, title, QString(), filter);
        dialog.selectFile(suggestedName);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(defaultSuffix);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }
};

class ExecRunner final : public ModalRunner
{
public:
    void run(QDialog *dialog) override { dialog->exec(); }
};

QtMessageBoxes g_boxes;
QtFileDialogs g_files;
ExecRunner g_runner;
MessageBoxes *g_m = nullptr;
FileDialogs *g_f = nullptr;
ModalRunner *g_r = nullptr;

} // namespace

namespace UiPlatform {

MessageBoxes &messages() { return g_m ? *g_m : g_boxes; }
FileDialogs &files() { return g_f ? *g_f : g_files; }
ModalRunner &modal() { return g_r ? *g_r : g_runner; }
void setMessages(MessageBoxes *m) { g_m = m; }
void setFiles(FileDialogs *f) { g_f = f; }
void setModal(ModalRunner *r) { g_r = r; }

} // namespace UiPlatform
