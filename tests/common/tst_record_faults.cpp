// Faults met by the record files of the member and movement archives: rights,
// a folder in the file's place, a file cut short under a reader, a write that
// the disk stops half way, a lock held by another workstation, damaged length
// bytes. Each must fail with a reason, leave the other records as they were and
// leave the archive usable for the next action.
//
// The same faults seen through the member card (its access message, the card
// keeping what it showed) belong to the card's own tests once the card exists.
#include "support/FileFaults.h"

#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum class Fault { ReadOnlyFile, ReadOnlyFolder, DirectoryInPlace, CutDuringRead, ShortAppend };
enum class Kind { Member, Movement };

TSchedaSocio makeRecord(int n, TSchedaSocio *)
{
    TSchedaSocio s;
    s.Dipendente = QStringLiteral("Socio numero %1").arg(n);
    s.Cittadinanza = QString::number(1000 + n);
    s.Stipendio = QStringLiteral("25,00");
    s.Citta = QStringLiteral("Città %1").arg(n);
    s.DataSca = QStringLiteral("31/12/2024");
    s.Preavviso = QStringLiteral("10");
    s.Note = QString(200, QLatin1Char('a' + n % 26));
    return s;
}

TSchedaMovimento makeRecord(int n, TSchedaMovimento *)
{
    TSchedaMovimento m;
    m.Entrata = kYes;
    m.Uscita = kNo;
    m.Data = QStringLiteral("15/03/2024");
    m.Causale = QStringLiteral("Quota sociale %1").arg(n);
    m.Importo = QStringLiteral("%1,50").arg(n);
    m.Totale = QStringLiteral("+%1,50").arg(n);
    m.Saldato = kYes;
    m.Note = QString(200, QLatin1Char('a' + n % 26));
    return m;
}

