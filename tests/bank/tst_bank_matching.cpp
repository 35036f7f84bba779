// The proposals of an import: which bank row settles which unsettled movement
// (amount, kind, date window, payer's name), which becomes a new movement and
// with what reason, which rows were imported before, which repeat.
#include "bank/BankImport.h"
#include "bank/ImportLedger.h"
#include "bank/LearnedRules.h"
#include "movements/MovementCardRules.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

StoredMovement dueMovement(qint64 position, const QString &causale, const QString &amount, bool income, const QString &due,
                    const QString &person, const QString &saldato = kNo)
{
    StoredMovement m;
    m.position = position;
    m.record.Entrata = income ? kYes : kNo;
    m.record.Uscita = income ? kNo : kYes;
    m.record.Data = QStringLiteral("02/01/2026");
    m.record.DataSca = due;
    m.record.Preavviso = QStringLiteral("0");
    m.record.Causale = causale;
    m.record.Importo = amount;
    m.record.Totale = (income ? QStringLiteral("+") : QStringLiteral("-")) + amount;
    (income ? m.record.Pagatore : m.record.Beneficiario) = person;
    m.record.Saldato = saldato;
    return m;
}

BankRow row(const QString &date, qint64 cents, const QString &extended, const QString &reference = {})
{
    BankRow r;
    r.line = 1;
    r.booking = QDate::fromString(date, QStringLiteral("dd/MM/yyyy"));
    r.value = r.booking;
    r.cents = cents;
    r.description = cents > 0 ? QStringLiteral("BONIFICO A VOSTRO FAVORE") : QStringLiteral("ADDEBITO");
    r.extended = extended;
    r.reference = reference;
    return r;
}

// "action [position]" for each proposal.
QStringList outline(const QList<Proposal> &proposals)
{
    QStringList out;
    for (const Proposal &p : proposals)
        out.append(p.action == Proposal::Action::Settle ? QStringLiteral("%1 %2").arg(p.actionText()).arg(p.settles)
                                                        : p.actionText());
    return out;
}

ImportSetting setting2026()
{
    ImportSetting s;
    s.year = 2026;
    return s;
}

} // namespace

Q_DECLARE_METATYPE(StoredMovement)
Q_DECLARE_METATYPE(BankRow)

