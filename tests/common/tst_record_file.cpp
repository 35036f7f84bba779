// The record file: creation, counting, reading, appending and overwriting in place.
#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

TSchedaSocio member(int n)
{
    TSchedaSocio s;
    s.Dipendente = QStringLiteral("Socio %1").arg(n);
    s.Stipendio = QStringLiteral("25,00");
    s.DataSca = QStringLiteral("31/12/2024");
    s.Preavviso = QStringLiteral("10");
    return s;
}

TSchedaMovimento movement(int n)
{
    TSchedaMovimento m;
    m.Entrata = kYes;
    m.Uscita = kNo;
    m.Causale = QStringLiteral("Quota %1").arg(n);
    m.Importo = QStringLiteral("12,50");
    m.Totale = QStringLiteral("+12,50");
    return m;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <class Record, class Make>
void appendRecords(const QString &path, int n, Make make)
{
    RecordFile<Record> file;
    QVERIFY(file.open(path));
    for (int i = 1; i <= n; ++i)
        QVERIFY(file.append(make(i)));
}

} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private Q_SLOTS:
    void absentFileIsCreatedEmpty()
    {
        RecordFile<TSchedaSocio> f;
        QVERIFY(f.open(path("new.pro")));
        QCOMPARE(f.count(), 0);
        QVERIFY(f.atEnd());
        f.close();
        QVERIFY(QFile::exists(path("new.pro")));
        QCOMPARE(QFile(path("new.pro")).size(), 0);
    }

    void trailingFragmentIsNotARecord()
    {
        appendRecords<TSchedaSocio>(path("frag.pro"), 3, member);
        {
            QFile raw(path("frag.pro"));
            QVERIFY(raw.open(QIODevice::Append));
            raw.write(QByteArray(100, 'z'));
        }
        RecordFile<TSchedaSocio> f;
        QVERIFY(f.open(path("frag.pro")));
        QCOMPARE(f.count(), 3);
        TSchedaSocio s;
        QVERIFY(f.read(3, s));
        QCOMPARE(s.Dipendente, QStringLiteral("Socio 3"));
        QVERIFY(!f.read(4, s));
        // An append covers the fragment: the new record is the fourth, whole.
        qint64 pos = 0;
        QVERIFY(f.append(member(4), &pos));
        QCOMPARE(pos, 4);
        f.close();
        QCOMPARE(QFile(path("frag.pro")).size(), 4 * 2666);
    }

    void appendGivesTheNextPosition()
    {
        appendRecords<TSchedaSocio>(path("twelve.pro"), 12, member);
        RecordFile<TSchedaSocio> f;
        QVERIFY(f.open(path("twelve.pro")));
        qint64 pos = 0;
        QVERIFY(f.append(member(13), &pos));
        QCOMPARE(pos, 13);
        QCOMPARE(f.count(), 13);
    }

    void readNextScansInFileOrder()
    {
        appendRecords<TSchedaSocio>(path("scan.pro"), 600, member); // more than one read-ahead block
        RecordFile<TSchedaSocio> f;
        QVERIFY(f.open(path("scan.pro"), RecordFileBase::Access::Read));
        int n = 0;
        TSchedaSocio s;
        while (!f.atEnd()) {
            QVERIFY(f.readNext(s));
            ++n;
            QCOMPARE(s.Dipendente, QStringLiteral("Socio %1").arg(n));
            QCOMPARE(f.position(), n);
        }
        QCOMPARE(n, 600);
        QVERIFY(!f.readNext(s));
        // A read positions the file after the record read.
        QVERIFY(f.read(7, s));
        QCOMPARE(f.position(), 7);
        QVERIFY(f.readNext(s));
        QCOMPARE(s.Dipendente, QStringLiteral("Socio 8"));
    }

    void overwriteLeavesNeighboursUntouched()
    {
        appendRecords<TSchedaSocio>(path("three.pro"), 3, member);
        const QByteArray before = bytesOf(path("three.pro"));
        RecordFile<TSchedaSocio> f;
        QVERIFY(f.open(path("three.pro")));
        TSchedaSocio changed = member(2);
        changed.Dipendente = QStringLiteral("Verdi Anna");
        QVERIFY(f.overwrite(2, changed));
        QCOMPARE(f.count(), 3);
        f.close();
        const QByteArray after = bytesOf(path("three.pro"));
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.left(2666), before.left(2666));
        QCOMPARE(after.mid(2 * 2666), before.mid(2 * 2666));
        QVERIFY(after.mid(2666, 2666) != before.mid(2666, 2666));
    }

    void movementOverwriteRewritesOnlyItsBytes()
    {
        appendRecords<TSchedaMovimento>(path("2024.eur"), 5, movement);
        const QByteArray before = bytesOf(path("2024.eur"));
        QCOMPARE(before.size(), 17070);
        RecordFile<TSchedaMovimento> f;
        QVERIFY(f.open(path("2024.eur")));
        TSchedaMovimento m = movement(3);
        m.Causale = QStringLiteral("Affitto sala");
        QVERIFY(f.overwrite(3, m));
        f.close();
        const QByteArray after = bytesOf(path("2024.eur"));
        QCOMPARE(after.size(), 17070);
        QCOMPARE(after.left(6828), before.left(6828));
        QCOMPARE(after.mid(10242), before.mid(10242));
    }

    void positionsOutsideTheFileFail_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("zero") << 0;
        QTest::newRow("beyond") << 3;
        QTest::newRow("negative") << -1;
    }
    void positionsOutsideTheFileFail()
    {
        QFETCH(int, position);
        appendRecords<TSchedaSocio>(path("two.pro"), 2, member);
        const QByteArray before = bytesOf(path("two.pro"));
        RecordFile<TSchedaSocio> f;
        QVERIFY(f.open(path("two.pro")));
        TSchedaSocio s;
        QVERIFY(!f.read(position, s));
        QVERIFY(!f.errorString().isEmpty());
        QVERIFY(!f.overwrite(position, member(9)));
        f.close();
        QCOMPARE(bytesOf(path("two.pro")), before);
        QFile::remove(path("two.pro"));
    }

    void directoryInPlaceOfTheFileFails()
    {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Soci.pro")));
        RecordFile<TSchedaSocio> f;
        QVERIFY(!f.open(path("Soci.pro")));
        QVERIFY(!f.errorString().isEmpty());
        QVERIFY(QFileInfo(path("Soci.pro")).isDir());
    }

    void readOnlyFileIsNotReplaced()
    {
        if (geteuid() == 0)
            QSKIP("running as root: file permissions do not stop the superuser from writing");
        appendRecords<TSchedaSocio>(path("ro.pro"), 2, member);
        const QByteArray before = bytesOf(path("ro.pro"));
        QFile::setPermissions(path("ro.pro"), QFile::ReadOwner);
        RecordFile<TSchedaSocio> f;
        QVERIFY(!f.open(path("ro.pro")));
        QCOMPARE(bytesOf(path("ro.pro")), before);
        QFile::setPermissions(path("ro.pro"), QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_record_file.moc"
