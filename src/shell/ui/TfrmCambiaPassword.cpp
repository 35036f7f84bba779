#include "TfrmCambiaPassword.h"

#include "common/ArchivePaths.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "shell/PasswordStore.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

using Form::Kind;

namespace {

const QString kChangeFailed = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                                             "modifica della password. Si consiglia di reinstallare il software.");

// Only characters of codes up to 255 can be stored and typed back.
bool storable(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(QWidget *parent)
    : FixedDialog(QStringLiteral(" Cambia password"), QSize(411, 418), parent)
{
    auto c = Form::build(this, {
        {"imgLogo", Kind::Picture, {}, 29, 14, 353, 148, "change_logo"},
        {"lblPasswordOld", Kind::Bold, QStringLiteral("Vecchia password:"), 40, 172, 330, 18},
        {"txtPasswordOld", Kind::Password, {}, 40, 192, 331, 32},
        {"lblPasswordNew", Kind::Bold, QStringLiteral("Nuova password:"), 40, 234, 330, 18},
        {"txtPasswordNew", Kind::Password, {}, 40, 254, 331, 32},
        {"lblConferma", Kind::Bold, QStringLiteral("Conferma nuova password:"), 40, 296, 330, 18},
        {"txtConferma", Kind::Password, {}, 40, 316, 331, 32},
        {"cmdEsci", Kind::Button, QStringLiteral("Chiudi"), 40, 368, 130, 36},
        {"cmdOK", Kind::Button, QStringLiteral("OK"), 241, 368, 130, 36},
        {"lblMemory", Kind::Hidden, {}, 0, 0, 10, 10},
    });
    txtPasswordOld = c.get<FieldEdit>(QStringLiteral("txtPasswordOld"));
    txtPasswordNew = c.get<FieldEdit>(QStringLiteral("txtPasswordNew"));
    txtConferma = c.get<FieldEdit>(QStringLiteral("txtConferma"));
    cmdOK = c.get<QPushButton>(QStringLiteral("cmdOK"));
    cmdEsci = c.get<QPushButton>(QStringLiteral("cmdEsci"));
    lblMemory = c.get<QLabel>(QStringLiteral("lblMemory"));

    for (auto *e : {txtPasswordOld, txtPasswordNew, txtConferma}) {
        QFont f = e->font();
        f.setBold(true);
        f.setPointSize(14);
        e->setFont(f);
        connect(e, &QLineEdit::textChanged, this, &TfrmCambiaPassword::updateOK);
    }
    connect(txtPasswordOld, &FieldEdit::enterPressed, txtPasswordNew, [this] { txtPasswordNew->setFocus(); });
    connect(txtPasswordNew, &FieldEdit::enterPressed, txtConferma, [this] { txtConferma->setFocus(); });
    connect(txtConferma, &FieldEdit::enterPressed, txtPasswordOld, [this] { txtPasswordOld->setFocus(); });
    for (auto *b : {cmdOK, cmdEsci})
        b->setAutoDefault(false);
    cmdOK->setEnabled(false);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::closeScreen);
}

void TfrmCambiaPassword::showEvent(QShowEvent *e)
{
    FixedDialog::showEvent(e);
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    lblMemory->clear();
    txtPasswordOld->setFocus();
}

void TfrmCambiaPassword::closeEvent(QCloseEvent *e)
{
    // The hand-over back to the login hides this screen; a plain close would leave
    // no window on screen at all.
    e->ignore();
    if (isVisible())
        closeScreen();
}

void TfrmCambiaPassword::updateOK()
{
    cmdOK->setEnabled(!TextRules::trim(txtPasswordOld->text()).isEmpty() &&
                      !TextRules::trim(txtPasswordNew->text()).isEmpty() &&
                      !TextRules::trim(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::cmdOKClick()
{
    const PasswordStore store(ArchivePaths::password());
    const auto stored = store.read();
    if (!stored) {
        UiPlatform::plain(this, kChangeFailed);
        return;
    }
    if (*stored != PasswordStore::canonical(txtPasswordOld->text())) {
        UiPlatform::plain(this, QStringLiteral("Attenzione: vecchia password errata."));
        txtPasswordOld->clear();
        txtPasswordOld->setFocus();
        return;
    }
    if (TextRules::trim(txtPasswordNew->text()) != TextRules::trim(txtConferma->text())) {
        UiPlatform::plain(this, QStringLiteral("Attenzione: la nuova password non è stata confermata "
                                               "correttamente. E' necessario reinserire entrambi i valori."));
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus();
        return;
    }
    const QString canonical = PasswordStore::canonical(txtPasswordNew->text());
    // A longer password, or one with characters beyond Latin-1, could never be typed back.
    if (!storable(canonical) || canonical.size() > 255) {
        UiPlatform::plain(this, canonical.size() > 255
                                    ? QStringLiteral("Attenzione: la nuova password non può superare i 255 "
                                                     "caratteri.")
                                    : QStringLiteral("Attenzione: la nuova password contiene caratteri che non è "
                                                     "possibile memorizzare. Utilizzare soltanto lettere, cifre e "
                                                     "simboli presenti sulla tastiera."));
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus();
        return;
    }
    if (!store.write(canonical)) {
        UiPlatform::plain(this, kChangeFailed);
        return;
    }
    UiPlatform::plain(this, QStringLiteral("Modifica della password completata con successo."));
    closeScreen();
}

void TfrmCambiaPassword::closeScreen() { Q_EMIT finished_(); }
