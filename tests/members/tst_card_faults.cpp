// The member card when the archive fails under it: a folder in the archive's
// place, the archive held by another workstation, a disk that refuses the rest of
// a save. The card shows its access message, keeps what it showed, and the
// archive stays as it was and usable.
#include "CardFixture.h"

#include <QDir>
#include <QElapsedTimer>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                       "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                       "installazione del programma.");

void fillCard(CardFixture &f, const QString &name)
{
    f.field("txtDipendente")->setText(name);
    f.field("txtStipendio")->setText(QStringLiteral("25,00"));
    f.field("txtDataSca")->setText(QStringLiteral("31/12/2024"));
    f.field("txtPreavviso")->setText(QStringLiteral("10"));
}

void expectAccessError(CardFixture &f)
{
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, MessageBoxes::Kind::Error);
    QCOMPARE(f.messages().shown[0].text, kAccess);
    f.messages().clear();
}

} // namespace

class TestCardFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void folderInPlaceOfTheArchive()
    {
        CardFixture f;
        QVERIFY(QDir().mkpath(ArchivePaths::members()));
        for (const char *arrow : {"cmdPrimo", "cmdUltimo", "cmdAvanti", "cmdIndietro"}) {
            f.click(arrow);
            expectAccessError(f);
        }
        fillCard(f, QStringLiteral("Rossi Mario"));
        f.click("btnSalva");
        expectAccessError(f);
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Rossi Mario"));
        QVERIFY(QFileInfo(ArchivePaths::members()).isDir());
        QVERIFY(!QFile::exists(ArchivePaths::photo(1)));
    }

    void archiveHeldByAnotherWorkstation()
    {
        CardFixture f;
        writeArchive({member(QStringLiteral("Bianchi Luca"))});
        const QByteArray before = readBytes(ArchivePaths::members());
        {
            // Another program is in the middle of a save: it holds the archive.
            RecordFile<TSchedaSocio> other;
            QVERIFY(other.open(ArchivePaths::members(), RecordFileBase::Access::Write));
            fillCard(f, QStringLiteral("Rossi Mario"));
            QElapsedTimer waited;
            waited.start();
            f.click("btnSalva");
            expectAccessError(f);
            // It waited for the other save to end before giving up.
            QVERIFY(waited.elapsed() >= RecordFileBase::kLockTimeoutMs / 2);
            f.click("cmdPrimo");
            expectAccessError(f);
            QCOMPARE(readBytes(ArchivePaths::members()), before);
            QCOMPARE(f.position(), QString());
            QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Rossi Mario"));
        }
        // Once the other workstation is done, the same card is saved.
        f.click("btnSalva");
        QCOMPARE(f.messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(f.position(), QStringLiteral("2"));
        QCOMPARE(readBytes(ArchivePaths::members()).left(TSchedaSocio::Size), before);
        QCOMPARE(storedRecord(2).Dipendente, QStringLiteral("Rossi Mario"));
    }

    // The disk takes only part of the new record (a full disk or a quota).
    void saveCutShortByTheDisk()
    {
        CardFixture f;
        writeArchive({member(QStringLiteral("Bianchi Luca")), member(QStringLiteral("Verdi Anna"))});
        const QByteArray before = readBytes(ArchivePaths::members());
        fillCard(f, QStringLiteral("Rossi Mario"));

        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto *previous = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limited = saved;
        limited.rlim_cur = rlim_t(before.size() + 1000);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        f.click("btnSalva");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        expectAccessError(f);
        QCOMPARE(readBytes(ArchivePaths::members()), before);
        QCOMPARE(f.position(), QString());
        QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Rossi Mario"));
        // With room again the save goes through as the third card.
        f.click("btnSalva");
        QCOMPARE(f.position(), QStringLiteral("3"));
        QCOMPARE(readBytes(ArchivePaths::members()).left(before.size()), before);
        QCOMPARE(storedRecord(3).Dipendente, QStringLiteral("Rossi Mario"));
    }

    void readOnlyArchive()
    {
        if (geteuid() == 0)
            QSKIP("running as root: file permissions do not stop the superuser from writing");
        CardFixture f;
        writeArchive({member(QStringLiteral("Bianchi Luca"))});
        const QByteArray before = readBytes(ArchivePaths::members());
        QFile::setPermissions(ArchivePaths::members(), QFile::ReadOwner);
        f.click("cmdPrimo");
        expectAccessError(f);
        fillCard(f, QStringLiteral("Rossi Mario"));
        f.click("btnSalva");
        expectAccessError(f);
        QCOMPARE(readBytes(ArchivePaths::members()), before);
        QFile::setPermissions(ArchivePaths::members(), QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_MAIN(TestCardFaults)
#include "tst_card_faults.moc"
