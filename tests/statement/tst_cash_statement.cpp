// The yearly cash statement computed from year files and Rendiconto.ini.
#include "statement/CashStatement.h"
#include "statement/ClassificationRows.h"
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
            // 2024 has no file: its closing balances are the opening ones typed for 2025.
            QCOMPARE(CashStatement::amount(l.previous), l.id == QStringLiteral("CASSA")   ? QStringLiteral("1.000,00")
                                                        : l.id == QStringLiteral("BANCA") ? QStringLiteral("5.000,00")
                                                                                          : QStringLiteral("0,00"));
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
                  "[Entrate]\r\nQuota=A.E1\r\n[Uscite]\r\nQuota=A.U1\r\n[Pagamenti]\r\nContanti=Cassa\r\n"
                  "[Saldi]\r\n2025.Cassa=0,00\r\n2025.Banca=0,00\r\n");
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

    // The opening of a year is the closing of the year before, both ways: a
    // year without movements of its own takes its closing balances from the
    // opening ones typed for the next, a typed opening that disagrees with the
    // computed closing is named with both figures, and a year that cannot be
    // summed whole carries nothing.
    void balancesBetweenTwoYears_data()
    {
        QTest::addColumn<QList<Move>>("before");   // 2024.eur; absent when empty
        QTest::addColumn<QByteArray>("balances");  // the [Saldi] lines
        QTest::addColumn<QString>("cassa");        // "2025|2024"
        QTest::addColumn<QString>("banca");
        QTest::addColumn<QString>("said");         // a warning that must be there
        QTest::addColumn<bool>("complete");
        const QList<Move> fees{{QStringLiteral("Quota"), QStringLiteral("10/01/2024"), QStringLiteral("+100,00"),
                                QStringLiteral("Contanti")}};
        QTest::newRow("no file before, opening typed")
            << QList<Move>() << QByteArray("2025.Cassa=1500,00\r\n2025.Banca=12000,00\r\n")
            << QStringLiteral("1.600,00|1.500,00") << QStringLiteral("12.000,00|12.000,00")
            << QStringLiteral("Saldi finali del 2024 presi dai saldi iniziali indicati per il 2025: cassa 1.500,00 €, "
                              "banca 12.000,00 €.")
            << true;
        QTest::newRow("typed opening disagrees")
            << fees << QByteArray("2024.Cassa=400,00\r\n2024.Banca=900,00\r\n2025.Cassa=5000,00\r\n2025.Banca=15000,50\r\n")
            << QStringLiteral("5.100,00|500,00") << QStringLiteral("15.000,50|900,00")
            << QStringLiteral("Attenzione: i saldi iniziali indicati per il 2025 (cassa 5.000,00 €, banca 15.000,50 €) "
                              "non corrispondono ai saldi finali calcolati del 2024 (cassa 500,00 €, banca 900,00 €).")
            << false;
        QTest::newRow("typed opening agrees")
            << fees << QByteArray("2024.Cassa=400,00\r\n2024.Banca=900,00\r\n2025.Cassa=500,00\r\n2025.Banca=900,00\r\n")
            << QStringLiteral("600,00|500,00") << QStringLiteral("900,00|900,00") << QStringLiteral("i conti tornano")
            << true;
        QTest::newRow("carried over a whole year")
            << fees << QByteArray("2024.Cassa=400,00\r\n2024.Banca=900,00\r\n") << QStringLiteral("600,00|500,00")
            << QStringLiteral("900,00|900,00")
            << QStringLiteral("Saldi iniziali ripresi dai saldi finali del 2024: cassa 500,00 €, banca 900,00 €.") << true;
        QTest::newRow("not carried over an unreadable movement")
            << (fees + QList<Move>{{QStringLiteral("Quota"), QStringLiteral("11/01/2024"), QStringLiteral("+1.000,00"),
                                    QStringLiteral("Contanti")}})
            << QByteArray("2024.Cassa=400,00\r\n2024.Banca=900,00\r\n") << QStringLiteral("100,00|500,00")
            << QStringLiteral("0,00|900,00")
            << QStringLiteral("Attenzione: i saldi iniziali del 2025 non sono indicati e non si possono ricavare dal 2024")
            << false;
        QTest::newRow("not carried over a movement of another year")
            << (fees + QList<Move>{{QStringLiteral("Quota"), QStringLiteral("11/01/2023"), QStringLiteral("+10,00"),
                                    QStringLiteral("Contanti")}})
            << QByteArray("2024.Cassa=400,00\r\n2024.Banca=900,00\r\n") << QStringLiteral("100,00|500,00")
            << QStringLiteral("0,00|900,00")
            << QStringLiteral("Attenzione: i saldi iniziali del 2025 non sono indicati e non si possono ricavare dal 2024")
            << false;
    }

    void balancesBetweenTwoYears()
    {
        QFETCH(QList<Move>, before);
        QFETCH(QByteArray, balances);
        QFETCH(QString, cassa);
        QFETCH(QString, banca);
        QFETCH(QString, said);
        QFETCH(bool, complete);
        TestPlatform p;
        if (!before.isEmpty())
            writeYear(2024, before);
        writeYear(2025, {{QStringLiteral("Quota"), QStringLiteral("10/01/2025"), QStringLiteral("+100,00"),
                          QStringLiteral("Contanti")}});
        writeText(QStringLiteral("Rendiconto.ini"),
                  "[Entrate]\r\nQuota=A.E1\r\n[Pagamenti]\r\nContanti=Cassa\r\n[Saldi]\r\n" + balances);
        const CashStatement s = computeFromFolder(2025);
        const auto both = [&](const char *id) {
            const Line *l = s.line(QString::fromLatin1(id));
            return CashStatement::amount(l->current) + QLatin1Char('|') + CashStatement::amount(l->previous);
        };
        const QString all = s.checkText() + QLatin1Char('\n') + s.warnings().join(u'\n');
        QCOMPARE(both("CASSA"), cassa);
        QCOMPARE(both("BANCA"), banca);
        QVERIFY2(all.contains(said), qPrintable(all));
        QCOMPARE(s.complete(), complete);
    }

    // The balance check that fails names each of its causes with its amount,
    // and the difference they make up.
    void failedCheckNamesItsCauses_data()
    {
        QTest::addColumn<QList<Move>>("extra");
        QTest::addColumn<QString>("said");
        const QString d = QStringLiteral("/2025");
        QTest::newRow("reasons not classified")
            << QList<Move>{{QStringLiteral("Vendita torte"), QStringLiteral("01/05") + d, QStringLiteral("+700,00"), QStringLiteral("Contanti")},
                           {QStringLiteral("Varie"), QStringLiteral("02/05") + d, QStringLiteral("-10,32"), QStringLiteral("Contanti")}}
            << QStringLiteral("Attenzione: la verifica non torna per 689,68 €: causali non classificate per 689,68 € "
                              "(entrate 700,00 €, uscite 10,32 €).");
        QTest::newRow("payment neither cash nor bank")
            << QList<Move>{{QStringLiteral("Donazioni"), QStringLiteral("01/05") + d, QStringLiteral("+17,25"), QStringLiteral("Assegno")}}
            << QStringLiteral("Attenzione: la verifica non torna per -17,25 €: movimenti né di cassa né di banca per "
                              "17,25 €.");
        QTest::newRow("both")
            << QList<Move>{{QStringLiteral("Vendita torte"), QStringLiteral("01/05") + d, QStringLiteral("+700,00"), QStringLiteral("Contanti")},
                           {QStringLiteral("Varie"), QStringLiteral("02/05") + d, QStringLiteral("-10,32"), QStringLiteral("Contanti")},
                           {QStringLiteral("Donazioni"), QStringLiteral("03/05") + d, QStringLiteral("+17,25"), QStringLiteral("Assegno")}}
            << QStringLiteral("Attenzione: la verifica non torna per 672,43 €: causali non classificate per 689,68 € "
                              "(entrate 700,00 €, uscite 10,32 €); movimenti né di cassa né di banca per 17,25 €.");
    }

    void failedCheckNamesItsCauses()
    {
        QFETCH(QList<Move>, extra);
        QFETCH(QString, said);
        TestPlatform p;
        writeYear(2025, workedYear() + extra);
        writeText(QStringLiteral("Rendiconto.ini"), workedClassification());
        const CashStatement s = computeFromFolder(2025);
        QVERIFY(!s.checkHolds());
        QVERIFY2(s.warnings().contains(said), qPrintable(s.warnings().join(u'\n')));
    }

    // The size figures are measured on every settled income of the year: the
    // statement says so, with what came from section F and what is unclassified.
    void sizeFiguresSayWhatWasCounted_data()
    {
        QTest::addColumn<QString>("loan");
        QTest::addColumn<QString>("said");
        QTest::addColumn<bool>("aggregate");
        QTest::newRow("no loan") << QString()
                                 << QStringLiteral("Per i limiti di 300.000,00 € e di 60.000,00 € sono contate tutte le "
                                                   "entrate saldate del 2025, in tutto 55.080,00 €: comprese quelle della "
                                                   "sezione F (disinvestimenti e finanziamenti ricevuti) per 0,00 € e quelle "
                                                   "non classificate per 80,00 €.")
                                 << true;
        QTest::newRow("a loan received") << QStringLiteral("+10000,00")
                                         << QStringLiteral("Per i limiti di 300.000,00 € e di 60.000,00 € sono contate "
                                                           "tutte le entrate saldate del 2025, in tutto 65.080,00 €: "
                                                           "comprese quelle della sezione F (disinvestimenti e "
                                                           "finanziamenti ricevuti) per 10.000,00 € e quelle non "
                                                           "classificate per 80,00 €.")
                                         << false;
    }

    void sizeFiguresSayWhatWasCounted()
    {
        QFETCH(QString, loan);
        QFETCH(QString, said);
        QFETCH(bool, aggregate);
        TestPlatform p;
        QList<Move> moves{{QStringLiteral("Quote"), QStringLiteral("01/02/2025"), QStringLiteral("+55000,00"), QStringLiteral("Banca")},
                          {QStringLiteral("Vendita torte"), QStringLiteral("01/03/2025"), QStringLiteral("+80,00"), QStringLiteral("Banca")}};
        if (!loan.isEmpty())
            moves.append({QStringLiteral("Prestito"), QStringLiteral("01/04/2025"), loan, QStringLiteral("Banca")});
        writeYear(2025, moves);
        writeText(QStringLiteral("Rendiconto.ini"),
                  "[Entrate]\r\nQuote=A.E1\r\nPrestito=F.E4\r\n[Pagamenti]\r\nBanca=Banca\r\n");
        const CashStatement s = computeFromFolder(2025);
        QVERIFY2(s.warnings().contains(said), qPrintable(s.warnings().join(u'\n')));
        QCOMPARE(anyContains(s.warnings(), QStringLiteral("forma aggregata")), aggregate);
    }

    // Every item of the form in its order, worded as the form words it.
    void itemsWordedAsTheForm()
    {
        TestPlatform p;
        const CashStatement s = computeFromFolder(2025);
        const QList<std::pair<const char *, const char *>> form{
            {"A.U1", "Materie prime, sussidiarie, di consumo e di merci"},
            {"A.U2", "Servizi"},
            {"A.U3", "Godimento beni di terzi"},
            {"A.U4", "Personale"},
            {"A.U5", "Uscite diverse di gestione"},
            {"A.E1", "Entrate da quote associative e apporti dei fondatori"},
            {"A.E2", "Entrate dagli associati per attività mutuali"},
            {"A.E3", "Entrate per prestazioni e cessioni ad associati e fondatori"},
            {"A.E4", "Erogazioni liberali"},
            {"A.E5", "Entrate del 5 per mille"},
            {"A.E6", "Contributi da soggetti privati"},
            {"A.E7", "Entrate per prestazioni e cessioni a terzi"},
            {"A.E8", "Contributi da enti pubblici"},
            {"A.E9", "Entrate da contratti con enti pubblici"},
            {"A.E10", "Altre entrate"},
            {"B.U1", "Materie prime, sussidiarie, di consumo e di merci"},
            {"B.U2", "Servizi"},
            {"B.U3", "Godimento beni di terzi"},
            {"B.U4", "Personale"},
            {"B.U5", "Uscite diverse di gestione"},
            {"B.E1", "Entrate per prestazioni e cessioni ad associati e fondatori"},
            {"B.E2", "Contributi da soggetti privati"},
            {"B.E3", "Entrate per prestazioni e cessioni a terzi"},
            {"B.E4", "Contributi da enti pubblici"},
            {"B.E5", "Entrate da contratti con enti pubblici"},
            {"B.E6", "Altre entrate"},
            {"C.U1", "Uscite per raccolte fondi abituali"},
            {"C.U2", "Uscite per raccolte fondi occasionali"},
            {"C.U3", "Altre uscite"},
            {"C.E1", "Entrate da raccolte fondi abituali"},
            {"C.E2", "Entrate da raccolte fondi occasionali"},
            {"C.E3", "Altre entrate"},
            {"D.U1", "Su rapporti bancari"},
            {"D.U2", "Su investimenti finanziari"},
            {"D.U3", "Su patrimonio edilizio"},
            {"D.U4", "Su altri beni patrimoniali"},
            {"D.U5", "Altre uscite"},
            {"D.E1", "Da rapporti bancari"},
            {"D.E2", "Da altri investimenti finanziari"},
            {"D.E3", "Da patrimonio edilizio"},
            {"D.E4", "Da altri beni patrimoniali"},
            {"D.E5", "Altre entrate"},
            {"E.U1", "Materie prime, sussidiarie, di consumo e di merci"},
            {"E.U2", "Servizi"},
            {"E.U3", "Godimento beni di terzi"},
            {"E.U4", "Personale"},
            {"E.U5", "Altre uscite"},
            {"E.E1", "Entrate da distacco del personale"},
            {"E.E2", "Altre entrate di supporto generale"},
            {"I.U1", "Imposte"},
            {"F.U1", "Investimenti in immobilizzazioni inerenti alle attività di interesse generale"},
            {"F.U2", "Investimenti in immobilizzazioni inerenti alle attività diverse"},
            {"F.U3", "Investimenti in attività finanziarie e patrimoniali"},
            {"F.U4", "Rimborso di finanziamenti per quota capitale e di prestiti"},
            {"F.E1", "Disinvestimenti di immobilizzazioni inerenti alle attività di interesse generale"},
            {"F.E2", "Disinvestimenti di immobilizzazioni inerenti alle attività diverse"},
            {"F.E3", "Disinvestimenti di attività finanziarie e patrimoniali"},
            {"F.E4", "Ricevimento di finanziamenti e di prestiti"},
        };
        QList<std::pair<QString, QString>> shown;
        for (const Line &l : s.lines())
            if (l.kind == Line::Kind::Item)
                shown.append({l.id, l.text});
        QCOMPARE(shown.size(), form.size());
        for (qsizetype i = 0; i < form.size(); ++i) {
            QCOMPARE(shown.at(i).first, QString::fromLatin1(form.at(i).first));
            QCOMPARE(shown.at(i).second, QString::fromUtf8(form.at(i).second));
        }
    }

    // The classification page's rows over two years: one row per reason and
    // kind however its case and blanks vary, the count of the year, both
    // totals; suggestions given only where nothing was chosen.
    void reasonsOfTwoYearsAndSuggestions()
    {
        TestPlatform p;
        writeYear(2024, {{QStringLiteral(" QUOTA"), QStringLiteral("10/01/2024"), QStringLiteral("+5,00"), QStringLiteral("contanti ")},
                         {QStringLiteral("Affitto sede"), QStringLiteral("10/02/2024"), QStringLiteral("-300,00"), QStringLiteral("Bonifico")}});
        writeYear(2025, {{QStringLiteral("Quota"), QStringLiteral("10/01/2025"), QStringLiteral("+10,00"), QStringLiteral("Contanti")},
                         {QStringLiteral("quota"), QStringLiteral("11/01/2025"), QStringLiteral("+20,00"), QStringLiteral("Contanti")},
                         {QStringLiteral("Quota"), QStringLiteral("12/01/2025"), QStringLiteral("-1,00"), QStringLiteral("Contanti")},
                         {QStringLiteral("Varie"), QStringLiteral("13/01/2025"), QStringLiteral("+2,00"), QStringLiteral("")}});
        YearCache cache(Platform::folder().path());
        const ClassificationRows rows = ClassificationRows::of(cache.get(2025), cache.get(2024));
        QStringList shown;
        for (const ClassificationRows::Reason &r : rows.reasons)
            shown.append(QStringLiteral("%1 %2 %3 %4 %5 %6")
                             .arg(r.side == StatementItems::Side::Income ? QStringLiteral("+") : QStringLiteral("-"), r.causale)
                             .arg(r.count)
                             .arg(CashStatement::amount(r.current), CashStatement::amount(r.previous), r.suggestion));
        QCOMPARE(shown, (QStringList{QStringLiteral("+ Quota 2 30,00 5,00 A.E1"), QStringLiteral("+ Varie 1 2,00 0,00 "),
                                     QStringLiteral("- Affitto sede 0 0,00 300,00 A.U3"),
                                     QStringLiteral("- Quota 1 1,00 0,00 ")}));
        QStringList payments;
        for (const ClassificationRows::Payment &m : rows.payments)
            payments.append(QStringLiteral("%1 %2 %3").arg(m.pagamento).arg(m.count).arg(int(m.suggestion)));
        QCOMPARE(payments, (QStringList{QStringLiteral(" 1 0"), QStringLiteral("Bonifico 0 2"), QStringLiteral("Contanti 3 1")}));

        Classification c;
        c.setItem(StatementItems::Side::Expense, QStringLiteral("Affitto sede"), QStringLiteral("A.U5"));
        c.setAccount(QStringLiteral("Bonifico"), Classification::Account::Cassa);
        QCOMPARE(rows.applySuggestions(c), 2);
        QCOMPARE(c.incomeItemOf(QStringLiteral("QUOTA")), QStringLiteral("A.E1"));
        QCOMPARE(c.expenseItemOf(QStringLiteral("affitto sede")), QStringLiteral("A.U5"));
        QCOMPARE(c.expenseItemOf(QStringLiteral("Quota")), QString());
        QCOMPARE(c.accountOf(QStringLiteral("contanti")), Classification::Account::Cassa);
        QCOMPARE(c.accountOf(QStringLiteral("Bonifico")), Classification::Account::Cassa);
        QCOMPARE(rows.applySuggestions(c), 0);
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
