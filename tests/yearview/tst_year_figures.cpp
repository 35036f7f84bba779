// The year at a glance worked out by hand on a small year: the monthly sums,
// the balance curve, the largest items and the members by month.
#include "yearview/YearView.h"

#include "YearFixtures.h"
#include "common/TextRules.h"
#include "statement/YearCache.h"
#include "support/TestPlatform.h"

#include <QTest>

namespace {

YearView viewOf(int year)
{
    const auto c = Classification::load(Platform::folder().path());
    if (!c)
        qFatal("classification not readable");
    YearView::Files files(Platform::folder().path());
    return YearView::compute(year, *c, files,
                             YearView::countMembers(Platform::folder().file(QStringLiteral("Soci.pro")), year));
}

} // namespace

class TestYearFigures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void monthlySums_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<qint64>("income");
        QTest::addColumn<qint64>("expense");
        QTest::addColumn<qint64>("previousIncome");
        QTest::addColumn<qint64>("previousExpense");
        // Two movements of one day, the damaged, unsettled and other-year ones left out.
        QTest::newRow("gennaio") << 1 << qint64(7550) << qint64(30000) << qint64(6000) << qint64(0);
        QTest::newRow("febbraio") << 2 << qint64(20000) << qint64(0) << qint64(0) << qint64(0);
        QTest::newRow("marzo, né cassa né banca") << 3 << qint64(0) << qint64(1230) << qint64(0) << qint64(25000);
        QTest::newRow("maggio, solo scartati") << 5 << qint64(0) << qint64(0) << qint64(0) << qint64(0);
        QTest::newRow("dicembre") << 12 << qint64(8000) << qint64(30000) << qint64(0) << qint64(0);
    }
    void monthlySums()
    {
        QFETCH(int, month);
        QFETCH(qint64, income);
        QFETCH(qint64, expense);
        QFETCH(qint64, previousIncome);
        QFETCH(qint64, previousExpense);
        TestPlatform p;
        YearFixtures::writeAll();
        const YearView v = viewOf(2025);
        const size_t m = size_t(month - 1);
        QCOMPARE(v.income()[m], income);
        QCOMPARE(v.expense()[m], expense);
        QCOMPARE(v.previousIncome()[m], previousIncome);
        QCOMPARE(v.previousExpense()[m], previousExpense);
        // The months add up to the statement's totals of both years.
        qint64 in = 0, out = 0, prevIn = 0, prevOut = 0;
        for (size_t i = 0; i < 12; ++i) {
            in += v.income()[i];
            out += v.expense()[i];
            prevIn += v.previousIncome()[i];
            prevOut += v.previousExpense()[i];
        }
        QCOMPARE(in, v.statement().current().income);
        QCOMPARE(out, v.statement().current().expense);
        QCOMPARE(prevIn, v.statement().previous().income);
        QCOMPARE(prevOut, v.statement().previous().expense);
    }

    void balanceCurve_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<qint64>("balance");
        // From cash 100,00 and bank 1.000,00; the cheque is neither and stays out.
        QTest::newRow("primo giorno") << QStringLiteral("01/01/2025") << qint64(110000);
        QTest::newRow("vigilia") << QStringLiteral("09/01/2025") << qint64(110000);
        QTest::newRow("due quote") << QStringLiteral("10/01/2025") << qint64(117550);
        QTest::newRow("affitto") << QStringLiteral("31/01/2025") << qint64(87550);
        QTest::newRow("donazione") << QStringLiteral("01/02/2025") << qint64(107550);
        QTest::newRow("assegno") << QStringLiteral("15/03/2025") << qint64(107550);
        QTest::newRow("lotteria") << QStringLiteral("20/12/2025") << qint64(115550);
        QTest::newRow("ultimo giorno") << QStringLiteral("31/12/2025") << qint64(85550);
    }
    void balanceCurve()
    {
        QFETCH(QString, day);
        QFETCH(qint64, balance);
        TestPlatform p;
        YearFixtures::writeAll();
        const YearView v = viewOf(2025);
        QCOMPARE(v.balance().size(), 365);
        QCOMPARE(v.opening(), qint64(110000));
        QCOMPARE(v.balance().at(QDate(2025, 1, 1).daysTo(*TextRules::parseDate(day))), balance);
        // The last day is where the statement closes cash and bank.
        QCOMPARE(v.balance().last(),
                 v.statement().current().closingCassa + v.statement().current().closingBanca);
    }

    void largestItems()
    {
        TestPlatform p;
        YearFixtures::writeAll();
        const YearView v = viewOf(2025);
        const auto shown = [](const QList<YearView::Item> &items) {
            QStringList out;
            for (const YearView::Item &i : items)
                out.append(i.code + QLatin1Char('=') + QString::number(i.cents));
            return out;
        };
        QCOMPARE(shown(v.topIncome()), (QStringList{"A.E4=20000", "C.E2=8000", "A.E1=7550"}));
        QCOMPARE(shown(v.topExpense()), (QStringList{"A.U3=60000", "A.U1=1230"}));
    }

    void damagedMovementsNamedAsTheStatementNamesThem()
    {
        TestPlatform p;
        YearFixtures::writeAll();
        const YearView v = viewOf(2025);
        // The statement on its own reading of the files says the same words.
        YearCache cache(Platform::folder().path());
        const CashStatement alone =
            CashStatement::compute(2025, *Classification::load(Platform::folder().path()), cache.source());
        QCOMPARE(v.warnings(), alone.warnings());
        const QString all = v.warnings().join(QLatin1Char('\n'));
        QVERIFY2(all.contains(QStringLiteral("n. 6 dell'archivio 2025.eur")), qPrintable(all));
        QVERIFY2(all.contains(QStringLiteral("\"+12,3x\"")), qPrintable(all));
        QVERIFY(!v.empty());
    }

    void membersByMonth_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("inForce");
        QTest::addColumn<int>("expiring");
        QTest::addColumn<int>("expired");
        QTest::newRow("gennaio") << 1 << 3 << 1 << 1;
        QTest::newRow("marzo") << 3 << 2 << 1 << 2;
        QTest::newRow("dicembre") << 12 << 1 << 1 << 3;
    }
    void membersByMonth()
    {
        QFETCH(int, month);
        QFETCH(int, inForce);
        QFETCH(int, expiring);
        QFETCH(int, expired);
        TestPlatform p;
        YearFixtures::writeAll();
        YearFixtures::writeMembers({QStringLiteral("15/03/2025"), QStringLiteral("31/01/2025"),
                                    QStringLiteral("01/12/2024"), QStringLiteral("abc"), QStringLiteral("01/01/2026"),
                                    QStringLiteral("31/12/2025")});
        const YearView v = viewOf(2025);
        const YearView::Members &m = v.members().months[size_t(month - 1)];
        QCOMPARE(m.inForce, inForce);
        QCOMPARE(m.expiring, expiring);
        QCOMPARE(m.expired, expired);
        QCOMPARE(v.members().unreadable, qint64(1));
        QVERIFY(v.warnings().last().contains(QStringLiteral("1 socio senza una data di scadenza leggibile")));
    }

    void yearWithoutMovements()
    {
        TestPlatform p;
        YearFixtures::writeAll();
        const YearView v = viewOf(2030);
        QVERIFY(v.empty());
        QVERIFY(v.warnings().first().contains(QStringLiteral("Nel 2030 non risulta nessun movimento")));
        for (size_t m = 0; m < 12; ++m)
            QCOMPARE(v.income()[m] + v.expense()[m], qint64(0));
        QCOMPARE(v.balance().size(), 365);
        QCOMPARE(v.balance().first(), v.balance().last());
        // Nothing was created in the folder for the absent year or members.
        QVERIFY(!QFile::exists(Platform::folder().file(QStringLiteral("2030.eur"))));
        QVERIFY(!QFile::exists(Platform::folder().file(QStringLiteral("Soci.pro"))));
    }
};

QTEST_MAIN(TestYearFigures)
#include "tst_year_figures.moc"
