#include "TfrmPassword.h"

#include "backup/ui/TfrmRipristino.h"
#include "common/ArchivePaths.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/LinkText.h"
#include "shell/PasswordStore.h"

#include <QLabel>
#include <QPushButton>
#include <QCloseEvent>
#include <QShowEvent>

using Form::Kind;

TfrmPassword::TfrmPassword(QWidget *parent)
    : FixedDialog(QStringLiteral(" Quintara - Benvenutissimo"), QSize(388, 405), parent)
{
    auto c = Form::build(this, {
        {"imgLogo", Kind::Picture, {}, 30, 18, 328, 160, "login_logo"},
        {"lblRigo05", Kind::Bold, QStringLiteral("Immetti la password e premi OK."), 30, 200, 328, 20},
        {"txtPassword", Kind::Password, {}, 30, 228, 248, 34},
        {"cmdOK", Kind::Button, QStringLiteral("OK"), 290, 226, 68, 38},
        {"cmdEsci", Kind::Button, QStringLiteral("Esci"), 30, 344, 130, 36},
        {"btnCambiaPassword", Kind::Button, QStringLiteral("Cambia password"), 208, 344, 150, 36},
        {"lblMemory", Kind::Hidden, {}, 0, 0, 10, 10},
        {"imgRipristina", Kind::Picture, {}, 30, 272, 20, 20, "backup"},
        {"lnkRipristina", Kind::Label, QStringLiteral("Ripristina una copia"), 56, 273, 220, 18},
    });
    txtPassword = c.get<FieldEdit>(QStringLiteral("txtPassword"));
    cmdOK = c.get<QPushButton>(QStringLiteral("cmdOK"));
    cmdEsci = c.get<QPushButton>(QStringLiteral("cmdEsci"));
    btnCambiaPassword = c.get<QPushButton>(QStringLiteral("btnCambiaPassword"));
    lblMemory = c.get<QLabel>(QStringLiteral("lblMemory"));
    lnkRipristina = c.get<QLabel>(QStringLiteral("lnkRipristina"));

    QFont f = txtPassword->font();
    f.setBold(true);
    f.setPointSize(14);
    txtPassword->setFont(f);
    for (auto *b : {cmdOK, cmdEsci, btnCambiaPassword})
        b->setAutoDefault(false);
    cmdOK->setEnabled(false);

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    connect(txtPassword, &FieldEdit::enterPressed, this, [this] {
        if (!TextRules::trim(txtPassword->text()).isEmpty())
            cmdOKClick();
    });
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT exitRequested();
    });
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::changeRequested);
    // For a user in trouble before the login: a damaged archive, a lost password.
    auto *restore = new LinkText(lnkRipristina, c.widget(QStringLiteral("imgRipristina")));
    connect(restore, &LinkText::activated, this, [this] {
        if (TfrmRipristino::run(this)) {
            Q_EMIT restored();
            resetForLogin(); // the password may be the copy's now
        }
    });
}

void TfrmPassword::showEvent(QShowEvent *e)
{
    FixedDialog::showEvent(e);
    txtPassword->setFocus();
}

void TfrmPassword::closeEvent(QCloseEvent *e)
{
    e->ignore();
    if (isVisible()) {
        hide();
        Q_EMIT exitRequested();
    }
}

void TfrmPassword::resetForLogin()
{
    txtPassword->clear();
    lblMemory->clear();
    txtPassword->setFocus();
}

void TfrmPassword::txtPasswordChange() { cmdOK->setEnabled(!TextRules::trim(txtPassword->text()).isEmpty()); }

void TfrmPassword::cmdOKClick()
{
    const auto stored = PasswordStore(ArchivePaths::password()).read();
    if (!stored) {
        UiPlatform::plain(this, QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                                               "lettura della password. Si consiglia di reinstallare il "
                                               "software."));
        return;
    }
    if (*stored != PasswordStore::canonical(txtPassword->text())) {
        UiPlatform::plain(this, QStringLiteral("Attenzione: password errata."));
        txtPassword->clear();
        txtPassword->setFocus();
        return;
    }
    Q_EMIT accepted_();
}
