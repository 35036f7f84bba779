// Login and password change, driven through their controls.
#include "support/TestPlatform.h"

#include "common/ArchivePaths.h"
#include "common/ui/FieldEdit.h"
#include "shell/Crypt.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmCambiaPassword.h"
#include "shell/ui/TfrmPassword.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace {

const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kOldWrong = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                             "E' necessario reinserire entrambi i valori.");
const QString kChanged = QStringLiteral("Modifica della password completata con successo.");

void type(QWidget *w, const QString &text)
{
    w->setFocus();
    typeText(w, text);
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestApp> app;
    TfrmPassword *login() { return app->screens->password(); }
    TfrmCambiaPassword *change() { return app->screens->cambiaPassword(); }

    void tryLogin(const QString &typed)
    {
        login()->txtPassword->clear();
        type(login()->txtPassword, typed);
        QTest::keyClick(login()->txtPassword, Qt::Key_Return);
    }

    void changePassword(const QString &old, const QString &fresh, const QString &confirm)
    {
        QTest::mouseClick(login()->btnCambiaPassword, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(change()));
        type(change()->txtPasswordOld, old);
        type(change()->txtPasswordNew, fresh);
        type(change()->txtConferma, confirm);
        QVERIFY(change()->cmdOK->isEnabled());
        QTest::mouseClick(change()->cmdOK, Qt::LeftButton);
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<TestApp>();
        writeFirstAccessPassword(ArchivePaths::password());
        QVERIFY(QTest::qWaitForWindowExposed(login()));
    }
    void cleanup() { app.reset(); }

    void loginShowsFocusedEmptyField()
    {
        QVERIFY(login()->isVisible());
        QCOMPARE(QApplication::focusWidget(), login()->txtPassword);
        QVERIFY(!login()->cmdOK->isEnabled());
        QCOMPARE(login()->txtPassword->echoMode(), QLineEdit::Password);
    }

    void firstAccessPassword_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("small letters") << "benvenutissimo";
        QTest::newRow("capitals") << "BENVENUTISSIMO";
        QTest::newRow("mixed with blanks") << " BenVenutissimo  ";
    }
    void firstAccessPassword()
    {
        QFETCH(QString, typed);
        tryLogin(typed);
        QVERIFY(app->platform.messages.shown.isEmpty());
        QVERIFY(app->screens->avvio()->isVisible());
        QVERIFY(!login()->isVisible());
    }

    void blankPasswordCannotBeConfirmed()
    {
        type(login()->txtPassword, QStringLiteral("   "));
        QVERIFY(!login()->cmdOK->isEnabled());
        QTest::keyClick(login()->txtPassword, Qt::Key_Return);
        QVERIFY(app->platform.messages.shown.isEmpty());
        QVERIFY(login()->isVisible());
        type(login()->txtPassword, QStringLiteral("x"));
        QVERIFY(login()->cmdOK->isEnabled());
    }

    void wrongPasswordEmptiesTheField()
    {
        type(login()->txtPassword, QStringLiteral("sbagliata"));
        QTest::mouseClick(login()->cmdOK, Qt::LeftButton);
        QCOMPARE(app->platform.messages.shown.size(), 1);
        QCOMPARE(app->platform.messages.shown[0].kind, MessageBoxes::Kind::Plain);
        QCOMPARE(app->platform.messages.lastText(), kWrong);
        QCOMPARE(login()->txtPassword->text(), QString());
        QCOMPARE(QApplication::focusWidget(), login()->txtPassword);
        QVERIFY(login()->isVisible());
        // And again, as often as the user likes.
        tryLogin(QStringLiteral("ancora"));
        QCOMPARE(app->platform.messages.shown.size(), 2);
        tryLogin(QStringLiteral("benvenutissimo"));
        QVERIFY(app->screens->avvio()->isVisible());
    }

    void missingFileRefusesEveryPassword()
    {
        QFile::remove(ArchivePaths::password());
        tryLogin(QStringLiteral("benvenutissimo"));
        QCOMPARE(app->platform.messages.lastText(), kWrong);
        changePassword(QStringLiteral("benvenutissimo"), QStringLiteral("a"), QStringLiteral("a"));
        QCOMPARE(app->platform.messages.lastText(), kOldWrong);
        QVERIFY(!QFile::exists(ArchivePaths::password()));
    }

    void damagedValueIsAReadingError()
    {
        QFile f(ArchivePaths::password());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Accesso]\r\nValore=5D6X\r\n");
        f.close();
        tryLogin(QStringLiteral("benvenutissimo"));
        QCOMPARE(app->platform.messages.lastText(),
                 QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della "
                                "password. Si consiglia di reinstallare il software."));
        QVERIFY(login()->isVisible());
        changePassword(QStringLiteral("benvenutissimo"), QStringLiteral("a"), QStringLiteral("a"));
        QCOMPARE(app->platform.messages.lastText(),
                 QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della "
                                "password. Si consiglia di reinstallare il software."));
        QVERIFY(change()->isVisible());
        QCOMPARE(change()->txtPasswordNew->text(), QStringLiteral("a"));
    }

    void changeScreenStartsEmptyAndCyclesOnEnter()
    {
        QTest::mouseClick(login()->btnCambiaPassword, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(change()));
        QVERIFY(!login()->isVisible());
        QCOMPARE(QApplication::focusWidget(), change()->txtPasswordOld);
        QVERIFY(!change()->cmdOK->isEnabled());
        QTest::keyClicks(change()->txtPasswordOld, QStringLiteral("a"));
        QTest::keyClick(change()->txtPasswordOld, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), change()->txtPasswordNew);
        QTest::keyClicks(change()->txtPasswordNew, QStringLiteral("b"));
        QTest::keyClick(change()->txtPasswordNew, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), change()->txtConferma);
        QVERIFY(!change()->cmdOK->isEnabled());
        QTest::keyClicks(change()->txtConferma, QStringLiteral("  "));
        QVERIFY(!change()->cmdOK->isEnabled());
        QTest::keyClicks(change()->txtConferma, QStringLiteral("c"));
        QVERIFY(change()->cmdOK->isEnabled());
        // Enter never confirms: it goes back to the first field.
        QTest::keyClick(change()->txtConferma, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), change()->txtPasswordOld);
        QVERIFY(app->platform.messages.shown.isEmpty());
        // Closing brings back the login, empty and focused.
        login()->txtPassword->setText(QStringLiteral("left over"));
        QTest::mouseClick(change()->cmdEsci, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(login()));
        QCOMPARE(QApplication::focusWidget(), login()->txtPassword);
        QVERIFY(!change()->isVisible());
        QCOMPARE(login()->txtPassword->text(), QString());
        QCOMPARE(login()->lblMemory->text(), QString());
        // Shown again, the change screen is empty.
        QTest::mouseClick(login()->btnCambiaPassword, Qt::LeftButton);
        QCOMPARE(change()->txtPasswordOld->text(), QString());
        QCOMPARE(change()->txtConferma->text(), QString());
    }

    void changeScreenClosedByTheDesktopReturnsToTheLogin()
    {
        QTest::mouseClick(login()->btnCambiaPassword, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(change()));
        login()->txtPassword->setText(QStringLiteral("left over"));
        login()->lblMemory->setText(QStringLiteral("scratch"));
        // The close box, Alt+F4 or the taskbar all arrive as a close request on the window.
        change()->windowHandle()->close();
        QVERIFY(QTest::qWaitForWindowActive(login()));
        QVERIFY(!change()->isVisible());
        QCOMPARE(login()->txtPassword->text(), QString());
        QCOMPARE(login()->lblMemory->text(), QString());
        QCOMPARE(QApplication::focusWidget(), login()->txtPassword);
        QCOMPARE(app->terminations, 0);
    }

    void wrongOldPassword()
    {
        changePassword(QStringLiteral("sbagliata"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QCOMPARE(app->platform.messages.lastText(), kOldWrong);
        QCOMPARE(change()->txtPasswordOld->text(), QString());
        QCOMPARE(QApplication::focusWidget(), change()->txtPasswordOld);
        QCOMPARE(change()->txtPasswordNew->text(), QStringLiteral("nuova"));
    }

    void confirmationComparedBeforeUpperCasing()
    {
        const QByteArray before = readBytes(ArchivePaths::password());
        changePassword(QStringLiteral("benvenutissimo"), QStringLiteral("segreto"), QStringLiteral("SEGRETO"));
        QCOMPARE(app->platform.messages.lastText(), kNotConfirmed);
        QCOMPARE(change()->txtPasswordNew->text(), QString());
        QCOMPARE(change()->txtConferma->text(), QString());
        QCOMPARE(QApplication::focusWidget(), change()->txtPasswordNew);
        QCOMPARE(readBytes(ArchivePaths::password()), before);
    }

    void changedPasswordIsStoredInCapitals()
    {
        {
            QFile f(ArchivePaths::password());
            QVERIFY(f.open(QIODevice::Append));
            f.write("; installata il 01/01/2024\r\n[Altro]\r\nChiave=1\r\n");
        }
        changePassword(QStringLiteral("BENVENUTISSIMO"), QStringLiteral(" segreto "), QStringLiteral("segreto"));
        QCOMPARE(app->platform.messages.lastText(), kChanged);
        QCOMPARE(app->platform.messages.shown.last().kind, MessageBoxes::Kind::Plain);
        QVERIFY(!change()->isVisible());
        QVERIFY(login()->isVisible());
        QCOMPARE(readBytes(ArchivePaths::password()),
                 "[Accesso]\r\nValore=" + Crypt::scramble(QStringLiteral("SEGRETO")).toLatin1() +
                     "\r\n; installata il 01/01/2024\r\n[Altro]\r\nChiave=1\r\n");
        tryLogin(QStringLiteral("benvenutissimo"));
        QCOMPARE(app->platform.messages.lastText(), kWrong);
        tryLogin(QStringLiteral("Segreto"));
        QVERIFY(app->screens->avvio()->isVisible());
    }

    void accentedLettersKeepTheirCase()
    {
        changePassword(QStringLiteral("benvenutissimo"), QStringLiteral("è"), QStringLiteral("è"));
        QCOMPARE(app->platform.messages.lastText(), kChanged);
        tryLogin(QStringLiteral("È"));
        QCOMPARE(app->platform.messages.lastText(), kWrong);
        tryLogin(QStringLiteral("è"));
        QVERIFY(app->screens->avvio()->isVisible());
    }

    void overlongPasswordIsRefused()
    {
        const QByteArray before = readBytes(ArchivePaths::password());
        const QString longest(256, QLatin1Char('a'));
        QTest::mouseClick(login()->btnCambiaPassword, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(change()));
        type(change()->txtPasswordOld, QStringLiteral("benvenutissimo"));
        change()->txtPasswordNew->setText(longest);
        change()->txtConferma->setText(longest);
        QTest::mouseClick(change()->cmdOK, Qt::LeftButton);
        QCOMPARE(app->platform.messages.lastText(),
                 QStringLiteral("Attenzione: la nuova password non può superare i 255 caratteri."));
        QCOMPARE(readBytes(ArchivePaths::password()), before);
        // 255 characters are the most that can be stored and typed back.
        change()->txtPasswordNew->setText(longest.left(255));
        change()->txtConferma->setText(longest.left(255));
        QTest::mouseClick(change()->cmdOK, Qt::LeftButton);
        QCOMPARE(app->platform.messages.lastText(), kChanged);
        tryLogin(longest.left(255));
        QVERIFY(app->screens->avvio()->isVisible());
    }

    void passwordBeyondLatin1IsRefused()
    {
        const QByteArray before = readBytes(ArchivePaths::password());
        changePassword(QStringLiteral("benvenutissimo"), QStringLiteral("€uro"), QStringLiteral("€uro"));
        QVERIFY(app->platform.messages.lastText().startsWith(QStringLiteral("Attenzione: la nuova password")));
        QVERIFY(app->platform.messages.lastText() != kNotConfirmed);
        QCOMPARE(readBytes(ArchivePaths::password()), before);
        QVERIFY(change()->isVisible());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