template <class R>
R record(int n)
{
    return makeRecord(n, static_cast<R *>(nullptr));
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestRecordFaults : public QObject
{
    Q_OBJECT

    template <class R>
    void faultLeavesArchiveUsable(Fault fault);

private Q_SLOTS:
    void faultLeavesArchiveUsable_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<Kind>("kind");
        QTest::newRow("read-only file") << Fault::ReadOnlyFile << Kind::Member;
        QTest::newRow("read-only folder") << Fault::ReadOnlyFolder << Kind::Movement;
        QTest::newRow("directory in place of the file") << Fault::DirectoryInPlace << Kind::Member;
        QTest::newRow("members cut short during a scan") << Fault::CutDuringRead << Kind::Member;
        QTest::newRow("movements cut short during a scan") << Fault::CutDuringRead << Kind::Movement;
        QTest::newRow("member append stopped half way") << Fault::ShortAppend << Kind::Member;
        QTest::newRow("movement append stopped half way") << Fault::ShortAppend << Kind::Movement;
    }

    void faultLeavesArchiveUsable()
    {
        QFETCH(Fault, fault);
        QFETCH(Kind, kind);
        if (kind == Kind::Member)
            faultLeavesArchiveUsable<TSchedaSocio>(fault);
        else
            faultLeavesArchiveUsable<TSchedaMovimento>(fault);
    }

    // A length byte above the field's capacity comes from a damaged or foreign
    // file: the field reads its own bytes only and every neighbour keeps its text.
    void damagedLengthByteStaysInItsField_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("member") << Kind::Member;
        QTest::newRow("movement") << Kind::Movement;
    }

    void damagedLengthByteStaysInItsField()
    {
        QFETCH(Kind, kind);
        if (kind == Kind::Member)
            damagedLengths<TSchedaSocio>();
        else
            damagedLengths<TSchedaMovimento>();
    }

    // Two workstations: while one action holds the file, a conflicting one waits
    // for a few seconds and then fails without writing; readers share the file.
    void lockDecidesWhoMayOpen_data()
    {
        QTest::addColumn<bool>("firstWrites");
        QTest::addColumn<bool>("secondWrites");
        QTest::addColumn<bool>("secondOpens");
        QTest::newRow("reader beside a reader") << false << false << true;
        QTest::newRow("writer while a scan runs") << false << true << false;
        QTest::newRow("reader while a save runs") << true << false << false;
        QTest::newRow("writer while a save runs") << true << true << false;
    }

    void lockDecidesWhoMayOpen()
    {
        QFETCH(bool, firstWrites);
        QFETCH(bool, secondWrites);
        QFETCH(bool, secondOpens);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Soci.pro"));
        using A = RecordFileBase::Access;
        {
            RecordFile<TSchedaSocio> f;
            QVERIFY(f.open(path));
            QVERIFY(f.append(record<TSchedaSocio>(1)));
        }
        const QByteArray before = bytesOf(path);

        RecordFile<TSchedaSocio> first;
        QVERIFY(first.open(path, firstWrites ? A::Write : A::Read));
        QVERIFY(first.isLocked());
        RecordFile<TSchedaSocio> second;
        QCOMPARE(second.open(path, secondWrites ? A::Write : A::Read), secondOpens);
        if (!secondOpens) {
            QVERIFY(!second.errorString().isEmpty());
            QVERIFY(!second.append(record<TSchedaSocio>(2)));
        }
        second.close();
        first.close();
        QCOMPARE(bytesOf(path), before);

        // Once the first action is over the file is free again.
        QVERIFY2(second.open(path), qPrintable(second.errorString()));
        qint64 pos = 0;
        QVERIFY(second.append(record<TSchedaSocio>(2), &pos));
        QCOMPARE(pos, qint64(2));
    }

    // A scan opens with a shared lock, which would not keep a second writer out:
    // such a file refuses every write.
    void readAccessRefusesWrites()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("2024.eur"));
        RecordFile<TSchedaMovimento> f;
        QVERIFY(f.open(path));
        QVERIFY(f.append(record<TSchedaMovimento>(1)));
        f.close();
        const QByteArray before = bytesOf(path);
        QVERIFY(f.open(path, RecordFileBase::Access::Read));
        QVERIFY(!f.append(record<TSchedaMovimento>(2)));
        QVERIFY(!f.errorString().isEmpty());
        QVERIFY(!f.overwrite(1, record<TSchedaMovimento>(3)));
        f.close();
        QCOMPARE(bytesOf(path), before);
    }

private:
    template <class R>
    void damagedLengths();
};

