// The files the program saves whole (the password file, an attached document, a
// photo, an export) and its archives, in a folder where the file system fails
// for real or where someone planted links and special files. A refused save
// reports failure, leaves the old file byte for byte as it was and leaves no
// scrap behind; nothing is ever written or created through a link; a special
// file never holds the program; a file of absurd size is refused before it is
// read.
#include "support/FileFaults.h"

#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"
#include "members/ui/PhotoFiles.h"
#include "output/ExportDocument.h"
#include "output/AttachmentFolder.h"
#include "shell/PasswordStore.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

using namespace FileFaults;

namespace {

enum class Writer { Password, Attachment, Photo, Export, ExportInPieces };
enum class Fault { SizeLimit, ReadOnlyFolder, LinkToAFile, DanglingLink, FolderInPlace };

// What each save writes is larger than the size limit and smaller than the
// buffer a save through QSaveFile keeps until its commit, where a refused last
// write used to pass unnoticed.
constexpr qint64 kLimit = 4096;

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A password file with a few other lines, as an installer may leave it.
QByteArray passwordFile()
{
    QByteArray ini = "[Accesso]\r\nValore=5D602824792B0896A26F06075021\r\n[Note]\r\n";
    for (int i = 0; ini.size() < 3 * kLimit; ++i)
        ini += "Riga" + QByteArray::number(i) + "=installazione della sede centrale\r\n";
    return ini;
}


struct Target
{
    QString name;
    QByteArray old; // the file's bytes before the save
};

Target targetOf(Writer w)
{
    switch (w) {
    case Writer::Password:
        return {QStringLiteral("unins000.dll"), passwordFile()};
    case Writer::Attachment:
        return {QStringLiteral("fattura.pdf"), QByteArray("%PDF vecchia fattura")};
    case Writer::Photo:
        return {QStringLiteral("1.jpg"), QByteArray("\xff\xd8 vecchia foto")};
    case Writer::Export:
    case Writer::ExportInPieces:
        return {QStringLiteral("Soci.xls"), QByteArray("<html>vecchia esportazione</html>")};
    }
    return {};
}

// The save under test; true when it reports success.
bool save(Writer w, const QString &path, const QString &source)
{
    switch (w) {
    case Writer::Password:
        return PasswordStore(path).write(QStringLiteral("NUOVA PASSWORD"));
    case Writer::Attachment:
        return AttachmentFolder::copyIn(source, path);
    case Writer::Photo:
        return PhotoFiles::writeJpeg(FileFaults::noisyPhoto(2 * kLimit), path);
    case Writer::Export:
        return ExportDocument::save(path, "<html>" + QByteArray(3 * kLimit, 'x') + "</html>");
    case Writer::ExportInPieces: {
        // A grid export of some megabytes, handed to the disk in several pieces
        // before the last row is made.
        static const QByteArray cell(80, 'x');
        ExportDescription d;
        d.fileName = QStringLiteral("Soci.xls");
        d.sheetName = QStringLiteral("Riepilogo Soci");
        d.columns = {{QStringLiteral("Cognome e nome"), 250}};
        d.rowCount = 30000;
        d.cell = [](qint64, int) { return ExportDescription::Cell{cell, nullptr}; };
        return ExportDocument::save(path, d);
    }
    }
    return false;
}

// Child results.
constexpr int kRefused = 0;
constexpr int kReportedSuccess = 1;
constexpr int kNoFault = 2; // the fault could not be set up in the child

} // namespace

class TestFileFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusedSaveLeavesTheOldFile_data()
    {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<Fault>("fault");
        const QList<QPair<const char *, Writer>> writers = {{"password file", Writer::Password},
                                                            {"attachment", Writer::Attachment},
                                                            {"photo", Writer::Photo},
                                                            {"export", Writer::Export},
                                                            {"export in pieces", Writer::ExportInPieces}};
        const QList<QPair<const char *, Fault>> faults = {{"disk takes no more", Fault::SizeLimit},
                                                          {"read-only folder", Fault::ReadOnlyFolder},
                                                          {"link to another file", Fault::LinkToAFile},
                                                          {"dangling link", Fault::DanglingLink},
                                                          {"folder in its place", Fault::FolderInPlace}};
        for (const auto &w : writers)
            for (const auto &f : faults)
                QTest::addRow("%s, %s", w.first, f.first) << w.second << f.second;
    }

    void refusedSaveLeavesTheOldFile()
    {
        QFETCH(Writer, writer);
        QFETCH(Fault, fault);
        QTemporaryDir folder;
        QTemporaryDir elsewhere;
        const Target t = targetOf(writer);
        const QString path = folder.filePath(t.name);
        const QString source = elsewhere.filePath(QStringLiteral("scelto.pdf"));
        QVERIFY(writeBytes(source, QByteArray(5000, 'n')));
        const QString victim = elsewhere.filePath(QStringLiteral("altro.dat"));
        const QByteArray victimBytes("file di un altro programma");
        const QString absent = elsewhere.filePath(QStringLiteral("mai_creato"));

        switch (fault) {
        case Fault::SizeLimit:
        case Fault::ReadOnlyFolder:
            QVERIFY(writeBytes(path, t.old));
            break;
        case Fault::LinkToAFile:
            QVERIFY(writeBytes(victim, victimBytes));
            QVERIFY(makeLink(victim, path));
            break;
        case Fault::DanglingLink:
            QVERIFY(makeLink(absent, path));
            break;
        case Fault::FolderInPlace:
            QVERIFY(QDir(folder.path()).mkdir(t.name));
            break;
        }
        const QStringList namesBefore = namesIn(folder.path());
        if (fault == Fault::ReadOnlyFolder) {
            QVERIFY(openFolderToAll(folder.path(), false));
            QVERIFY(openFolderToAll(elsewhere.path(), false));
        }

        const int result = inChild([&] {
            if (fault == Fault::SizeLimit) {
                SizeLimit limit(kLimit);
                if (!limit.active())
                    return kNoFault;
                return save(writer, path, source) ? kReportedSuccess : kRefused;
            }
            if (fault == Fault::ReadOnlyFolder && !becomeUnprivileged())
                return kNoFault;
            return save(writer, path, source) ? kReportedSuccess : kRefused;
        });
        QVERIFY(openFolderToAll(folder.path(), true));
        QVERIFY(openFolderToAll(elsewhere.path(), true));
        QCOMPARE(result, kRefused);

        // Nothing half written stays beside the file.
        QCOMPARE(namesIn(folder.path()), namesBefore);
        switch (fault) {
        case Fault::SizeLimit:
        case Fault::ReadOnlyFolder:
            QCOMPARE(bytesOf(path), t.old);
            break;
        case Fault::LinkToAFile:
            QCOMPARE(QFileInfo(path).symLinkTarget(), victim);
            QCOMPARE(bytesOf(victim), victimBytes);
            break;
        case Fault::DanglingLink:
            QVERIFY(QFileInfo(path).isSymLink());
            QVERIFY(!QFileInfo::exists(absent));
            break;
        case Fault::FolderInPlace:
            QVERIFY(QFileInfo(path).isDir());
            QVERIFY(namesIn(path).isEmpty());
            break;
        }

        // With the fault gone the same save goes through.
        if (fault == Fault::SizeLimit || fault == Fault::ReadOnlyFolder) {
            QVERIFY(save(writer, path, source));
            QVERIFY(bytesOf(path) != t.old);
            QVERIFY(bytesOf(path).size() > kLimit);
            QCOMPARE(namesIn(folder.path()), namesBefore);
        }
    }

    // A link where an archive should be is an archive the program cannot use:
    // reading does not create its target, writing does not reach it.
    void archiveBehindALinkIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("dangling");
        QTest::addColumn<bool>("writes");
        QTest::newRow("member archive linked to a file, save") << "Soci.pro" << false << true;
        QTest::newRow("member archive linked to a file, scan") << "Soci.pro" << false << false;
        QTest::newRow("member archive, dangling link, scan") << "Soci.pro" << true << false;
        QTest::newRow("year file, dangling link, save") << "2024.eur" << true << true;
    }

    void archiveBehindALinkIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, dangling);
        QFETCH(bool, writes);
        QTemporaryDir folder;
        QTemporaryDir elsewhere;
        const QString path = folder.filePath(name);
        const QString target = elsewhere.filePath(QStringLiteral("bersaglio"));
        const QByteArray targetBytes(3 * TSchedaSocio::Size, 'v');
        if (!dangling)
            QVERIFY(writeBytes(target, targetBytes));
        QVERIFY(makeLink(target, path));

        RecordFileBase file(name.endsWith(QLatin1String(".pro")) ? TSchedaSocio::Size : TSchedaMovimento::Size);
        QVERIFY(!file.open(path, writes ? RecordFileBase::Access::Write : RecordFileBase::Access::Read));
        QVERIFY(!file.errorString().isEmpty());
        QVERIFY(!file.appendRaw(QByteArray(file.recordSize(), 'r')));

        QVERIFY(QFileInfo(path).isSymLink());
        if (dangling)
            QVERIFY(!QFileInfo::exists(target));
        else
            QCOMPARE(bytesOf(target), targetBytes);
    }

    // A FIFO where a file is read would block the open until a writer came: the
    // program would freeze for good. Each reader refuses it at once.
    void fifoIsNotRead_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::newRow("photo") << "photo";
        QTest::newRow("password file") << "password";
        QTest::newRow("picked attachment") << "attachment";
        QTest::newRow("member archive") << "archive";
    }

    void fifoIsNotRead()
    {
        QFETCH(QString, reader);
        QTemporaryDir folder;
        const QString fifo = folder.filePath(QStringLiteral("speciale"));
        QVERIFY(makeFifo(fifo));
        const QString copy = folder.filePath(QStringLiteral("copia.pdf"));

        const int result = inChild([&] {
            if (reader == QLatin1String("photo"))
                return PhotoFiles::read(fifo).isNull() ? kRefused : kReportedSuccess;
            if (reader == QLatin1String("password")) {
                const PasswordStore store(fifo);
                return !store.read() && !store.write(QStringLiteral("X")) ? kRefused : kReportedSuccess;
            }
            if (reader == QLatin1String("attachment"))
                return AttachmentFolder::copyIn(fifo, copy) ? kReportedSuccess : kRefused;
            RecordFile<TSchedaSocio> file;
            return file.open(fifo, RecordFileBase::Access::Read) ? kReportedSuccess : kRefused;
        });
        // A child that hangs is ended by its alarm and reported with the signal.
        QCOMPARE(result, kRefused);
        QVERIFY(!QFileInfo::exists(copy));
        QCOMPARE(namesIn(folder.path()), QStringList{QStringLiteral("speciale")});
    }

    // Sizes no password file or archive has: refused from the size alone, before
    // anything is read into memory; the file is left as it was.
    void absurdSizesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("sparse");
        QTest::addColumn<bool>("usable");
        const qint64 tera = qint64(1) << 40;
        const qint64 maxMembers = RecordFileBase::kMaxRecords * TSchedaSocio::Size;
        QTest::newRow("password file of a terabyte") << "unins000.dll" << tera << true << false;
        QTest::newRow("password file one byte over the cap")
            << "unins000.dll" << PasswordStore::kMaxFileSize + 1 << false << false;
        QTest::newRow("password file at the cap") << "unins000.dll" << PasswordStore::kMaxFileSize << false << true;
        QTest::newRow("member archive of a terabyte") << "Soci.pro" << tera << true << false;
        QTest::newRow("member archive one record over the most")
            << "Soci.pro" << maxMembers + TSchedaSocio::Size << true << false;
        QTest::newRow("member archive of the most records") << "Soci.pro" << maxMembers << true << true;
        QTest::newRow("year file of a terabyte") << "2024.eur" << tera << true << false;
    }

    void absurdSizesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(bool, sparse);
        QFETCH(bool, usable);
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        if (sparse) {
            if (!makeSparse(path, size))
                QSKIP("the file system here cannot hold a sparse file of this size");
        } else {
            // A valid value first, then blank lines up to the size.
            QByteArray ini = "[Accesso]\r\nValore=5D602824792B0896A26F06075021\r\n";
            ini.append(QByteArray(size - ini.size(), '\n'));
            QVERIFY(writeBytes(path, ini));
        }
        const QDateTime modified = QFileInfo(path).lastModified();

        if (name == QLatin1String("unins000.dll")) {
            const PasswordStore store(path);
            const auto stored = store.read();
            QCOMPARE(stored.has_value(), usable);
            if (usable)
                QCOMPARE(*stored, QStringLiteral("BENVENUTISSIMO"));
            else
                QVERIFY(!store.write(QStringLiteral("NUOVA")));
        } else {
            const int recordSize = name.endsWith(QLatin1String(".pro")) ? TSchedaSocio::Size : TSchedaMovimento::Size;
            RecordFileBase file(recordSize);
            QVERIFY(file.open(path, RecordFileBase::Access::Write));
            QCOMPARE(file.count(), usable ? size / recordSize : qint64(-1));
            if (!usable) {
                QVERIFY(!file.errorString().isEmpty());
                QVERIFY(!file.appendRaw(QByteArray(recordSize, 'r')));
                QByteArray raw;
                QVERIFY(!file.readNextRaw(raw));
            }
        }
        QCOMPARE(QFileInfo(path).size(), size);
        QCOMPARE(QFileInfo(path).lastModified(), modified);
    }
};

QTEST_GUILESS_MAIN(TestFileFaults)
#include "tst_file_faults.moc"
