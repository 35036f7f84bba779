// Two workstations saving new member cards into the same shared archive at the
// same moment: every card must land whole, each in a position of its own.
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"

#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestTwoProcesses : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void concurrentAppendsAreAllKept()
    {
        constexpr int perWriter = 500;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Soci.pro"));

        QProcess a, b;
        for (QProcess *p : {&a, &b})
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        a.start(QStringLiteral(QUINTARA_APPEND_HELPER), {path, QStringLiteral("A"), QString::number(perWriter)});
        b.start(QStringLiteral(QUINTARA_APPEND_HELPER), {path, QStringLiteral("B"), QString::number(perWriter)});
        QVERIFY(a.waitForStarted());
        QVERIFY(b.waitForStarted());
        QVERIFY(a.waitForFinished(240000));
        QVERIFY(b.waitForFinished(240000));
        QCOMPARE(a.exitStatus(), QProcess::NormalExit);
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitStatus(), QProcess::NormalExit);
        QCOMPARE(b.exitCode(), 0);

        QCOMPARE(QFileInfo(path).size(), qint64(2 * perWriter) * TSchedaSocio::Size);
        RecordFile<TSchedaSocio> file;
        QVERIFY(file.open(path, RecordFileBase::Access::Read));
        QCOMPARE(file.count(), qint64(2 * perWriter));
        QSet<QString> seen;
        int lastSeq[2] = {0, 0};
        while (!file.atEnd()) {
            TSchedaSocio s;
            QVERIFY2(file.readNext(s), qPrintable(file.errorString()));
            // Every field of the record is the writer's own: nothing torn or mixed.
            const QString writer = s.Cittadinanza;
            QVERIFY2(writer == QLatin1String("A") || writer == QLatin1String("B"), qPrintable(writer));
            QCOMPARE(s.Dipendente, QStringLiteral("Scrittore %1").arg(writer));
            QCOMPARE(s.Note, QStringLiteral("%1/%2").arg(writer, s.Stipendio));
            QCOMPARE(s.DataSca, QStringLiteral("31/12/2024"));
            QVERIFY2(!seen.contains(s.Note), qPrintable(s.Note));
            seen.insert(s.Note);
            // Each writer's records keep the order in which it saved them.
            const int seq = s.Stipendio.toInt();
            int &last = lastSeq[writer == QLatin1String("B")];
            QCOMPARE(seq, last + 1);
            last = seq;
        }
        QCOMPARE(seen.size(), 2 * perWriter);
        QCOMPARE(lastSeq[0], perWriter);
        QCOMPARE(lastSeq[1], perWriter);
    }
};

QTEST_GUILESS_MAIN(TestTwoProcesses)
#include "tst_two_processes.moc"