template <class R>
void TestRecordFaults::faultLeavesArchiveUsable(Fault fault)
{
    constexpr qint64 size = R::Size;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("archivio.dat"));
    qint64 kept = 3; // whole records expected once the fault is gone
    if (fault != Fault::ReadOnlyFolder && fault != Fault::DirectoryInPlace) {
        RecordFile<R> f;
        QVERIFY(f.open(path));
        for (int i = 1; i <= 3; ++i)
            QVERIFY(f.append(record<R>(i)));
    } else {
        kept = 0;
    }
    const QByteArray before = bytesOf(path);

    switch (fault) {
    case Fault::ReadOnlyFile: {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(FileFaults::openFolderToAll(dir.path(), true));
        // In a child that is an ordinary user even when the tests run as root,
        // whom permissions would not stop.
        const int result = FileFaults::inChild([&] {
            if (!FileFaults::becomeUnprivileged())
                return 10;
            RecordFile<R> f;
            if (f.open(path))
                return 11;
            if (f.errorString().isEmpty())
                return 12;
            return f.append(record<R>(9)) ? 13 : 0;
        });
        QCOMPARE(result, 0);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        break;
    }
    case Fault::ReadOnlyFolder: {
        const auto rw = QFileInfo(dir.path()).permissions();
        QVERIFY(FileFaults::openFolderToAll(dir.path(), false));
        const int result = FileFaults::inChild([&] {
            if (!FileFaults::becomeUnprivileged())
                return 10;
            RecordFile<R> f;
            if (f.open(path, RecordFileBase::Access::Read))
                return 11;
            return f.errorString().isEmpty() ? 12 : 0;
        });
        QCOMPARE(result, 0);
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(QFile::setPermissions(dir.path(), rw));
        break;
    }
    case Fault::DirectoryInPlace: {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("archivio.dat")));
        RecordFile<R> f;
        QVERIFY(!f.open(path));
        QVERIFY(!f.errorString().isEmpty());
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("archivio.dat")));
        break;
    }
    case Fault::CutDuringRead: {
        RecordFile<R> f;
        QVERIFY(f.open(path, RecordFileBase::Access::Read));
        QCOMPARE(f.count(), qint64(3));
        // Another program cuts the file between the count and the reads.
        QVERIFY(QFile::resize(path, 2 * size + size / 2));
        R r;
        QVERIFY(f.readNext(r));
        QCOMPARE(r, record<R>(1));
        QVERIFY(f.read(2, r));
        QCOMPARE(r, record<R>(2));
        QVERIFY(!f.readNext(r));
        QVERIFY(!f.errorString().isEmpty());
        QVERIFY(!f.read(3, r));
        QVERIFY(!f.errorString().isEmpty());
        kept = 2;
        break;
    }
    case Fault::ShortAppend: {
        // The file size limit lets only part of the next record reach the disk,
        // as a full disk or quota would; the limit lives in a child process so
        // the test itself is not bound by it.
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(before.size() + size / 3), rlim_t(before.size() + size / 3)};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(10);
            RecordFile<R> f;
            if (!f.open(path))
                _exit(11);
            if (f.append(record<R>(9)))
                _exit(12);
            if (f.errorString().isEmpty())
                _exit(13);
            fprintf(stderr, "append refused: %s\n", qPrintable(f.errorString()));
            f.close();
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        break;
    }
    }

    // The whole records that the fault did not remove are untouched.
    QCOMPARE(bytesOf(path).left(kept * size), before.left(kept * size));
    if (fault != Fault::CutDuringRead)
        QCOMPARE(bytesOf(path), before);

    // The next action works as if nothing had happened.
    RecordFile<R> f;
    QVERIFY2(f.open(path), qPrintable(f.errorString()));
    QCOMPARE(f.count(), kept);
    qint64 pos = 0;
    QVERIFY2(f.append(record<R>(7), &pos), qPrintable(f.errorString()));
    QCOMPARE(pos, kept + 1);
    f.close();
    QCOMPARE(QFileInfo(path).size(), (kept + 1) * size);
    QVERIFY(f.open(path, RecordFileBase::Access::Read));
    for (qint64 p = 1; p <= kept; ++p) {
        R r;
        QVERIFY(f.readNext(r));
        QCOMPARE(r, record<R>(int(p)));
    }
    R last;
    QVERIFY(f.readNext(last));
    QCOMPARE(last, record<R>(7));
    QVERIFY(f.atEnd());
}

template <class R>
void TestRecordFaults::damagedLengths()
{
    const R original = record<R>(3);
    const QByteArray good = RecordCodec::encode(original);
    int offset = 0;
    for (const auto &field : R::fields()) {
        QByteArray bad = good;
        bad[offset] = char(0xFF);
        const char fill = 'A' + (offset % 26);
        for (int i = 1; i <= field.capacity; ++i)
            bad[offset + i] = fill;
        const R decoded = RecordCodec::decode<R>(bad.constData());
        for (const auto &other : R::fields()) {
            if (other.member == field.member)
                QCOMPARE(decoded.*(other.member), QString(field.capacity, QLatin1Char(fill)));
            else
                QCOMPARE(decoded.*(other.member), original.*(other.member));
        }
        offset += field.capacity + 1;
    }
    QCOMPARE(offset, R::Size);
}

QTEST_GUILESS_MAIN(TestRecordFaults)
#include "tst_record_faults.moc"
