// The yearly cash statement computed from year files and Rendiconto.ini.
#include "statement/CashStatement.h"
#include "statement/YearCache.h"

#include "StatementFixtures.h"
#include "support/TestPlatform.h"

#include <QFileInfo>
#include <QSet>
#include <QTest>

using namespace StatementFixtures;
using Line = CashStatement::Line;

namespace {

CashStatement computeFromFolder(int year)
{
    const auto c = Classification::load(Platform::folder().path());
    if (!c)
        qFatal("Rendiconto.ini not readable");
    YearCache cache(Platform::folder().path());
    return CashStatement::compute(year, *c, cache.source());
}

bool anyContains(const QStringList &list, const QString &text)
{
    for (const QString &s : list)
        if (s.contains(text))
            return true;
    return false;
}

} // namespace

class TestCashStatement : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void workedCheck()
    {
        TestPlatform p;
        writeYear(2025, workedYear());
        writeText(QStringLiteral("Rendiconto.ini"), workedClassification());
        const QByteArray before = readBytes(yearFile(2025));

        const CashStatement s = computeFromFolder(2025);

        // Every line of the form; those not named here are 0,00.
        const QMap<QString, QString> expected{
            {"A.U1", "240,00"},    {"A.U3", "1.800,00"},  {"A.TU", "2.040,00"},  {"A.E1", "3.200,00"},
            {"A.E4", "1.500,00"},  {"A.E5", "820,50"},    {"A.TE", "5.520,50"},  {"A.R", "3.480,50"},
            {"C.U2", "150,00"},    {"C.TU", "150,00"},    {"C.E2", "610,00"},    {"C.TE", "610,00"},
            {"C.R", "460,00"},     {"D.U1", "96,00"},     {"D.TU", "96,00"},     {"D.R", "-96,00"},
            {"TU", "2.286,00"},    {"TE", "6.130,50"},    {"R1", "3.844,50"},    {"R2", "3.844,50"},
            {"F.U1", "700,00"},    {"F.TU", "700,00"},    {"F.R", "-700,00"},    {"R2.bis", "3.844,50"},
            {"R", "3.144,50"},     {"CASSA", "4.420,00"}, {"BANCA", "4.724,50"},
        };
        QStringList seen;
        int items = 0;
        for (const Line &l : s.lines()) {
            if (l.kind == Line::Kind::Heading)
                continue;
            items += l.kind == Line::Kind::Item;
            QCOMPARE(CashStatement::amount(l.current), expected.value(l.id, QStringLiteral("0,00")));
            QCOMPARE(CashStatement::amount(l.previous), QStringLiteral("0,00"));
            seen.append(l.id);
        }
        // Every item of the form is there, and every expected line.
        QCOMPARE(items, StatementItems::all().size());
        for (const QString &id : expected.keys())
            QVERIFY2(seen.contains(id), qPrintable(id));
        QCOMPARE(CashStatement::euro(s.line(QStringLiteral("R"))->current), QStringLiteral("3.144,50 €"));

        QVERIFY(s.complete());
        QVERIFY(s.checkHolds());
        QVERIFY2(s.checkText().contains(QStringLiteral("6.000,00 € + avanzo/disavanzo complessivo 3.144,50 € = "
                                                       "9.144,50 €; cassa 4.420,00 € + banca 4.724,50 € = 9.144,50 €")),
                 qPrintable(s.checkText()));
        QVERIFY(anyContains(s.warnings(), QStringLiteral("consentito anche il rendiconto in forma aggregata")));
        QVERIFY(anyContains(s.warnings(), QStringLiteral("L'archivio 2024.eur non esiste")));
        // The year files are only read: no file for 2024 is made, 2025 is untouched.
        QCOMPARE(readBytes(yearFile(2025)), before);
        QVERIFY(!QFileInfo::exists(yearFile(2024)));
    }

    void twoYearsWithWhatIsLeftOut()
    {
        TestPlatform p;
        writeYear(2024, {{QStringLiteral("Quota associativa"), QStringLiteral("10/01/2024"), QStringLiteral("+1000,00"),
                          QStringLiteral("Contanti")},
                         {QStringLiteral("Affitto sala"), QStringLiteral("10/02/2024"), QStringLiteral("-300,00"),
                          QStringLiteral("Bonifico")}});
        writeYear(2025,
                  {
                      {QStringLiteral("QUOTA ASSOCIATIVA"), QStringLiteral("10/01/2025"), QStringLiteral("+200,00"),
                       QStringLiteral(" contanti")},
                      {QStringLiteral("Rimborso"), QStringLiteral("11/01/2025"), QStringLiteral("+50,00"),
                       QStringLiteral("Contanti")},
                      {QStringLiteral("Rimborso"), QStringLiteral("12/01/2025"), QStringLiteral("-30,00"),
                       QStringLiteral("Contanti")},
                      {QStringLiteral("Quota associativa"), QStringLiteral("13/01/2025"), QStringLiteral("+999,00"),
                       QStringLiteral("Contanti"), false},
                      {QStringLiteral("Vendita torte"), QStringLiteral("14/01/2025"), QStringLiteral("+80,00"),
                       QStringLiteral("Contanti")},
                      {QStringLiteral("Quota associativa"), QStringLiteral("15/01/2025"), QStringLiteral("+1.000,00"),
                       QStringLiteral("Contanti")},
                      {QStringLiteral("Quota associativa"), QStringLiteral("31/02/2025"), QStringLiteral("+10,00"),
                       QStringLiteral("Contanti")},
                  });
        writeText(QStringLiteral("Rendiconto.ini"),
                  "[Entrate]\r\nquota associativa=A.E1\r\nRimborso=A.E10\r\n[Uscite]\r\nAffitto sala=A.U3\r\n"
                  "rimborso=A.U5\r\n[Pagamenti]\r\nContanti=Cassa\r\nBonifico=Banca\r\n"
                  "[Saldi]\r\n2024.Cassa=500,00\r\n2024.Banca=2000,00\r\n");

        const CashStatement s = computeFromFolder(2025);
        const auto both = [&](const char *id) {
            const Line *l = s.line(QString::fromLatin1(id));
            return l ? CashStatement::amount(l->current) + QLatin1Char('|') + CashStatement::amount(l->previous)
                     : QStringLiteral("missing");
        };
        // The year before in the second column; a reason in both sections.
        QCOMPARE(both("A.E1"), QStringLiteral("200,00|1.000,00"));
        QCOMPARE(both("A.E10"), QStringLiteral("50,00|0,00"));
        QCOMPARE(both("A.U5"), QStringLiteral("30,00|0,00"));
        QCOMPARE(both("A.U3"), QStringLiteral("0,00|300,00"));
        QCOMPARE(both("R"), QStringLiteral("220,00|700,00"));
        // Opening balances carried from the closing ones of 2024 (cash 1.500,00, bank 1.700,00);
        // the unclassified sale still moved cash.
        QCOMPARE(both("CASSA"), QStringLiteral("1.800,00|1.500,00"));
        QCOMPARE(both("BANCA"), QStringLiteral("1.700,00|1.700,00"));
        QVERIFY(s.current().openingCarried);

        QVERIFY(!s.complete());
        QVERIFY(!s.checkHolds());
        const QStringList w = s.warnings();
        QVERIFY2(anyContains(w, QStringLiteral("Saldi iniziali ripresi dai saldi finali del 2024: cassa 1.500,00 €, "
                                               "banca 1.700,00 €")),
                 qPrintable(w.join(u'\n')));
        QVERIFY(anyContains(w, QStringLiteral("Non saldati, e quindi esclusi dal rendiconto del 2025: 1 movimento "
                                              "(entrate 999,00 €, uscite 0,00 €)")));
        QVERIFY(anyContains(w, QStringLiteral("causali del 2025 non classificate: Entrata \"Vendita torte\" "
                                              "(1 movimento, 80,00 €)")));
        QVERIFY(anyContains(w, QStringLiteral("il movimento n. 6 dell'archivio 2025.eur ha un importo che non è "
                                              "possibile leggere (\"+1.000,00\")")));
        QVERIFY(anyContains(w, QStringLiteral("il movimento n. 7 dell'archivio 2025.eur ha una data dell'operazione "
                                              "che non è possibile leggere (\"31/02/2025\")")));
    }

    void openingNotCarriedOverAnIncompleteYear()
    {
        TestPlatform p;
        // 2024 has a payment method that is neither cash nor bank: its closing balances are unknown.
        writeYear(2024, {{QStringLiteral("Quota"), QStringLiteral("10/01/2024"), QStringLiteral("+100,00"),
                          QStringLiteral("Assegno")}});
        writeYear(2025, {});
        writeText(QStringLiteral("Rendiconto.ini"),
                  "[Entrate]\r\nQuota=A.E1\r\n[Saldi]\r\n2024.Cassa=10,00\r\n2024.Banca=20,00\r\n");
        const CashStatement s = computeFromFolder(2025);
        QVERIFY(!s.current().opening.has_value());
        QVERIFY(anyContains(s.warnings(), QStringLiteral("i saldi iniziali del 2025 non sono indicati")));
        QVERIFY(anyContains(s.warnings(), QStringLiteral("modalità di pagamento del 2024 né di cassa né di banca: "
                                                         "\"Assegno\" (1 movimento, 100,00 €)")));
        QVERIFY(!s.complete());
    }

    // Amounts as the card writes them and as other programs or damage leave
    // them: each is counted at its value or named as unreadable.
    void amountsAsStored_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("counted"); // empty: unreadable
        QTest::newRow("two decimals") << QStringLiteral("+12,50") << QStringLiteral("A.E1") << QStringLiteral("12,50");
        QTest::newRow("one decimal") << QStringLiteral("+820,5") << QStringLiteral("A.E1") << QStringLiteral("820,50");
        QTest::newRow("no decimals") << QStringLiteral("+75") << QStringLiteral("A.E1") << QStringLiteral("75,00");
        QTest::newRow("cents only") << QStringLiteral("+0,05") << QStringLiteral("A.E1") << QStringLiteral("0,05");
        QTest::newRow("expense") << QStringLiteral("-3,5") << QStringLiteral("A.U1") << QStringLiteral("3,50");
        QTest::newRow("leading zeros") << QStringLiteral("+007,50") << QStringLiteral("A.E1") << QStringLiteral("7,50");
        QTest::newRow("comma, no decimals") << QStringLiteral("+5,") << QStringLiteral("A.E1") << QStringLiteral("5,00");
        QTest::newRow("decimals only") << QStringLiteral("+,50") << QStringLiteral("A.E1") << QStringLiteral("0,50");
        QTest::newRow("three decimals") << QStringLiteral("+1,999") << QStringLiteral("A.E1") << QStringLiteral("2,00");
        QTest::newRow("ten digits") << QStringLiteral("+9999999999,99") << QStringLiteral("A.E1")
                                    << QStringLiteral("9.999.999.999,99");
        QTest::newRow("the largest") << QStringLiteral("-10000000000,00") << QStringLiteral("A.U1")
                                     << QStringLiteral("10.000.000.000,00");
        QTest::newRow("beyond the largest") << QStringLiteral("+10000000000,01") << QStringLiteral("A.E1") << QString();
        QTest::newRow("exponent") << QStringLiteral("+1e3") << QStringLiteral("A.E1") << QString();
        QTest::newRow("blank after the sign") << QStringLiteral("+ 5,00") << QStringLiteral("A.E1") << QString();
        QTest::newRow("two commas") << QStringLiteral("-1,00,00") << QStringLiteral("A.U1") << QString();
    }

    void amountsAsStored()
    {
        QFETCH(QString, stored);
        QFETCH(QString, line);
        QFETCH(QString, counted);
        TestPlatform p;
        writeYear(2025, {{QStringLiteral("Quota"), QStringLiteral("01/06/2025"), stored, QStringLiteral("Contanti")}});
        writeText(QStringLiteral("Rendiconto.ini"),
                  "[Entrate]\r\nQuota=A.E1\r\n[Uscite]\r\nQuota=A.U1\r\n[Pagamenti]\r\nContanti=Cassa\r\n");
        const CashStatement s = computeFromFolder(2025);
        const QString unreadable = QStringLiteral("il movimento n. 1 dell'archivio 2025.eur ha un importo che non è "
                                                  "possibile leggere (\"%1\")")
                                       .arg(stored);
        QCOMPARE(CashStatement::amount(s.line(line)->current), counted.isEmpty() ? QStringLiteral("0,00") : counted);
        QCOMPARE(anyContains(s.warnings(), unreadable), counted.isEmpty());
        QCOMPARE(s.complete(), !counted.isEmpty());
    }

    // Many reasons over two payment methods, each kept with its own count and
    // total, the same reason as income and as expense apart.
    void manyReasonsEachCounted()
    {
        TestPlatform p;
        QList<Move> moves;
        QMap<int, std::pair<int, qint64>> expected; // reason -> count, cents
        qint64 cassa = 0;
        qint64 banca = 0;
        for (int i = 1; i <= 150; ++i) {
            for (int k = 0; k <= i % 3; ++k) {
                const bool cash = (moves.size() % 2) == 0;
                moves.append({QStringLiteral("Voce %1").arg(i), QStringLiteral("02/03/2025"),
                              QStringLiteral("+%1,00").arg(i), cash ? QStringLiteral("Contanti") : QStringLiteral("Bonifico")});
                expected[i].first += 1;
                expected[i].second += i * 100;
                (cash ? cassa : banca) += i * 100;
            }
        }
        moves.append({QStringLiteral("Voce 1"), QStringLiteral("03/03/2025"), QStringLiteral("-0,40"),
                      QStringLiteral("Contanti")});
        cassa -= 40;
        writeYear(2025, moves);
        writeText(QStringLiteral("Rendiconto.ini"), "[Pagamenti]\r\nContanti=Cassa\r\nBonifico=Banca\r\n");

        const CashStatement s = computeFromFolder(2025);
        const QString unclassified = s.warnings().filter(QStringLiteral("causali del 2025 non classificate")).value(0);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QString named = QStringLiteral("Entrata \"Voce %1\" (%2, %3)")
                                      .arg(it.key())
                                      .arg(it->first == 1 ? QStringLiteral("1 movimento")
                                                          : QStringLiteral("%1 movimenti").arg(it->first),
                                           CashStatement::euro(it->second));
            QVERIFY2(unclassified.contains(named + QLatin1Char(';')) || unclassified.endsWith(named + QLatin1Char('.')),
                     qPrintable(named));
        }
        QVERIFY(unclassified.contains(QStringLiteral("Uscita \"Voce 1\" (1 movimento, 0,40 €)")));
        QCOMPARE(s.line(QStringLiteral("CASSA"))->current, cassa);
        QCOMPARE(s.line(QStringLiteral("BANCA"))->current, banca);

        // Each kind, reason and payment method is one group of the year, as
        // the classification table lists them.
        QSet<QString> distinct;
        for (const Move &m : moves)
            distinct.insert(m.totale.left(1) + m.causale + QLatin1Char('|') + m.pagamento);
        YearCache cache(Platform::folder().path());
        QCOMPARE(cache.get(2025)->groups.size(), distinct.size());
    }

    void sizeLimits_data()
    {
        QTest::addColumn<QString>("income");
        QTest::addColumn<bool>("overCash");
        QTest::addColumn<bool>("aggregate");
        QTest::newRow("60.000,00") << QStringLiteral("+60000,00") << false << true;
        QTest::newRow("60.000,01") << QStringLiteral("+60000,01") << false << false;
        QTest::newRow("300.000,00") << QStringLiteral("+300000,00") << false << false;
        QTest::newRow("300.000,01") << QStringLiteral("+300000,01") << true << false;
    }

    void sizeLimits()
    {
        QFETCH(QString, income);
        QFETCH(bool, overCash);
        QFETCH(bool, aggregate);
        TestPlatform p;
        writeYear(2025, {{QStringLiteral("Contributo"), QStringLiteral("01/06/2025"), income, QStringLiteral("Banca")}});
        writeText(QStringLiteral("Rendiconto.ini"), "[Entrate]\r\nContributo=A.E6\r\n[Pagamenti]\r\nBanca=Banca\r\n");
        const CashStatement s = computeFromFolder(2025);
        QCOMPARE(anyContains(s.warnings(), QStringLiteral("la legge non consente il rendiconto per cassa")), overCash);
        QCOMPARE(anyContains(s.warnings(), QStringLiteral("forma aggregata")), aggregate);
    }

    void amountsInTheItalianForm_data()
    {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0,00 €");
        QTest::newRow("cents") << qint64(5) << QStringLiteral("0,05 €");
        QTest::newRow("thousands") << qint64(314450) << QStringLiteral("3.144,50 €");
        QTest::newRow("millions") << qint64(123456789) << QStringLiteral("1.234.567,89 €");
        QTest::newRow("negative") << qint64(-100000) << QStringLiteral("-1.000,00 €");
    }

    void amountsInTheItalianForm()
    {
        QFETCH(qint64, cents);
        QFETCH(QString, shown);
        QCOMPARE(CashStatement::euro(cents), shown);
    }

    void suggestionsFromWords_data()
    {
        QTest::addColumn<bool>("income");
        QTest::addColumn<QString>("causale");
        QTest::addColumn<QString>("code");
        QTest::newRow("quota") << true << QStringLiteral("Quota associativa 2025") << QStringLiteral("A.E1");
        QTest::newRow("5 per mille") << true << QStringLiteral("Accredito 5 per mille") << QStringLiteral("A.E5");
        QTest::newRow("donazione") << true << QStringLiteral("DONAZIONE famiglia Neri") << QStringLiteral("A.E4");
        QTest::newRow("erogazione") << true << QStringLiteral("Erogazione liberale") << QStringLiteral("A.E4");
        QTest::newRow("affitto") << false << QStringLiteral("Affitto sede") << QStringLiteral("A.U3");
        QTest::newRow("commissioni") << false << QStringLiteral("Commissioni bonifico") << QStringLiteral("D.U1");
        QTest::newRow("nothing") << true << QStringLiteral("Varie") << QString();
    }

    void suggestionsFromWords()
    {
        QFETCH(bool, income);
        QFETCH(QString, causale);
        QFETCH(QString, code);
        QCOMPARE(CashStatement::suggestion(income ? StatementItems::Side::Income : StatementItems::Side::Expense,
                                           causale),
                 code);
    }
};

QTEST_MAIN(TestCashStatement)
#include "tst_cash_statement.moc"
