// The member archive as the card, the lists and the export window use it: each
// call gives back a position, a count or a card, or the reason it failed.
#include "common/RecordCodec.h"
#include "members/MemberArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

TSchedaSocio member(const QString &name)
{
    TSchedaSocio s;
    s.Dipendente = name;
    s.Stipendio = QStringLiteral("25,00");
    s.DataSca = QStringLiteral("31/12/2024");
    s.File02 = QStringLiteral("tessera.pdf");
    return s;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestMemberArchive : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("Soci.pro")); }

private Q_SLOTS:
    void cleanup() { QFile::remove(path()); }

    void appendOverwriteAndReadGiveThePosition()
    {
        const MemberArchive archive(path());
        // An absent archive is created empty by the first look into it.
        QCOMPARE(archive.count().value(), 0);
        QVERIFY(QFile::exists(path()));

        for (int n = 1; n <= 3; ++n) {
            const auto appended = archive.append(member(QStringLiteral("Socio %1").arg(n)));
            QVERIFY(appended);
            QCOMPARE(appended.value(), n);
        }
        QCOMPARE(archive.count().value(), 3);

        const QByteArray before = bytesOf(path());
        const auto overwritten = archive.overwrite(2, member(QStringLiteral("Rossi Mario")));
        QVERIFY(overwritten);
        QCOMPARE(overwritten.value(), 2);
        const QByteArray after = bytesOf(path());
        QCOMPARE(after.size(), before.size());
        // Only the bytes of record 2 changed.
        QCOMPARE(after.left(TSchedaSocio::Size), before.left(TSchedaSocio::Size));
        QCOMPARE(after.mid(2 * TSchedaSocio::Size), before.mid(2 * TSchedaSocio::Size));

        const auto read = archive.read(2);
        QVERIFY(read);
        QCOMPARE(read->position, 2);
        QCOMPARE(read->record, member(QStringLiteral("Rossi Mario")));
    }

    void positionsOutsideTheArchiveFail_data()
    {
        QTest::addColumn<qint64>("position");
        QTest::newRow("zero") << qint64(0);
        QTest::newRow("negative") << qint64(-1);
        QTest::newRow("one past the end") << qint64(3);
    }
    void positionsOutsideTheArchiveFail()
    {
        QFETCH(qint64, position);
        const MemberArchive archive(path());
        QVERIFY(archive.append(member(QStringLiteral("Alfa"))));
        QVERIFY(archive.append(member(QStringLiteral("Beta"))));
        const QByteArray before = bytesOf(path());

        const auto read = archive.read(position);
        QVERIFY(!read);
        QVERIFY(!read.error().isEmpty());
        const auto overwritten = archive.overwrite(position, member(QStringLiteral("Gamma")));
        QVERIFY(!overwritten);
        QVERIFY(!overwritten.error().isEmpty());
        QCOMPARE(bytesOf(path()), before);
    }

    // A folder where the archive should be: every call says so, none writes.
    void archiveThatCannotBeOpenedFailsEveryCall()
    {
        QVERIFY(QDir().mkpath(path()));
        const MemberArchive archive(path());
        QVERIFY(!archive.count());
        QVERIFY(!archive.read(1));
        QVERIFY(!archive.append(member(QStringLiteral("Alfa"))));
        QVERIFY(!archive.overwrite(1, member(QStringLiteral("Alfa"))));
        int counted = 0, handed = 0;
        QVERIFY(!archive.readAll([&](qint64) { ++counted; }, [&](const StoredMember &) { ++handed; }));
        QCOMPARE(counted + handed, 0);
        QVERIFY(QDir().rmdir(path()));
    }

    // readAll tells the count first, then hands over every card in file order
    // with its position.
    void readAllHandsOverInFileOrder()
    {
        const MemberArchive archive(path());
        for (const char *name : {"Alfa", "Beta", "Gamma"})
            QVERIFY(archive.append(member(QString::fromLatin1(name))));
        QList<qint64> counts;
        QStringList names;
        const auto all = archive.readAll([&](qint64 n) { counts.append(n); },
                                         [&](const StoredMember &m) {
                                             names.append(QString::number(m.position) + QLatin1Char(' ') +
                                                          m.record.Dipendente);
                                         });
        QVERIFY(all);
        QCOMPARE(all.value(), 3);
        QCOMPARE(counts, QList<qint64>{3});
        QCOMPARE(names, (QStringList{"1 Alfa", "2 Beta", "3 Gamma"}));
    }
};

QTEST_MAIN(TestMemberArchive)
#include "tst_member_archive.moc"