class TestBankMatching : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matching_data()
    {
        QTest::addColumn<QList<StoredMovement>>("movements");
        QTest::addColumn<QList<BankRow>>("rows");
        QTest::addColumn<QStringList>("expected");
        const auto quota = [](qint64 pos, const QString &due, const QString &person = QStringLiteral("Rossi Mario")) {
            return dueMovement(pos, QStringLiteral("Quota sociale"), QStringLiteral("50,00"), true, due, person);
        };
        const BankRow paid = row(QStringLiteral("20/01/2026"), 5000, QStringLiteral("BONIFICO DA ROSSI MARIO PER QUOTA"));
        QTest::newRow("amount, kind, date and name agree") << QList{quota(1, QStringLiteral("15/01/2026"))} << QList{paid}
                                                           << QStringList{QStringLiteral("Segna come saldato 1")};
        QTest::newRow("one cent apart") << QList{quota(1, QStringLiteral("15/01/2026"))}
                                        << QList{row(QStringLiteral("20/01/2026"), 5001, QStringLiteral("DA ROSSI MARIO"))}
                                        << QStringList{QStringLiteral("Nuova entrata")};
        QTest::newRow("an expense of the same amount")
            << QList{dueMovement(1, QStringLiteral("Affitto"), QStringLiteral("50,00"), false, QStringLiteral("15/01/2026"), {})}
            << QList{paid} << QStringList{QStringLiteral("Nuova entrata")};
        QTest::newRow("due 31 days before") << QList{quota(1, QStringLiteral("20/12/2025"))} << QList{paid}
                                            << QStringList{QStringLiteral("Nuova entrata")};
        QTest::newRow("due 30 days after") << QList{quota(1, QStringLiteral("19/02/2026"))} << QList{paid}
                                           << QStringList{QStringLiteral("Segna come saldato 1")};
        QTest::newRow("another payer") << QList{quota(1, QStringLiteral("15/01/2026"), QStringLiteral("Bianchi Anna"))}
                                       << QList{paid} << QStringList{QStringLiteral("Nuova entrata")};
        QTest::newRow("no payer on the movement") << QList{quota(1, QStringLiteral("15/01/2026"), QString())} << QList{paid}
                                                  << QStringList{QStringLiteral("Segna come saldato 1")};
        QTest::newRow("already settled")
            << QList{dueMovement(1, QStringLiteral("Quota"), QStringLiteral("50,00"), true, QStringLiteral("15/01/2026"),
                          QStringLiteral("Rossi Mario"), kYes)}
            << QList{paid} << QStringList{QStringLiteral("Nuova entrata")};
        QTest::newRow("the nearest due date, each movement once")
            << QList{quota(1, QStringLiteral("01/01/2026")), quota(2, QStringLiteral("18/01/2026"))}
            << QList{paid, row(QStringLiteral("21/01/2026"), 5000, QStringLiteral("BONIFICO DA ROSSI MARIO"), QStringLiteral("B2"))}
            << QStringList{QStringLiteral("Segna come saldato 2"), QStringLiteral("Segna come saldato 1")};
        QTest::newRow("two identical payments with two references are both real")
            << QList<StoredMovement>{}
            << QList{row(QStringLiteral("20/01/2026"), 1000, QStringLiteral("DA VERDI"), QStringLiteral("A1")),
                     row(QStringLiteral("20/01/2026"), 1000, QStringLiteral("DA VERDI"), QStringLiteral("A2"))}
            << QStringList{QStringLiteral("Nuova entrata"), QStringLiteral("Nuova entrata")};
        QTest::newRow("two identical rows without references: the second is asked")
            << QList<StoredMovement>{}
            << QList{row(QStringLiteral("20/01/2026"), 1000, QStringLiteral("DA VERDI")),
                     row(QStringLiteral("20/01/2026"), 1000, QStringLiteral("DA VERDI"))}
            << QStringList{QStringLiteral("Nuova entrata"), QStringLiteral("Non registrare")};
        QTest::newRow("a row of another year") << QList<StoredMovement>{}
                                               << QList{row(QStringLiteral("31/12/2025"), -700, QStringLiteral("SPESE"))}
                                               << QStringList{QStringLiteral("Altro anno")};
    }
    void matching()
    {
        QFETCH(QList<StoredMovement>, movements);
        QFETCH(QList<BankRow>, rows);
        QFETCH(QStringList, expected);
        const auto proposals = BankImport::propose(rows, movements, ImportLedger(), LearnedRules(), setting2026());
        QCOMPARE(outline(proposals), expected);
        for (const Proposal &p : proposals)
            if (p.action == Proposal::Action::Settle) {
                QCOMPARE(p.movement.Saldato, kYes);
                QCOMPARE(p.movement.Pagamento, QStringLiteral("Banca"));
                QCOMPARE(p.movement.Causale, p.settled.Causale);
            }
    }

    void newMovementFromTheRow()
    {
        BankRow r = row(QStringLiteral("03/02/2026"), -123456, QStringLiteral("PAGAMENTO FATTURA 12"));
        r.counterparty = QStringLiteral("Tipografia Rapida");
        const TSchedaMovimento m = BankImport::newMovement(r, LearnedRules(), setting2026());
        QCOMPARE(m.Entrata, kNo);
        QCOMPARE(m.Uscita, kYes);
        QCOMPARE(m.Data, QStringLiteral("03/02/2026"));
        QCOMPARE(m.Importo, QStringLiteral("1234,56"));
        QCOMPARE(m.Totale, QStringLiteral("-1234,56"));
        QCOMPARE(m.DataSca, QStringLiteral("03/02/2026"));
        QCOMPARE(m.Beneficiario, QStringLiteral("Tipografia Rapida"));
        QCOMPARE(m.Pagatore, QStringLiteral("Associazione"));
        QCOMPARE(m.Causale, QStringLiteral("ADDEBITO"));
        QCOMPARE(m.Pagamento, QStringLiteral("Banca"));
        QCOMPARE(m.Saldato, kYes);
        // The card takes it as it is: opened and saved again, nothing is missing.
        QVERIFY(!MovementCardRules::checkForSave(MovementCardRules::show(m, {})));
        r.counterparty.clear();
        r.cents = 700;
        const TSchedaMovimento nameless = BankImport::newMovement(r, LearnedRules(), setting2026());
        QCOMPARE(nameless.Pagatore, QStringLiteral("Non indicato"));
        QCOMPARE(nameless.Beneficiario, QStringLiteral("Associazione"));
        QVERIFY(!MovementCardRules::checkForSave(MovementCardRules::show(nameless, {})));
    }

    // A reason chosen once comes back for rows with the same words, kept in its file.
    void learnedReasons_data()
    {
        QTest::addColumn<QString>("extended");
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("causale");
        QTest::newRow("same words, another month") << "BONIFICO DA ENEL ENERGIA FATTURA 0226" << qint64(-8990)
                                                   << "Bolletta luce";
        QTest::newRow("words in another order") << "ENERGIA ENEL FATTURA BOLLETTA" << qint64(-1000) << "Bolletta luce";
        QTest::newRow("same words, an income") << "BONIFICO DA ENEL ENERGIA FATTURA 0226" << qint64(1000)
                                               << "BONIFICO A VOSTRO FAVORE";
        QTest::newRow("one word only in common") << "FATTURA TIPOGRAFIA" << qint64(-1000) << "ADDEBITO";
    }
    void learnedReasons()
    {
        QFETCH(QString, extended);
        QFETCH(qint64, cents);
        QFETCH(QString, causale);
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        LearnedRules taught;
        taught.learn(row(QStringLiteral("05/01/2026"), -7500, QStringLiteral("ENEL ENERGIA FATTURA 0126")),
                     QStringLiteral("Bolletta luce"), QStringLiteral("Enel"));
        QString error;
        QVERIFY2(taught.save(folder, &error), qPrintable(error));
        const LearnedRules rules = LearnedRules::load(folder);
        QCOMPARE(rules.rules(), taught.rules());
        const TSchedaMovimento m =
            BankImport::newMovement(row(QStringLiteral("05/02/2026"), cents, extended), rules, setting2026());
        QCOMPARE(m.Causale, causale);
        if (causale == QLatin1String("Bolletta luce"))
            QCOMPARE(m.Beneficiario, QStringLiteral("Enel"));
    }

    // The rows of a statement imported before are shown and not proposed,
    // found through the ledger file.
    void ledgerKeepsImportedRows()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QLatin1Char('/');
        const QList<BankRow> rows{row(QStringLiteral("20/01/2026"), 1000, QStringLiteral("DA VERDI")),
                                  row(QStringLiteral("20/01/2026"), 1000, QStringLiteral("DA VERDI")),
                                  row(QStringLiteral("21/01/2026"), 1000, QStringLiteral("DA VERDI"), QStringLiteral("X9"))};
        ImportLedger ledger;
        for (const QString &key : ImportLedger::keysOf(rows.mid(0, 1) + rows.mid(2)))
            ledger.add(key);
        QString error;
        QVERIFY(ledger.save(folder, &error));
        const auto again = ImportLedger::load(folder, &error);
        QVERIFY(again);
        const auto proposals = BankImport::propose(rows, {}, *again, LearnedRules(), setting2026());
        QCOMPARE(outline(proposals),
                 (QStringList{QStringLiteral("Già importato"), QStringLiteral("Non registrare"), QStringLiteral("Già importato")}));
        QCOMPARE(proposals[1].origin, Proposal::Origin::Repeated);
    }
};

QTEST_MAIN(TestBankMatching)
#include "tst_bank_matching.moc"
