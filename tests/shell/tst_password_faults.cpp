// The password file under a failing disk and in a folder where someone planted
// links or special files, through the login and password change screens. A
// change the disk refuses is reported as a failure and leaves the file as it
// was, so the old password still opens the program; a password file that is not
// a plain file of sane size is a reading error, never an empty password.
#include "support/FileFaults.h"
#include "support/TestPlatform.h"

#include "common/ArchivePaths.h"
#include "common/ui/FieldEdit.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmCambiaPassword.h"
#include "shell/ui/TfrmPassword.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace FileFaults;

namespace {

const QString kReadingError = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                                             "della password. Si consiglia di reinstallare il software.");
const QString kChangeFailed = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                                             "modifica della password. Si consiglia di reinstallare il software.");

enum class Fault { DiskFull, ReadOnlyFolder };
enum class Planted { TerabyteSparse, MegabyteOfNewlines, Fifo, DanglingLink, LinkToPasswordFile };

void type(QWidget *w, const QString &text)
{
    w->setFocus();
    typeText(w, text);
}

} // namespace

class TestPasswordFaults : public QObject
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

    void fillChange(const QString &old, const QString &fresh)
    {
        QTest::mouseClick(login()->btnCambiaPassword, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(change()));
        type(change()->txtPasswordOld, old);
        type(change()->txtPasswordNew, fresh);
        type(change()->txtConferma, fresh);
    }

private Q_SLOTS:
    void init()
    {
        app = std::make_unique<TestApp>();
        writeFirstAccessPassword(ArchivePaths::password());
        QVERIFY(QTest::qWaitForWindowExposed(login()));
    }
    void cleanup() { app.reset(); }

    void refusedChangeKeepsTheOldPassword_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("disk takes only part of the file") << Fault::DiskFull;
        QTest::newRow("folder the user may not write") << Fault::ReadOnlyFolder;
    }

    void refusedChangeKeepsTheOldPassword()
    {
        QFETCH(Fault, fault);
        const QByteArray before = readBytes(ArchivePaths::password());
        const QStringList namesBefore = namesIn(app->platform.folder.dir.path());
        fillChange(QStringLiteral("benvenutissimo"), QStringLiteral("segreto"));
        if (fault == Fault::DiskFull) {
            // Less than the new file needs: its last bytes are refused.
            SizeLimit limit(before.size() / 3);
            QVERIFY(limit.active());
            QTest::mouseClick(change()->cmdOK, Qt::LeftButton);
        } else {
            const QString folder = app->platform.folder.dir.path();
            QVERIFY(openFolderToAll(folder, false));
            const auto reopen = qScopeGuard([&] { openFolderToAll(folder, true); });
            AsUnprivileged user;
            if (!user.active())
                QSKIP("the superuser cannot act as an unprivileged user here");
            QTest::mouseClick(change()->cmdOK, Qt::LeftButton);
        }

        QCOMPARE(app->platform.messages.lastText(), kChangeFailed);
        QVERIFY(change()->isVisible());
        QCOMPARE(change()->txtPasswordNew->text(), QStringLiteral("segreto"));
        QCOMPARE(readBytes(ArchivePaths::password()), before);
        QCOMPARE(namesIn(app->platform.folder.dir.path()), namesBefore);

        // Nobody is locked out: the old password still opens the program.
        QTest::mouseClick(change()->cmdEsci, Qt::LeftButton);
        tryLogin(QStringLiteral("segreto"));
        QCOMPARE(app->platform.messages.lastText(), QStringLiteral("Attenzione: password errata."));
        tryLogin(QStringLiteral("benvenutissimo"));
        QVERIFY(app->screens->avvio()->isVisible());
    }

    void plantedPasswordFileIsAReadingError_data()
    {
        QTest::addColumn<Planted>("planted");
        QTest::newRow("sparse file of a terabyte") << Planted::TerabyteSparse;
        QTest::newRow("a megabyte of line feeds") << Planted::MegabyteOfNewlines;
        QTest::newRow("FIFO") << Planted::Fifo;
        QTest::newRow("dangling link") << Planted::DanglingLink;
        QTest::newRow("link to a password file") << Planted::LinkToPasswordFile;
    }

    void plantedPasswordFileIsAReadingError()
    {
        QFETCH(Planted, planted);
        QTemporaryDir elsewhere;
        const QString path = ArchivePaths::password();
        const QString target = elsewhere.filePath(QStringLiteral("unins000.dll"));
        QVERIFY(QFile::remove(path));
        switch (planted) {
        case Planted::TerabyteSparse:
            if (!makeSparse(path, qint64(1) << 40))
                QSKIP("the file system here cannot hold a sparse file of a terabyte");
            break;
        case Planted::MegabyteOfNewlines:
            QVERIFY(writeBytes(path, "[Accesso]\r\nValore=5D602824792B0896A26F06075021\r\n" + QByteArray(1 << 20, '\n')));
            break;
        case Planted::Fifo:
            QVERIFY(makeFifo(path));
            break;
        case Planted::DanglingLink:
            QVERIFY(makeLink(target, path));
            break;
        case Planted::LinkToPasswordFile:
            writeFirstAccessPassword(target);
            QVERIFY(makeLink(target, path));
            break;
        }
        const QByteArray targetBefore = readBytes(target);
        const bool wasLink = QFileInfo(path).isSymLink();
        const qint64 sizeBefore = QFileInfo(path).size();
        const QDateTime modifiedBefore = QFileInfo(path).lastModified();

        tryLogin(QStringLiteral("benvenutissimo"));
        QCOMPARE(app->platform.messages.lastText(), kReadingError);
        QVERIFY(login()->isVisible());
        QVERIFY(!app->screens->avvio()->isVisible());

        fillChange(QStringLiteral("benvenutissimo"), QStringLiteral("segreto"));
        QTest::mouseClick(change()->cmdOK, Qt::LeftButton);
        QCOMPARE(app->platform.messages.lastText(), kChangeFailed);
        QVERIFY(change()->isVisible());

        // The planted file is left as it was, and nothing was created through a link.
        QCOMPARE(QFileInfo(path).isSymLink(), wasLink);
        QCOMPARE(QFileInfo(path).size(), sizeBefore);
        QCOMPARE(QFileInfo(path).lastModified(), modifiedBefore);
        QCOMPARE(QFileInfo::exists(target), planted == Planted::LinkToPasswordFile);
        QCOMPARE(readBytes(target), targetBefore);
    }
};

QTEST_MAIN(TestPasswordFaults)
#include "tst_password_faults.moc"
