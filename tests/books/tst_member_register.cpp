// The register of members as it lands on disk: numbering under two
// workstations, the register of a day, leaving kept, refusals, and register
// files that are not what they should be.
#include "books/MemberRegister.h"
#include "common/TSchedaSocio.h"
#include "members/MemberArchive.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using MemberRegister::Cause;
using MemberRegister::Entry;

namespace {

void makeArchive(const QString &path, int cards)
{
    const MemberArchive archive(path);
    for (int i = 1; i <= cards; ++i) {
        TSchedaSocio s;
        s.Dipendente = QStringLiteral("Socio %1").arg(i);
        QVERIFY(archive.append(s));
    }
}

Entry entry(qint64 position, const QDate &admitted, int number = 0)
{
    Entry e;
    e.position = position;
    e.admitted = admitted;
    e.number = number;
    return e;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestMemberRegister : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_members, m_register;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_members = m_dir.filePath(QStringLiteral("Soci.pro"));
        m_register = m_dir.filePath(QStringLiteral("LibroSoci.txt"));
        QFile::remove(m_members);
        QFile::remove(m_register);
        QDir(m_dir.path()).rmdir(QStringLiteral("LibroSoci.txt"));
        QFile::remove(m_dir.filePath(QStringLiteral("altro.txt")));
    }

    void twoWorkstationsNeverGiveOneNumberTwice()
    {
        constexpr int perWriter = 60;
        makeArchive(m_members, 2 * perWriter);
        const QByteArray archiveBefore = fileBytes(m_members);
        QProcess a, b;
        for (QProcess *p : {&a, &b})
            p->setProcessChannelMode(QProcess::SeparateChannels);
        // a enters the odd positions, b the even ones, at the same time.
        a.start(QStringLiteral(QUINTARA_REGISTER_HELPER),
                {m_register, m_members, QStringLiteral("1"), QStringLiteral("2"), QString::number(perWriter)});
        b.start(QStringLiteral(QUINTARA_REGISTER_HELPER),
                {m_register, m_members, QStringLiteral("2"), QStringLiteral("2"), QString::number(perWriter)});
        QVERIFY(a.waitForFinished(240000));
        QVERIFY(b.waitForFinished(240000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);

        const auto book = MemberRegister::read(m_register);
        QVERIFY2(book, qPrintable(book.ok() ? QString() : book.error()));
        QCOMPARE(book->entries.size(), 2 * perWriter);
        QCOMPARE(book->highest, 2 * perWriter);
        QSet<qint64> positions;
        for (int i = 0; i < book->entries.size(); ++i) {
            QCOMPARE(book->entries[i].number, i + 1);
            positions.insert(book->entries[i].position);
        }
        QCOMPARE(positions.size(), 2 * perWriter);
        // Each workstation's admissions got their numbers in the order it made them.
        for (QProcess *p : {&a, &b}) {
            int last = 0;
            const QList<QByteArray> lines = p->readAllStandardOutput().split('\n');
            for (const QByteArray &line : lines) {
                if (line.isEmpty())
                    continue;
                const int n = line.split(' ').value(1).toInt();
                QVERIFY2(n > last, line.constData());
                last = n;
            }
        }
        // The member archive keeps its bytes.
        QCOMPARE(fileBytes(m_members), archiveBefore);
    }

    void registerOfADay_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QList<int>>("numbers");
        // 1 admitted 10/01/2024; 2 admitted 01/03/2024, left 15/06/2024; 3 admitted 20/06/2024.
        QTest::newRow("before anyone") << QDate(2024, 1, 9) << QList<int>{};
        QTest::newRow("day of the first admission") << QDate(2024, 1, 10) << QList<int>{1};
        QTest::newRow("both in force") << QDate(2024, 6, 14) << QList<int>{1, 2};
        QTest::newRow("day of leaving") << QDate(2024, 6, 15) << QList<int>{1};
        QTest::newRow("after the third admission") << QDate(2024, 12, 31) << QList<int>{1, 3};
    }

    void registerOfADay()
    {
        QFETCH(QDate, day);
        QFETCH(QList<int>, numbers);
        makeArchive(m_members, 3);
        QVERIFY(MemberRegister::store(m_register, m_members, entry(1, QDate(2024, 1, 10))));
        Entry second = entry(2, QDate(2024, 3, 1));
        QVERIFY(MemberRegister::store(m_register, m_members, second));
        QVERIFY(MemberRegister::store(m_register, m_members, entry(3, QDate(2024, 6, 20))));
        second.left = QDate(2024, 6, 15);
        second.cause = Cause::Recesso;
        QVERIFY(MemberRegister::store(m_register, m_members, second));

        const auto book = MemberRegister::read(m_register);
        QVERIFY(book);
        QList<int> got;
        for (const Entry &e : book->onDate(day))
            got.append(e.number);
        QCOMPARE(got, numbers);
        // The member who left stays in the register with the day and cause of leaving.
        QCOMPARE(book->entries.size(), 3);
        QCOMPARE(book->at(2)->number, 2);
        QCOMPARE(book->at(2)->left, QDate(2024, 6, 15));
        QCOMPARE(book->at(2)->cause, Cause::Recesso);
    }

