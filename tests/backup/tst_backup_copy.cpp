// The copy of the data folder into Backup: what goes in, when a copy is made, and
// what the folder looks like when a copy cannot be made.
#include "support/FileFaults.h"
#include "support/TestPlatform.h"

#include "backup/BackupCopies.h"
#include "backup/BackupMaker.h"
#include "backup/BackupNames.h"
#include "backup/BackupRestore.h"
#include "backup/BackupRotation.h"
#include "backup/BackupZip.h"
#include "common/RecordFile.h"
#include "output/AttachmentFolder.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"
#include "SampleData.h"
#include "ZipDirectory.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>
#include <QThread>

#include <zip.h>

#include <cstring>

using namespace FileFaults;

namespace {

const QDateTime kNow(QDate(2024, 3, 15), QTime(10, 30, 0));

QString backupDir(const QString &folder) { return folder + QStringLiteral("Backup"); }

// The copies in Backup, by name, hidden names included (a temporary left behind shows).
QStringList copyNames(const QString &folder)
{
    return QDir(backupDir(folder)).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Every entry of a zip with its bytes, read through the library.
QMap<QString, QByteArray> zipContents(const QString &path)
{
    QMap<QString, QByteArray> out;
    const bool ok = BackupZip::forEach(path, [&out](const BackupZip::Entry &e, const QByteArray &bytes) {
        out.insert(e.name, bytes);
        return true;
    });
    if (!ok)
        out.insert(QStringLiteral("(unreadable)"), {});
    return out;
}

// A small folder with the data of an association and the other files a program
// folder holds. Returns the data files with their bytes.
QMap<QString, QByteArray> writeFolder(const QString &folder)
{
    const SampleData sample(7);
    QString error;
    if (!sample.writeArchives(folder, 12, 2024, 30, &error))
        qFatal("%s", qPrintable(error));
    if (!sample.writeArchives(folder, 12, 2023, 25, &error))
        qFatal("%s", qPrintable(error));
    writeFirstAccessPassword(folder + QStringLiteral("unins000.dll"));
    QDir(folder).mkdir(QStringLiteral("Documenti_Allegati"));
    const QList<QPair<QString, QByteArray>> data = {
        {QStringLiteral("Ente.ini"), "[Ente]\r\nNome=Circolo\r\n"},
        {QStringLiteral("Rendiconto.ini"), "[Rendiconto]\r\nAnno=2024\r\n"},
        {QStringLiteral("LibroSoci.txt"), "Quintara libro soci 1\nUltimo\t1\n3\t1\t10/01/2024\t-\t-\t-\n"},
        {QStringLiteral("Adempimenti.ini"), "[Adempimenti]\r\nRendicontoDepositato2023=05/06/2024\r\n"},
        {QStringLiteral("Promemoria.ini"), "[Promemoria]\r\nNascostoIl=14/03/2024\r\n"},
        {QStringLiteral("Ricevute2024.ini"), "[1/2024]\r\nNumero=1/2024\r\n"},
        {QStringLiteral("Preventivo.ini"), "[2024]\r\nA.U1=100,00\r\n"},
        {QStringLiteral("EstrattiImportati.txt"), "riferimento 1\n"},
        {QStringLiteral("3.jpg"), QByteArray(3000, '\xff')},
        {QStringLiteral("12.jpg"), QByteArray("\xff\xd8 foto 12")},
        {QStringLiteral("Documenti_Allegati/fattura marzo.pdf"), "%PDF-1.4 fattura"},
        {QStringLiteral("Documenti_Allegati/ricevuta.jpg"), "ricevuta"},
    };
    // Not data: the program, the manual, the exports, other programs' files, names
    // that only look like data.
    const QStringList others = {
        QStringLiteral("quintara"), QStringLiteral("Guida.pdf"), QStringLiteral("Soci.xls"),
        QStringLiteral("Movimenti.xls"), QStringLiteral("Soci.xlsx"), QStringLiteral("Rendiconto_2024.xls"),
        QStringLiteral("Rendiconto.xlsx"), QStringLiteral("note.txt"),
        QStringLiteral("0.jpg"), QStringLiteral("foto.jpg"), QStringLiteral("20245.eur"), QStringLiteral("Soci.pro.bak"),
        QStringLiteral(".~quintara-0badf00d.tmp"),
    };
    for (const auto &d : data)
        writeBytes(folder + d.first, d.second);
    for (const QString &o : others)
        writeBytes(folder + o, "non è un dato " + o.toUtf8());
    QDir(folder).mkdir(QStringLiteral("Altro"));
    writeBytes(folder + QStringLiteral("Altro/Soci.pro"), "altro");
    makeLink(folder + QStringLiteral("2024.eur"), folder + QStringLiteral("2022.eur"));

    QMap<QString, QByteArray> expected;
    for (const QString &name : {QStringLiteral("Soci.pro"), QStringLiteral("2023.eur"), QStringLiteral("2024.eur"),
                                QStringLiteral("unins000.dll")})
        expected.insert(name, readBytes(folder + name));
    for (const auto &d : data)
        expected.insert(d.first, d.second);
    return expected;
}

// Every file and folder below folder but the copies, with the bytes of each file:
// what a restore that stops must leave exactly as it was.
QMap<QString, QByteArray> folderState(const QString &folder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(folder.size());
        if (relative.startsWith(QLatin1String("Backup")))
            continue;
        const QFileInfo info(path);
        out.insert(relative, info.isSymLink() ? QByteArray("<link>")
                                 : info.isDir() ? QByteArray("<folder>")
                                                : readBytes(path));
    }
    return out;
}

// Zeros as a data file, without holding them: the makings of a zip bomb.
class ZeroStream : public BackupZip::Stream
{
public:
    bool open() override { return true; }
    qint64 readAt(char *data, qint64 max, qint64) override
    {
        memset(data, 0, size_t(max));
        return max;
    }
    bool finish() override { return true; }
    void close() override {}
};

} // namespace

