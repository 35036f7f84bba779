// The copy made when the program ends, and "Ripristina una copia" from the login
// and from the information screen, driven through the real screens.
#include "support/FileFaults.h"
#include "support/ShownRows.h"
#include "support/TestPlatform.h"

#include "backup/BackupMaker.h"
#include "backup/BackupRestore.h"
#include "backup/BackupZip.h"
#include "backup/ui/TfrmRipristino.h"
#include "common/ArchivePaths.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "common/TSchedaSocio.h"
#include "members/ui/TfrmAnagrafica.h"
#include "movements/ui/TfrmMovimenti.h"
#include "shell/ui/Program.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmInfo.h"
#include "shell/ui/TfrmPassword.h"
#include "SampleData.h"
#include "ZipDirectory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using FileFaults::writeBytes;

namespace {

template <class T>
T *screen()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *s = qobject_cast<T *>(w))
            return s;
    return nullptr;
}

QStringList copiesIn(const QString &folder)
{
    return QDir(folder + QStringLiteral("Backup")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void clickLink(QWidget *parent, const char *name)
{
    QTest::mouseClick(control<QLabel>(parent, name), Qt::LeftButton, {}, QPoint(4, 4));
}

QStringList rows(QListView *list) { return ShownRows::texts(list); }

// Opens "Ripristina una copia" from the login and restores the row given; the
// rows the dialog listed.
QStringList restoreFromLogin(TestApp &app, int row)
{
    QStringList listed;
    app.platform.modal.handlers.append([&listed, row](QDialog *d) {
        auto *list = control<QListView>(d, "lstCopie");
        listed = rows(list);
        ShownRows::select(list, row);
        QTest::mouseClick(control<QPushButton>(d, "btnRipristina"), Qt::LeftButton);
    });
    clickLink(app.screens->password(), "lnkRipristina");
    return listed;
}

} // namespace

class TestBackupScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Which exits copy the data: only a run that could have written them.
    void theEndOfTheProgramCopiesTheData_data()
    {
        QTest::addColumn<QString>("exit");
        QTest::addColumn<QStringList>("copies");
        QTest::addColumn<QString>("message");
        const QStringList one{QStringLiteral("Quintara_2024-03-15_10-30-00.zip")};
        QTest::newRow("start menu's exit after a login") << QStringLiteral("imgEsci") << one << QString();
        QTest::newRow("start menu closed after a login") << QStringLiteral("close") << one << QString();
        QTest::newRow("login's Esci without a login") << QStringLiteral("cmdEsci") << QStringList() << QString();
        QTest::newRow("Backup is a file: the program still ends, and says so")
            << QStringLiteral("blocked") << QStringList()
            << QStringLiteral("Attenzione: la copia di sicurezza dei dati non è stata fatta perché si è verificato "
                              "un errore (Backup: not a folder). Controllare il disco e uscire di nuovo dal programma "
                              "per fare la copia.\r\n\r\nI dati e le copie precedenti nella cartella Backup non sono "
                              "stati toccati.");
    }
    void theEndOfTheProgramCopiesTheData()
    {
        QFETCH(QString, exit);
        QFETCH(QStringList, copies);
        QFETCH(QString, message);
        TestPlatform platform;
        const QString folder = platform.folder.path();
        writeFirstAccessPassword(ArchivePaths::password());
        QString error;
        QVERIFY(SampleData(2).writeArchives(folder, 5, 2024, 8, &error));
        if (exit == QLatin1String("blocked"))
            QVERIFY(QFile(folder + QStringLiteral("Backup")).open(QIODevice::WriteOnly));

        QTimer::singleShot(0, qApp, [&] {
            auto *login = screen<TfrmPassword>();
            if (exit == QLatin1String("cmdEsci")) {
                QTest::mouseClick(login->cmdEsci, Qt::LeftButton);
                return;
            }
            QTest::keyClicks(login->txtPassword, QStringLiteral("benvenutissimo"));
            QTest::mouseClick(login->cmdOK, Qt::LeftButton);
            auto *avvio = screen<TfrmAvvio>();
            if (exit == QLatin1String("close"))
                avvio->close();
            else
                QTest::mouseClick(control<PictureButton>(avvio, "imgEsci"), Qt::LeftButton, {}, QPoint(5, 5));
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        watchdog.start(20000);
        QCOMPARE(Program::run(*qApp), 0);

        if (exit != QLatin1String("blocked"))
            QCOMPARE(copiesIn(folder), copies);
        QCOMPARE(platform.messages.lastText(), message);
        if (!copies.isEmpty()) {
            const auto entries = BackupZip::entries(folder + QStringLiteral("Backup/") + copies.first());
            QVERIFY(entries.has_value());
            QStringList names;
            for (const auto &e : *entries)
                names << e.name;
            QCOMPARE(names, (QStringList{QStringLiteral("2024.eur"), QStringLiteral("Soci.pro"),
                                         QStringLiteral("unins000.dll")}));
        }
    }

    // A damaged archive put right from the login, and that restore undone with the
    // copy it made first.
    void restoreFromTheLoginAndUndoIt()
    {
        TestApp app;
        TestPlatform &p = app.platform;
        const QString folder = p.folder.path();
        writeFirstAccessPassword(ArchivePaths::password());
        QString error;
        QVERIFY(SampleData(4).writeArchives(folder, 9, 2024, 14, &error));
        QVERIFY(writeBytes(folder + QStringLiteral("9.jpg"), "foto del socio 9"));
        const QByteArray good = readBytes(ArchivePaths::members());
        QCOMPARE(int(BackupMaker(folder).make(QDateTime(QDate(2024, 3, 14), QTime(18, 5, 9))).status),
                 int(BackupOutcome::Status::Made));

        // The stick failed: the archive is cut short and holds rubbish; a photo was added since.
        const QByteArray damaged = good.left(1000) + QByteArray(300, '\0');
        QVERIFY(writeBytes(ArchivePaths::members(), damaged));
        QVERIFY(writeBytes(folder + QStringLiteral("10.jpg"), "foto nuova"));

        const QStringList listed = restoreFromLogin(app, 0);
        QCOMPARE(listed.size(), 1);
        QVERIFY2(listed[0].startsWith(QStringLiteral("14/03/2024 18:05:09")), qPrintable(listed[0]));
        QVERIFY2(listed[0].contains(QStringLiteral("      9 soci")), qPrintable(listed[0]));
        QVERIFY2(listed[0].contains(QStringLiteral("      14 movimenti")), qPrintable(listed[0]));
        QCOMPARE(p.messages.shown.size(), 2);
        QCOMPARE(int(p.messages.shown[0].kind), int(MessageBoxes::Kind::Question));
        QCOMPARE(p.messages.shown[0].text,
                 QStringLiteral("Ripristinare la copia del 14/03/2024 alle 18:05:09?\r\n\r\nL'archivio dei soci, i "
                                "movimenti di tutti gli anni, la password di accesso, le foto e i documenti allegati "
                                "saranno sostituiti da quelli della copia; le foto, gli anni e i documenti aggiunti "
                                "dopo la copia saranno tolti. Prima Quintara salva una copia dei dati attuali nella "
                                "cartella Backup, per poter tornare indietro."));
        QCOMPARE(p.messages.shown[1].text,
                 QStringLiteral("Ripristino completato: i dati sono ora quelli della copia del 14/03/2024 alle "
                                "18:05:09.\r\n\r\nI dati di prima sono nella copia del 15/03/2024 alle 10:30:00."));
        QCOMPARE(readBytes(ArchivePaths::members()), good);
        QCOMPARE(readBytes(folder + QStringLiteral("9.jpg")), QByteArray("foto del socio 9"));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("10.jpg")));
        QCOMPARE(copiesIn(folder), (QStringList{QStringLiteral("Quintara_2024-03-14_18-05-09.zip"),
                                                QStringLiteral("Quintara_2024-03-15_10-30-00.zip")}));
        // The login is still there, empty, and the password still works.
        QVERIFY(app.screens->password()->isVisible());

        // Undo: the copy made before the restore brings the damaged state back.
        p.messages.clear();
        p.clock.time = QTime(10, 45, 0);
        const QStringList again = restoreFromLogin(app, 0);
        QCOMPARE(again.size(), 2);
        QVERIFY2(again[0].startsWith(QStringLiteral("15/03/2024 10:30:00")), qPrintable(again[0]));
        QCOMPARE(p.messages.lastText().left(21), QStringLiteral("Ripristino completato"));
        QCOMPARE(readBytes(ArchivePaths::members()), damaged);
        QCOMPARE(readBytes(folder + QStringLiteral("10.jpg")), QByteArray("foto nuova"));
        QCOMPARE(copiesIn(folder).size(), 3);
    }

    void aDamagedCopyIsRefused()
    {
        TestApp app;
        TestPlatform &p = app.platform;
        const QString folder = p.folder.path();
        writeFirstAccessPassword(ArchivePaths::password());
        QString error;
        QVERIFY(SampleData(4).writeArchives(folder, 9, 2024, 14, &error));
        const BackupOutcome made = BackupMaker(folder).make(QDateTime(QDate(2024, 3, 1), QTime(8, 0)));
        QByteArray zip = readBytes(made.copyPath);
        zip[zip.size() / 2] = char(zip[zip.size() / 2] ^ 0x20);
        QVERIFY(writeBytes(made.copyPath, zip));
        const QByteArray now = readBytes(ArchivePaths::members()) + QByteArray("coda");
        QVERIFY(writeBytes(ArchivePaths::members(), now));

        restoreFromLogin(app, 0);
        QCOMPARE(p.messages.shown.size(), 2);
        QCOMPARE(int(p.messages.shown[1].kind), int(MessageBoxes::Kind::Warning));
        QCOMPARE(p.messages.shown[1].text,
                 QStringLiteral("Attenzione: la copia scelta è danneggiata (non si rilegge per intero) e non può "
                                "essere ripristinata. I dati attuali non sono stati toccati: scegliere un'altra copia."));
        QCOMPARE(readBytes(ArchivePaths::members()), now);
        QCOMPARE(copiesIn(folder), QStringList{QStringLiteral("Quintara_2024-03-01_08-00-00.zip")});
    }

    // After the login the same dialog is one click away on the information screen.
    void theInformationScreenOpensTheRestore()
    {
        TestPlatform p;
        QString error;
        QVERIFY(SampleData(4).writeArchives(p.folder.path(), 3, 2024, 2, &error));
        QVERIFY(BackupMaker(p.folder.path()).make(QDateTime(QDate(2024, 3, 1), QTime(8, 0))).ok());
        QStringList listed;
        p.modal.handlers.append([](QDialog *info) { clickLink(info, "lnkRipristina"); });
        p.modal.handlers.append([&listed](QDialog *d) { listed = rows(control<QListView>(d, "lstCopie")); });
        QWidget owner;
        openDialog<TfrmInfo>(&owner);
        QCOMPARE(p.modal.opened, (QStringList{QStringLiteral("TfrmInfo"), QStringLiteral("TfrmRipristino")}));
        QCOMPARE(listed.size(), 1);
        QVERIFY2(listed[0].contains(QStringLiteral("3 soci")), qPrintable(listed[0]));
    }

    void anEmptyFolderOffersNothingToRestore()
    {
        TestPlatform p;
        QStringList listed;
        bool enabled = true;
        p.modal.handlers.append([&](QDialog *d) {
            listed = rows(control<QListView>(d, "lstCopie"));
            enabled = control<QPushButton>(d, "btnRipristina")->isEnabled();
        });
        QWidget owner;
        QVERIFY(!TfrmRipristino::run(&owner).has_value());
        QCOMPARE(listed, QStringList{QStringLiteral("Nessuna copia nella cartella Backup.")});
        QVERIFY(!enabled);
    }

    // A copy whose directory was made up by hand shows no count of members: not
    // a million of them from a few bytes, not a fraction of a record.
    void theListShowsNoCountsFromAMadeUpDirectory_data()
    {
        QTest::addColumn<quint32>("declared");
        QTest::newRow("1,125,281 members declared in a few bytes") << quint32(1'125'281) * quint32(TSchedaSocio::Size);
        QTest::newRow("a members archive of 11 bytes") << quint32(11);
    }
    void theListShowsNoCountsFromAMadeUpDirectory()
    {
        QFETCH(quint32, declared);
        TestPlatform p;
        const QString folder = p.folder.path();
        writeFirstAccessPassword(ArchivePaths::password());
        QString error;
        QVERIFY(SampleData(4).writeArchives(folder, 9, 2024, 14, &error));
        const BackupOutcome made = BackupMaker(folder).make(QDateTime(QDate(2024, 3, 1), QTime(8, 0)));
        QCOMPARE(int(made.status), int(BackupOutcome::Status::Made));
        const QString forged = folder + QStringLiteral("Backup/Quintara_2024-03-02_08-00-00.zip");
        QVERIFY(QFile::copy(made.copyPath, forged));
        QVERIFY(declareSize(forged, "Soci.pro", declared));

        QStringList listed;
        p.modal.handlers.append([&listed](QDialog *d) { listed = rows(control<QListView>(d, "lstCopie")); });
        QWidget owner;
        QVERIFY(!TfrmRipristino::run(&owner).has_value());
        QCOMPARE(listed.size(), 2);
        QVERIFY2(listed[0].startsWith(QStringLiteral("02/03/2024 08:00:00")), qPrintable(listed[0]));
        QVERIFY2(listed[0].endsWith(QStringLiteral("(illeggibile)")), qPrintable(listed[0]));
        QVERIFY2(listed[1].contains(QStringLiteral("      9 soci")), qPrintable(listed[1]));
    }

    // A restore from the information screen, over the start menu: the member
    // card and the movement card, kept between visits, no longer show records
    // of the data replaced.
    void theCardsForgetTheDataARestoreReplaced()
    {
        TestApp app;
        TestPlatform &p = app.platform;
        const QString folder = p.folder.path();
        writeFirstAccessPassword(ArchivePaths::password());
        QString error;
        const SampleData sample(4);
        QVERIFY(sample.writeArchives(folder, 9, 2024, 14, &error));
        QVERIFY(BackupMaker(folder).make(QDateTime(QDate(2024, 3, 1), QTime(8, 0))).ok());

        TfrmAnagrafica *members = app.screens->anagrafica();
        members->loadRecord(3, sample.member(2));
        TfrmMovimenti *movements = app.screens->movimenti();
        movements->showRecord(5, sample.movement(2024, 4, 14, 9));
        auto *name = control<QLineEdit>(members, "txtDipendente");
        auto *reason = control<QLineEdit>(movements, "txtCausale");
        QVERIFY(!name->text().isEmpty());
        QVERIFY(!reason->text().isEmpty());

        p.modal.handlers.append([](QDialog *info) { clickLink(info, "lnkRipristina"); });
        p.modal.handlers.append([](QDialog *d) {
            ShownRows::select(control<QListView>(d, "lstCopie"), 0);
            QTest::mouseClick(control<QPushButton>(d, "btnRipristina"), Qt::LeftButton);
        });
        TfrmAvvio *menu = app.screens->avvio();
        QTest::mouseClick(control<PictureButton>(menu, "imgInfo"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(p.modal.opened, (QStringList{QStringLiteral("TfrmInfo"), QStringLiteral("TfrmRipristino")}));
        QCOMPARE(p.messages.lastText().left(21), QStringLiteral("Ripristino completato"));
        QCOMPARE(name->text(), QString());
        QCOMPARE(reason->text(), QString());
    }
};

QTEST_MAIN(TestBackupScreens)
#include "tst_backup_screens.moc"