    void numbersAreNeverGivenAgain()
    {
        makeArchive(m_members, 3);
        QVERIFY(MemberRegister::store(m_register, m_members, entry(1, QDate(2024, 1, 10))));
        // The secretary moves the first member to number 7 by hand: 1 stays a gap.
        QCOMPARE(MemberRegister::store(m_register, m_members, entry(1, QDate(2024, 1, 10), 7))->number, 7);
        QCOMPARE(MemberRegister::store(m_register, m_members, entry(2, QDate(2024, 1, 11)))->number, 8);
        // Editing an entered card keeps its number.
        Entry again = entry(2, QDate(2024, 1, 12));
        again.category = QStringLiteral("ordinario");
        QCOMPARE(MemberRegister::store(m_register, m_members, again)->number, 8);
        QCOMPARE(MemberRegister::read(m_register)->nextNumber(), 9);
    }

    void refusals_data()
    {
        QTest::addColumn<Entry>("wanted");
        QTest::addColumn<QString>("message");
        Entry leftEarly = entry(2, QDate(2024, 5, 1));
        leftEarly.left = QDate(2024, 4, 30);
        leftEarly.cause = Cause::Decadenza;
        QTest::newRow("leaving before admission") << leftEarly << MemberRegister::leftBeforeAdmittedText();
        QTest::newRow("number already given") << entry(2, QDate(2024, 5, 1), 1) << MemberRegister::numberTakenText(1);
        Entry noCause = entry(2, QDate(2024, 5, 1));
        noCause.left = QDate(2024, 6, 1);
        QTest::newRow("leaving without cause")
            << noCause << QStringLiteral("Attenzione: la data e la causa di uscita vanno indicate insieme.");
        QTest::newRow("no admission day")
            << entry(2, QDate()) << QStringLiteral("Attenzione: indicare la data di ammissione del socio.");
        QTest::newRow("card not stored")
            << entry(3, QDate(2024, 5, 1))
            << QStringLiteral("Attenzione: la scheda va salvata in archivio prima di iscriverla nel libro soci.");
    }

    void refusals()
    {
        QFETCH(Entry, wanted);
        QFETCH(QString, message);
        makeArchive(m_members, 2);
        QVERIFY(MemberRegister::store(m_register, m_members, entry(1, QDate(2024, 1, 10))));
        const QByteArray before = fileBytes(m_register);
        const auto stored = MemberRegister::store(m_register, m_members, wanted);
        QVERIFY(!stored);
        QCOMPARE(stored.error(), message);
        QCOMPARE(fileBytes(m_register), before);
    }

    void unreadableRegisterFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("kind"); // file, link, folder, huge
        QTest::addColumn<QString>("message");
        const QByteArray good = "Quintara libro soci 1\nUltimo\t2\n1\t1\t10/01/2024\t-\t-\t-\n";
        QTest::newRow("another program's file") << QByteArray("[Impostazioni]\nA=1\n") << "file"
                                                << "LibroSoci.txt non è un libro soci di Quintara";
        QTest::newRow("number above the highest") << good + "2\t3\t10/01/2024\t-\t-\t-\n" << "file"
                                                  << "LibroSoci.txt: la riga 4 è danneggiata";
        QTest::newRow("one number twice") << good + "2\t1\t10/01/2024\t-\t-\t-\n" << "file"
                                          << "LibroSoci.txt: la riga 4 è danneggiata";
        QTest::newRow("bad date") << good + "2\t2\t31/02/2024\t-\t-\t-\n" << "file"
                                  << "LibroSoci.txt: la riga 4 è danneggiata";
        QTest::newRow("unknown cause") << good + "2\t2\t10/01/2024\t-\t01/02/2024\tfuga\n" << "file"
                                       << "LibroSoci.txt: la riga 4 è danneggiata";
        QTest::newRow("cut line") << good + "2\t2\t10/0" << "file" << "LibroSoci.txt: la riga 4 è danneggiata";
        QTest::newRow("link") << good << "link" << "LibroSoci.txt è un collegamento a un altro file e non viene letto";
        QTest::newRow("folder") << QByteArray() << "folder" << "LibroSoci.txt non è un file";
        QTest::newRow("huge") << good << "huge" << "LibroSoci.txt è troppo grande per essere un libro soci";
    }

    void unreadableRegisterFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        makeArchive(m_members, 2);
        const QByteArray archiveBefore = fileBytes(m_members);
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("LibroSoci.txt")));
        } else {
            const QString target = kind == QLatin1String("link") ? m_dir.filePath(QStringLiteral("altro.txt")) : m_register;
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
            if (kind == QLatin1String("huge"))
                f.write(QByteArray(MemberRegister::kMaxFileSize, '\n'));
            f.close();
            if (kind == QLatin1String("link"))
                QVERIFY(QFile::link(target, m_register));
        }
        const auto book = MemberRegister::read(m_register);
        QVERIFY(!book);
        QCOMPARE(book.error(), message);
        // Nothing is written over what cannot be read, and the archive still reads.
        QVERIFY(!MemberRegister::store(m_register, m_members, entry(2, QDate(2024, 1, 10))));
        QCOMPARE(MemberArchive(m_members).count().value(), qint64(2));
        QCOMPARE(fileBytes(m_members), archiveBefore);
        if (kind == QLatin1String("file"))
            QCOMPARE(fileBytes(m_register), content);
        QDir(m_dir.path()).rmdir(QStringLiteral("LibroSoci.txt"));
    }
};

QTEST_GUILESS_MAIN(TestMemberRegister)
#include "tst_member_register.moc"