class TestBackupCopy : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copyHoldsTheDataFilesAndTheirBytes()
    {
        TestPlatform p;
        const QString folder = p.folder.path();
        const auto expected = writeFolder(folder);
        // An earlier copy is not copied again into the new one.
        QDir(folder).mkdir(QStringLiteral("Backup"));
        writeBytes(backupDir(folder) + QStringLiteral("/Quintara_2020-01-01_00-00-00.zip"), "vecchia");

        const BackupOutcome o = BackupMaker(folder).make(kNow);
        QCOMPARE(int(o.status), int(BackupOutcome::Status::Made));
        QCOMPARE(o.copyPath, backupDir(folder) + QStringLiteral("/Quintara_2024-03-15_10-30-00.zip"));
        QCOMPARE(zipContents(o.copyPath), expected);
        QCOMPARE(copyNames(folder), (QStringList{QStringLiteral("Quintara_2020-01-01_00-00-00.zip"),
                                                 QStringLiteral("Quintara_2024-03-15_10-30-00.zip")}));
        QCOMPARE(BackupMaker::message(o), QString());

        // The list shows it with its members (12) and movements (30 + 25).
        const QList<BackupCopy> copies = BackupCopies::list(folder, true);
        QCOMPARE(copies.size(), 2);
        QCOMPARE(copies[0].when, kNow);
        QCOMPARE(copies[0].members, 12);
        QCOMPARE(copies[0].movements, 55);
        QCOMPARE(copies[0].bytes, QFileInfo(o.copyPath).size());
        QCOMPARE(copies[1].members, -1); // the file that is no zip
    }

    void aCopyEqualToTheLastIsNotMadeAgain_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("copied");
        QTest::newRow("nothing changed") << QString() << false;
        QTest::newRow("one byte of a record") << QStringLiteral("byte") << true;
        QTest::newRow("a record appended") << QStringLiteral("append") << true;
        QTest::newRow("a photo added") << QStringLiteral("photo") << true;
        QTest::newRow("an attachment removed") << QStringLiteral("remove") << true;
        QTest::newRow("an export rewritten") << QStringLiteral("export") << false;
    }
    void aCopyEqualToTheLastIsNotMadeAgain()
    {
        QFETCH(QString, change);
        QFETCH(bool, copied);
        TestPlatform p;
        const QString folder = p.folder.path();
        writeFolder(folder);
        QCOMPARE(int(BackupMaker(folder).make(kNow).status), int(BackupOutcome::Status::Made));

        if (change == QLatin1String("byte")) {
            QByteArray bytes = readBytes(folder + QStringLiteral("2023.eur"));
            bytes[TSchedaMovimento::Size + 40] = bytes[TSchedaMovimento::Size + 40] == 'x' ? 'y' : 'x';
            writeBytes(folder + QStringLiteral("2023.eur"), bytes);
        } else if (change == QLatin1String("append")) {
            RecordFile<TSchedaSocio> members;
            QVERIFY(members.open(folder + QStringLiteral("Soci.pro")));
            QVERIFY(members.append(SampleData(3).member(1)));
        } else if (change == QLatin1String("photo")) {
            writeBytes(folder + QStringLiteral("5.jpg"), "foto");
        } else if (change == QLatin1String("remove")) {
            QVERIFY(QFile::remove(folder + QStringLiteral("Documenti_Allegati/ricevuta.jpg")));
        } else if (change == QLatin1String("export")) {
            writeBytes(folder + QStringLiteral("Soci.xls"), "nuova esportazione");
        }

        const QDateTime later = kNow.addSecs(3600);
        const BackupOutcome o = BackupMaker(folder).make(later);
        QCOMPARE(int(o.status), int(copied ? BackupOutcome::Status::Made : BackupOutcome::Status::Unchanged));
        QCOMPARE(copyNames(folder).size(), copied ? 2 : 1);
        QCOMPARE(BackupMaker::message(o), QString());
    }

    // Files that had settled when they were copied are known again by their
    // stamp at the next end of the program, without being read; a change the
    // stamp shows, even with the file's time set back, makes a new copy; bytes
    // written again unchanged do not.
    void settledFilesAreKnownByTheirStamp()
    {
        TestPlatform p;
        const QString folder = p.folder.path();
        const auto expected = writeFolder(folder);
        // A time that a tool can put back exactly.
        const QString year = folder + QStringLiteral("2023.eur");
        const QDateTime written(QDate(2024, 1, 31), QTime(18, 0));
        {
            QFile file(year);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(written, QFileDevice::FileModificationTime));
        }
        // Past the coarsest tick of a file system's clock.
        QThread::msleep(3500);
        const BackupOutcome first = BackupMaker(folder).make(kNow);
        QCOMPARE(int(first.status), int(BackupOutcome::Status::Made));
        const auto entries = BackupZip::entries(first.copyPath);
        QVERIFY(entries.has_value());
        QCOMPARE(entries->size(), expected.size());
        for (const BackupZip::Entry &e : *entries)
            QVERIFY2(e.note.startsWith("quintara-stamp "), qPrintable(e.name));

        // A writer on another workstation holds 2024.eur: a file that is read
        // would be waited for; this one is known by its stamp.
        {
            RecordFile<TSchedaMovimento> writer;
            QVERIFY(writer.open(folder + QStringLiteral("2024.eur"), RecordFileBase::Access::Write));
            BackupMaker maker(folder);
            maker.setLockWait(200);
            const BackupOutcome o = maker.make(kNow.addSecs(60));
            QCOMPARE(int(o.status), int(BackupOutcome::Status::Unchanged));
            QCOMPARE(o.copyPath, first.copyPath);
        }

        // The same bytes written again: read, found equal, no copy.
        const QString members = folder + QStringLiteral("Soci.pro");
        QVERIFY(writeBytes(members, expected.value(QStringLiteral("Soci.pro"))));
        QCOMPARE(int(BackupMaker(folder).make(kNow.addSecs(120)).status), int(BackupOutcome::Status::Unchanged));

        // One byte changed by a tool that puts the file's time back as it was:
        // the stamp still shows it, and the new copy holds the new bytes.
        QFile file(year);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = expected.value(QStringLiteral("2023.eur"));
        bytes[TSchedaMovimento::Size + 40] = bytes[TSchedaMovimento::Size + 40] == 'x' ? 'y' : 'x';
        QVERIFY(file.seek(TSchedaMovimento::Size + 40));
        QCOMPARE(file.write(bytes.constData() + TSchedaMovimento::Size + 40, 1), qint64(1));
        QVERIFY(file.flush());
        QVERIFY(file.setFileTime(written, QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(QFileInfo(year).lastModified(), written);
        const BackupOutcome o = BackupMaker(folder).make(kNow.addSecs(180));
        QCOMPARE(int(o.status), int(BackupOutcome::Status::Made));
        QCOMPARE(zipContents(o.copyPath).value(QStringLiteral("2023.eur")), bytes);
        // Written a moment ago, it has not settled: its stamp is not kept.
        const auto now = BackupZip::entries(o.copyPath);
        QVERIFY(now.has_value());
        for (const BackupZip::Entry &e : *now)
            QCOMPARE(e.note.isEmpty(), e.name == QLatin1String("2023.eur") || e.name == QLatin1String("Soci.pro"));
    }

    // A record file held by a writer on another workstation: the copy waits as a
    // reader waits, then gives up, and no copy is left that looks whole.
    void aLockedRecordFileStopsTheCopy()
    {
        TestPlatform p;
        const QString folder = p.folder.path();
        writeFolder(folder);
        RecordFile<TSchedaMovimento> writer;
        QVERIFY(writer.open(folder + QStringLiteral("2024.eur"), RecordFileBase::Access::Write));
        QVERIFY(writer.isLocked());

        BackupMaker maker(folder);
        maker.setLockWait(300);
        const BackupOutcome o = maker.make(kNow);
        QCOMPARE(int(o.status), int(BackupOutcome::Status::Busy));
        QCOMPARE(o.file, QStringLiteral("2024.eur"));
        QVERIFY(!QFileInfo::exists(backupDir(folder)));
        QCOMPARE(BackupMaker::message(o),
                 QStringLiteral("Attenzione: la copia di sicurezza dei dati non è stata fatta, perché il file 2024.eur "
                                "è in uso su un'altra postazione.\r\n\r\nI dati e le copie precedenti nella cartella "
                                "Backup non sono stati toccati. La copia sarà fatta alla prossima uscita dal programma."));

        // Once the writer is done, the copy goes through.
        writer.close();
        QCOMPARE(int(maker.make(kNow).status), int(BackupOutcome::Status::Made));
    }

    // A disk that takes no more, a folder the user may not write: no copy, no
    // half copy, the old copies and the data as they were, and the user is told why.
    void aCopyThatCannotBeWrittenLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("why");
        QTest::newRow("disk takes no more") << QStringLiteral("full") << QStringLiteral("perché il disco è pieno");
        QTest::newRow("read-only folder, no Backup yet")
            << QStringLiteral("readonly") << QStringLiteral("protetta da scrittura");
        QTest::newRow("read-only Backup folder")
            << QStringLiteral("readonly backup") << QStringLiteral("protetta da scrittura");
    }
    void aCopyThatCannotBeWrittenLeavesEverythingAsItWas()
    {
        QFETCH(QString, fault);
        QFETCH(QString, why);
        constexpr qint64 kLimit = 64 * 1024;
        TestPlatform p;
        const QString folder = p.folder.path();
        writeFolder(folder);
        // A photo that does not compress: the copy is bigger than the disk takes.
        QVERIFY(noisyPhoto(3 * kLimit).save(folder + QStringLiteral("7.jpg"), "JPEG", 100));
        QVERIFY(QFileInfo(folder + QStringLiteral("7.jpg")).size() > 2 * kLimit);
        if (fault != QLatin1String("readonly")) {
            QVERIFY(QDir(folder).mkdir(QStringLiteral("Backup")));
            QVERIFY(writeBytes(backupDir(folder) + QStringLiteral("/Quintara_2024-03-01_09-00-00.zip"), "vecchia"));
        }
        const QStringList namesBefore = namesIn(folder);
        const QStringList copiesBefore = copyNames(folder);
        QMap<QString, QByteArray> bytesBefore;
        for (const QString &name : BackupMaker::dataFiles(folder))
            bytesBefore.insert(name, readBytes(folder + name));

        if (fault.startsWith(QLatin1String("readonly"))) {
            QVERIFY(openFolderToAll(folder, fault == QLatin1String("readonly backup")));
            if (fault == QLatin1String("readonly backup"))
                QVERIFY(openFolderToAll(backupDir(folder), false));
        }
        constexpr int kNoFault = 2, kToldWhy = 0, kWrongOutcome = 1;
        const int result = inChild([&] {
            std::unique_ptr<SizeLimit> limit;
            if (fault == QLatin1String("full")) {
                limit = std::make_unique<SizeLimit>(kLimit);
                if (!limit->active())
                    return kNoFault;
            } else if (!becomeUnprivileged()) {
                return kNoFault;
            }
            const BackupOutcome o = BackupMaker(folder).make(kNow);
            if (o.status != BackupOutcome::Status::Failed)
                return kWrongOutcome;
            const QString text = BackupMaker::message(o);
            return text.startsWith(QStringLiteral("Attenzione: la copia di sicurezza dei dati non è stata fatta"))
                        && text.contains(why)
                        && text.contains(QStringLiteral("I dati e le copie precedenti nella cartella Backup non sono "
                                                        "stati toccati."))
                ? kToldWhy
                : kWrongOutcome;
        });
        QVERIFY(openFolderToAll(folder, true));
        if (QFileInfo::exists(backupDir(folder)))
            QVERIFY(openFolderToAll(backupDir(folder), true));
        if (result == kNoFault)
            QSKIP("this system does not let the fault be made");
        QCOMPARE(result, kToldWhy);
        QCOMPARE(namesIn(folder), namesBefore);
        QCOMPARE(copyNames(folder), copiesBefore);
        for (auto it = bytesBefore.cbegin(); it != bytesBefore.cend(); ++it)
            QCOMPARE(readBytes(folder + it.key()), it.value());
    }

    // Which copies go, at 15/03/2024 10:30, among copies made at the times given.
    void rotationKeepsTwentyAndOnePerMonth_data()
    {
        QTest::addColumn<QStringList>("copies"); // yyyy-MM-dd hh:mm
        QTest::addColumn<QStringList>("deleted");
        auto series = [](const QDateTime &first, int count, int stepMinutes) {
            QStringList out;
            for (int i = 0; i < count; ++i)
                out << first.addSecs(qint64(i) * stepMinutes * 60).toString(QStringLiteral("yyyy-MM-dd hh:mm"));
            return out;
        };
        const QDateTime morning(QDate(2024, 3, 15), QTime(8, 0));
        QTest::newRow("twenty copies today: all stay") << series(morning, 20, 5) << QStringList();
        QTest::newRow("twenty-one today: the oldest goes")
            << series(morning, 21, 5) << QStringList{QStringLiteral("2024-03-15 08:00")};
        QTest::newRow("twenty-two today, one last month: the month's copy stays")
            << (series(morning, 22, 5) << QStringLiteral("2024-02-10 18:00"))
            << QStringList{QStringLiteral("2024-03-15 08:05"), QStringLiteral("2024-03-15 08:00")};
        QTest::newRow("several in an old month: only its newest stays")
            << (series(morning, 20, 5) << QStringLiteral("2023-11-02 09:00") << QStringLiteral("2023-11-20 17:00")
                                       << QStringLiteral("2023-11-30 23:59"))
            << QStringList{QStringLiteral("2023-11-20 17:00"), QStringLiteral("2023-11-02 09:00")};
        QTest::newRow("thirteen months back is out of the window")
            << (series(morning, 20, 5) << QStringLiteral("2023-04-30 12:00") << QStringLiteral("2023-03-31 12:00")
                                       << QStringLiteral("2023-02-28 12:00"))
            << QStringList{QStringLiteral("2023-03-31 12:00"), QStringLiteral("2023-02-28 12:00")};
        QTest::newRow("few old copies: all stay, however old")
            << QStringList{QStringLiteral("2019-01-01 10:00"), QStringLiteral("2021-06-01 10:00")} << QStringList();
        QTest::newRow("one a day for a year: twenty and one per earlier month")
            << series(QDateTime(QDate(2023, 3, 16), QTime(21, 0)), 366, 24 * 60)
            << [&] {
                   // Kept: 24/02..15/03/2024 (the newest twenty) and the last day of
                   // each month from April 2023 to January 2024; March 2023 is out.
                   QStringList out;
                   const QStringList all = series(QDateTime(QDate(2023, 3, 16), QTime(21, 0)), 366, 24 * 60);
                   for (const QString &s : all) {
                       const QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
                       const bool newest = d >= QDate(2024, 2, 25);
                       const bool monthEnd = d.day() == d.daysInMonth() && d >= QDate(2023, 4, 1);
                       if (!newest && !monthEnd)
                           out << s;
                   }
                   std::reverse(out.begin(), out.end());
                   return out;
               }();
    }
    void rotationKeepsTwentyAndOnePerMonth()
    {
        QFETCH(QStringList, copies);
        QFETCH(QStringList, deleted);
        QList<QDateTime> times;
        for (const QString &c : copies)
            times << QDateTime::fromString(c, QStringLiteral("yyyy-MM-dd hh:mm"));
        QStringList got;
        for (const QDateTime &t : BackupRotation::toDelete(times, QDateTime(QDate(2024, 3, 15), QTime(10, 30))))
            got << t.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        QCOMPARE(got, deleted);
    }

    // The rule applied to the folder: the new copy's rotation deletes the
    // copies it names and nothing else. A file that only bears a copy's name is
    // not the program's to remove, and a copy dated in the future neither goes
    // nor takes one of the twenty places.
    void aNewCopyRotatesTheFolder()
    {
        TestPlatform p;
        const QString folder = p.folder.path();
        writeFolder(folder);
        QVERIFY(QDir(folder).mkdir(QStringLiteral("Backup")));
        QStringList old;
        for (int i = 0; i < 20; ++i) {
            const QString name = BackupNames::copyName(kNow.addDays(-1).addSecs(i * 60));
            QVERIFY(BackupZip::write(backupDir(folder) + QLatin1Char('/') + name,
                                     {{QStringLiteral("Ente.ini"), "[Ente]\r\nNome=copia " + QByteArray::number(i)}},
                                     nullptr));
            old << name;
        }
        const QString notACopy = BackupNames::copyName(kNow.addDays(-2));
        QVERIFY(writeBytes(backupDir(folder) + QLatin1Char('/') + notACopy, "testo con il nome di una copia"));
        const QString future = BackupNames::copyName(QDateTime(QDate(2099, 1, 1), QTime(12, 0)));
        QVERIFY(BackupZip::write(backupDir(folder) + QLatin1Char('/') + future,
                                 {{QStringLiteral("Ente.ini"), "[Ente]\r\nNome=futuro"}}, nullptr));
        QVERIFY(writeBytes(backupDir(folder) + QStringLiteral("/nota.txt"), "non una copia"));
        const BackupOutcome o = BackupMaker(folder).make(kNow);
        QCOMPARE(int(o.status), int(BackupOutcome::Status::Made));
        // The oldest of the 21 goes; the day before is March too, so it is not kept as a month.
        QCOMPARE(o.deleted, QStringList{backupDir(folder) + QLatin1Char('/') + old.first()});
        QStringList expected = old.mid(1);
        expected << QStringLiteral("Quintara_2024-03-15_10-30-00.zip") << QStringLiteral("nota.txt") << notACopy
                 << future;
        expected.sort();
        QCOMPARE(copyNames(folder), expected);
    }

    // A copy whose bytes were damaged after it was written (a bad sector, a stick
    // pulled out) does not read back whole.
    void aDamagedCopyDoesNotReadBack_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("a byte of the data") << QStringLiteral("middle");
        QTest::newRow("cut short") << QStringLiteral("truncate");
        QTest::newRow("not a zip") << QStringLiteral("garbage");
    }
    void aDamagedCopyDoesNotReadBack()
    {
        QFETCH(QString, damage);
        TestPlatform p;
        const QString folder = p.folder.path();
        writeFolder(folder);
        const BackupOutcome o = BackupMaker(folder).make(kNow);
        QVERIFY(BackupZip::verify(o.copyPath).has_value());
        QByteArray bytes = readBytes(o.copyPath);
        if (damage == QLatin1String("middle")) {
            // Inside the first entry's data, past its local header.
            bytes[200] = char(bytes[200] ^ 0x55);
        } else if (damage == QLatin1String("truncate")) {
            bytes.chop(bytes.size() / 3);
        } else {
            bytes = QByteArray(bytes.size(), 'z');
        }
        QVERIFY(writeBytes(o.copyPath, bytes));
        BackupZip::Error error;
        QVERIFY(!BackupZip::verify(o.copyPath, &error).has_value());
        QVERIFY(!error.text.isEmpty());
    }

    // A restore while another workstation is saving into an archive: it waits
    // as a writer waits, then stops before touching anything, and says why.
    void aRestoreWaitsForAWriterAndThenStops()
    {
        TestPlatform p;
        const QString folder = p.folder.path();
        writeFolder(folder);
        const BackupOutcome copy = BackupMaker(folder).make(kNow);
        QCOMPARE(int(copy.status), int(BackupOutcome::Status::Made));
        QVERIFY(writeBytes(folder + QStringLiteral("12.jpg"), "foto cambiata"));
        QMap<QString, QByteArray> before;
        for (const QString &name : BackupMaker::dataFiles(folder))
            before.insert(name, readBytes(folder + name));

        RecordFile<TSchedaSocio> writer;
        QVERIFY(writer.open(folder + QStringLiteral("Soci.pro"), RecordFileBase::Access::Write));
        QVERIFY(writer.isLocked());
        const RestoreOutcome o = BackupRestore::restore(folder, copy.copyPath, kNow.addSecs(60));
        QCOMPARE(int(o.status), int(RestoreOutcome::Status::Busy));
        QCOMPARE(BackupRestore::message(o),
                 QStringLiteral("Attenzione: il ripristino non è stato fatto, perché il file Soci.pro è in uso su "
                                "un'altra postazione.\r\n\r\nI dati attuali non sono stati toccati: riprovare quando "
                                "l'altra postazione ha finito di salvare."));
        QCOMPARE(copyNames(folder), QStringList{QFileInfo(copy.copyPath).fileName()});
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(readBytes(folder + it.key()), it.value());

        // Once the save is over the restore goes through.
        writer.close();
        QCOMPARE(int(BackupRestore::restore(folder, copy.copyPath, kNow.addSecs(120)).status),
                 int(RestoreOutcome::Status::Restored));
        QCOMPARE(readBytes(folder + QStringLiteral("12.jpg")), QByteArray("\xff\xd8 foto 12"));
    }

    // The archives are written over in place: a workstation that has one open
    // reads the restored records, not a file that is no longer in the folder.
    void anArchiveOpenElsewhereReadsTheRestoredRecords()
    {
        TestPlatform p;
        const QString folder = p.folder.path();
        const auto expected = writeFolder(folder);
        const BackupOutcome copy = BackupMaker(folder).make(kNow);
        QCOMPARE(int(copy.status), int(BackupOutcome::Status::Made));
        const QString year = folder + QStringLiteral("2024.eur");
        QVERIFY(writeBytes(year, QByteArray(3 * TSchedaMovimento::Size, 'z')));

        QFile open(year);
        QVERIFY(open.open(QIODevice::ReadOnly));
        QCOMPARE(int(BackupRestore::restore(folder, copy.copyPath, kNow.addSecs(60)).status),
                 int(RestoreOutcome::Status::Restored));
        QVERIFY(open.seek(0));
        QCOMPARE(open.readAll(), expected.value(QStringLiteral("2024.eur")));
        QCOMPARE(readBytes(year), expected.value(QStringLiteral("2024.eur")));
    }

    // A zip put into Backup by someone else may name files outside the data:
    // such a copy is refused whole, and nothing is written anywhere.
    void aCopyNamingOtherFilesIsRefused_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("out of the folder") << QStringLiteral("../fuori.txt");
        QTest::newRow("out of the attachment folder") << QStringLiteral("Documenti_Allegati/../quintara");
        QTest::newRow("the program") << QStringLiteral("quintara");
        QTest::newRow("an absolute path") << QStringLiteral("/tmp/quintara-backup-test.txt");
    }
    void aCopyNamingOtherFilesIsRefused()
    {
        QFETCH(QString, entry);
        TestPlatform p;
        const QString folder = p.folder.path() + QStringLiteral("dati/");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("Backup")));
        QVERIFY(writeBytes(folder + QStringLiteral("Soci.pro"), QByteArray(TSchedaSocio::Size, ' ')));
        const QString zip = folder + QStringLiteral("Backup/Quintara_2024-01-01_00-00-00.zip");
        QVERIFY(BackupZip::write(zip, {{QStringLiteral("Soci.pro"), QByteArray(2 * TSchedaSocio::Size, 'a')},
                                       {entry, "intruso"}},
                                 nullptr));
        const QStringList before = namesIn(p.folder.path());

        const RestoreOutcome o = BackupRestore::restore(folder, zip, kNow);
        QCOMPARE(int(o.status), int(RestoreOutcome::Status::Damaged));
        QCOMPARE(readBytes(folder + QStringLiteral("Soci.pro")), QByteArray(TSchedaSocio::Size, ' '));
        QCOMPARE(namesIn(p.folder.path()), before);
        QCOMPARE(copyNames(folder), QStringList{QStringLiteral("Quintara_2024-01-01_00-00-00.zip")});
        QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/quintara-backup-test.txt")));
    }

    // A copy that is not whole, or that would fill the disk, or a folder with a
    // link where the copy's files go: refused before anything is written, with
    // the reason, and no copy of the data is even made.
    void aCopyThatCannotBeRestoredIsRefusedBeforeAnythingIsWritten_data()
    {
        QTest::addColumn<QString>("copy");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("told");
        const auto notWhole = int(RestoreOutcome::Status::NotWhole);
        QTest::newRow("a members archive of 11 bytes")
            << QStringLiteral("short members") << notWhole << QStringLiteral("il file Soci.pro è troncato");
        QTest::newRow("only Ente.ini") << QStringLiteral("only settings") << notWhole
                                       << QStringLiteral("manca il file della password di accesso");
        QTest::newRow("no entries at all") << QStringLiteral("empty") << notWhole
                                           << QStringLiteral("la copia non contiene alcun file");
        QTest::newRow("a year declaring more than its bytes hold")
            << QStringLiteral("inflated directory") << int(RestoreOutcome::Status::Damaged)
            << QStringLiteral("la copia scelta è danneggiata");
        QTest::newRow("64 MB of zeros for a disk with 1 MB free")
            << QStringLiteral("bomb") << int(RestoreOutcome::Status::NoRoom)
            << QStringLiteral("il disco non ha spazio per i file della copia (servono 64,0 MB, liberi 1,0 MB)");
        QTest::newRow("Documenti_Allegati a link to another folder")
            << QStringLiteral("linked attachments") << int(RestoreOutcome::Status::Blocked)
            << QStringLiteral("nella cartella del programma Documenti_Allegati non è un file o una cartella di Quintara");
    }
    void aCopyThatCannotBeRestoredIsRefusedBeforeAnythingIsWritten()
    {
        QFETCH(QString, copy);
        QFETCH(int, status);
        QFETCH(QString, told);
        TestPlatform p;
        const QString folder = p.folder.path() + QStringLiteral("dati/");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("Backup")));
        writeFolder(folder);
        const QString elsewhere = p.folder.path() + QStringLiteral("altrove/");
        QVERIFY(QDir().mkpath(elsewhere));
        const QString zip = folder + QStringLiteral("Backup/Quintara_2024-01-01_00-00-00.zip");
        const QByteArray password = readBytes(folder + QStringLiteral("unins000.dll"));
        const QByteArray members(3 * TSchedaSocio::Size, 'a');
        if (copy == QLatin1String("short members")) {
            QVERIFY(BackupZip::write(zip, {{QStringLiteral("Soci.pro"), "11 byte!!!!"},
                                           {QStringLiteral("unins000.dll"), password}},
                                     nullptr));
        } else if (copy == QLatin1String("only settings")) {
            QVERIFY(BackupZip::write(zip, {{QStringLiteral("Ente.ini"), "[Ente]\r\nNome=Altro\r\n"}}, nullptr));
        } else if (copy == QLatin1String("empty")) {
            // The end of a zip's directory, with no entry before it.
            QVERIFY(writeBytes(zip, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0')));
        } else if (copy == QLatin1String("inflated directory")) {
            QVERIFY(BackupZip::write(zip, {{QStringLiteral("2024.eur"), QByteArray(TSchedaMovimento::Size, 'm')},
                                           {QStringLiteral("Soci.pro"), members},
                                           {QStringLiteral("unins000.dll"), password}},
                                     nullptr));
            QVERIFY(declareSize(zip, "2024.eur", quint32(1'000'000) * quint32(TSchedaMovimento::Size)));
        } else if (copy == QLatin1String("bomb")) {
            ZeroStream zeros;
            const QByteArray kept = readBytes(folder + QStringLiteral("Soci.pro"));
            BackupZip::Error error;
            // The small files as they are, the bomb beside them.
            struct Bytes : BackupZip::Stream
            {
                QByteArray b;
                bool open() override { return true; }
                qint64 readAt(char *data, qint64 max, qint64 offset) override
                {
                    const qint64 n = qMin(max, qint64(b.size()) - offset);
                    if (n <= 0)
                        return 0;
                    memcpy(data, b.constData() + offset, size_t(n));
                    return n;
                }
                bool finish() override { return true; }
                void close() override {}
            } pass, archive;
            pass.b = password;
            archive.b = kept;
            QVERIFY2(BackupZip::writeStreams(zip,
                                             {{QStringLiteral("Documenti_Allegati/grande.pdf"), 64 << 20, &zeros, true, {}, 0},
                                              {QStringLiteral("Soci.pro"), kept.size(), &archive, true, {}, 0},
                                              {QStringLiteral("unins000.dll"), password.size(), &pass, true, {}, 0}},
                                             &error),
                     qPrintable(error.text));
            QVERIFY(QFileInfo(zip).size() < 1 << 20);
        } else {
            QVERIFY(BackupZip::write(zip, {{QStringLiteral("Documenti_Allegati/fattura marzo.pdf"), "altra fattura"},
                                           {QStringLiteral("Soci.pro"), members},
                                           {QStringLiteral("unins000.dll"), password}},
                                     nullptr));
            QVERIFY(QDir(folder + QStringLiteral("Documenti_Allegati")).removeRecursively());
            QVERIFY(makeLink(elsewhere, folder + QStringLiteral("Documenti_Allegati")));
        }
        const auto before = folderState(folder);

        const RestoreOutcome o = BackupRestore::restore(folder, zip, kNow, [](const QString &) { return qint64(1) << 20; });
        QCOMPARE(int(o.status), status);
        const QString text = BackupRestore::message(o);
        QVERIFY2(text.contains(told), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("I dati attuali non sono stati toccati")), qPrintable(text));
        QCOMPARE(folderState(folder), before);
        QCOMPARE(namesIn(elsewhere), QStringList());
        QCOMPARE(copyNames(folder), QStringList{QStringLiteral("Quintara_2024-01-01_00-00-00.zip")});
    }

    // The disk takes the copy of the data as they are, but not a photo of the
    // copy being restored: nothing is put in place, every file stays byte for
    // byte, and the user is told. The copy made before is itself restored later.
    void aRestoreThatFillsTheDiskLeavesEveryFileAsItWas()
    {
        // Above every archive of the folder, below the photo.
        constexpr qint64 kLimit = 128 * 1024;
        TestPlatform p;
        const QString folder = p.folder.path();
        writeFolder(folder);
        QVERIFY(noisyPhoto(3 * kLimit).save(folder + QStringLiteral("7.jpg"), "JPEG", 100));
        QVERIFY(QFileInfo(folder + QStringLiteral("7.jpg")).size() > 2 * kLimit);
        const BackupOutcome copy = BackupMaker(folder).make(kNow);
        QCOMPARE(int(copy.status), int(BackupOutcome::Status::Made));
        const auto copied = folderState(folder);

        // Since the copy: the photo went, a movement came, and so did a new year.
        QVERIFY(QFile::remove(folder + QStringLiteral("7.jpg")));
        {
            RecordFile<TSchedaMovimento> year;
            QVERIFY(year.open(folder + QStringLiteral("2024.eur")));
            QVERIFY(year.append(SampleData(5).movement(2024, 1, 2, 12)));
            RecordFile<TSchedaMovimento> next;
            QVERIFY(next.open(folder + QStringLiteral("2025.eur")));
            QVERIFY(next.append(SampleData(5).movement(2025, 1, 2, 12)));
        }
        const auto before = folderState(folder);

        constexpr int kNoFault = 2, kToldWhy = 0, kWrongOutcome = 1;
        const int result = inChild([&] {
            SizeLimit limit(kLimit);
            if (!limit.active())
                return kNoFault;
            const RestoreOutcome o = BackupRestore::restore(folder, copy.copyPath, kNow.addSecs(60));
            const QString text = BackupRestore::message(o);
            return o.status == RestoreOutcome::Status::NotWritten && o.file == QLatin1String("7.jpg")
                    && text == QStringLiteral("Attenzione: il ripristino non è stato fatto, perché non è stato "
                                              "possibile scrivere il file 7.jpg (il disco è pieno).\r\n\r\nI dati "
                                              "attuali non sono stati toccati: liberare spazio sul disco e riprovare.")
                ? kToldWhy
                : kWrongOutcome;
        });
        if (result == kNoFault)
            QSKIP("this system does not let the fault be made");
        QCOMPARE(result, kToldWhy);
        QCOMPARE(folderState(folder), before);
        const QStringList copies = copyNames(folder);
        QCOMPARE(copies.size(), 2);
        const QString safety = backupDir(folder) + QLatin1Char('/') + copies.last();

        // With room again: the copy goes back, the year made since goes; and the
        // copy made before that restore brings everything back as it was.
        QCOMPARE(int(BackupRestore::restore(folder, copy.copyPath, kNow.addSecs(120)).status),
                 int(RestoreOutcome::Status::Restored));
        QCOMPARE(folderState(folder), copied);
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("2025.eur")));
        QCOMPARE(int(BackupRestore::restore(folder, safety, kNow.addSecs(180)).status),
                 int(RestoreOutcome::Status::Restored));
        QCOMPARE(folderState(folder), before);
    }

    // The document chooser checked the folder; a link put in its place after
    // that check still receives nothing.
    void anAttachmentIsNotCopiedThroughALinkPutInTheFolder()
    {
        TestPlatform p;
        const QString folder = p.folder.path();
        QVERIFY(AttachmentFolder::ensure());
        const QString destination = AttachmentFolder::fileOf(QStringLiteral("fattura.pdf"));
        QCOMPARE(AttachmentFolder::placeOf(destination), AttachmentFolder::Place::Free);
        const QString source = folder + QStringLiteral("scelto.pdf");
        QVERIFY(writeBytes(source, "%PDF-1.4 scelto"));
        const QString elsewhere = folder + QStringLiteral("altrove");
        QVERIFY(QDir(folder).mkdir(QStringLiteral("altrove")));
        QVERIFY(QDir(AttachmentFolder::path()).removeRecursively());
        QVERIFY(makeLink(elsewhere, AttachmentFolder::path()));

        QVERIFY(!AttachmentFolder::copyIn(source, destination));
        QCOMPARE(namesIn(elsewhere), QStringList());
    }
};

QTEST_MAIN(TestBackupCopy)
#include "tst_backup_copy.moc"
