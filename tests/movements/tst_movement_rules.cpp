// The movement card's rules without a screen: the record a card composes, what
// a stored record puts on the card, and which amounts can be stored whole.
#include "common/RecordCodec.h"
#include "common/TSchedaMovimento.h"
#include "movements/MovementCardRules.h"

#include <QTest>

Q_DECLARE_METATYPE(MovementCardValues)

namespace {

MovementCardValues card(bool entrata, bool uscita, bool saldato, const QString &amount)
{
    MovementCardValues c;
    c.entrata = entrata;
    c.uscita = uscita;
    c.saldato = saldato;
    c.texts.Importo = amount;
    c.texts.Causale = QStringLiteral("  Affitto  ");
    c.texts.Totale = QStringLiteral("+999,00"); // the signed amount last shown: never stored as it is
    c.texts.Entrata = QStringLiteral("ignored");
    c.texts.File02 = QStringLiteral(" b.pdf ");
    return c;
}

} // namespace

class TestMovementRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void composedRecord_data();
    void composedRecord();
    void shownRecordAndItsSwitches_data();
    void shownRecordAndItsSwitches();
    void amountsThatFit_data();
    void amountsThatFit();
};

void TestMovementRules::composedRecord_data()
{
    QTest::addColumn<MovementCardValues>("values");
    QTest::addColumn<QString>("entrata");
    QTest::addColumn<QString>("uscita");
    QTest::addColumn<QString>("totale");
    QTest::addColumn<QString>("saldato");
    QTest::newRow("income") << card(true, false, false, " 12,50 ") << "Sì" << "No" << "+12,50" << "No";
    QTest::newRow("expense, settled") << card(false, true, true, "12,50") << "No" << "Sì" << "-12,50" << "Sì";
    // Only a damaged record leaves the two choices like this; the card stores what they show.
    QTest::newRow("neither choice") << card(false, false, false, "3,00") << "No" << "No" << "3,00" << "No";
    QTest::newRow("both choices") << card(true, true, false, "3,00") << "Sì" << "Sì" << "+3,00" << "No";
}

void TestMovementRules::composedRecord()
{
    QFETCH(MovementCardValues, values);
    QFETCH(QString, entrata);
    QFETCH(QString, uscita);
    QFETCH(QString, totale);
    QFETCH(QString, saldato);
    const TSchedaMovimento r = MovementCardRules::compose(values);
    QCOMPARE(r.Entrata, entrata);
    QCOMPARE(r.Uscita, uscita);
    QCOMPARE(r.Totale, totale);
    QCOMPARE(r.Saldato, saldato);
    QCOMPARE(r.Importo, values.texts.Importo.trimmed());
    QCOMPARE(r.Causale, QStringLiteral("Affitto"));
    QCOMPARE(r.File02, QStringLiteral("b.pdf"));
    // What is composed is what is stored and read back.
    const QByteArray bytes = RecordCodec::encode(r);
    QCOMPARE(bytes.size(), 3414);
    QCOMPARE(RecordCodec::decode<TSchedaMovimento>(bytes.constData()), r);
}

void TestMovementRules::shownRecordAndItsSwitches_data()
{
    QTest::addColumn<QString>("entrata");
    QTest::addColumn<QString>("uscita");
    QTest::addColumn<QString>("saldato");
    QTest::addColumn<bool>("income");
    QTest::addColumn<bool>("expense");
    QTest::addColumn<bool>("settled");
    // The card before showing: income chosen, settled ticked.
    QTest::newRow("an expense") << "No" << "Sì" << "No" << false << true << false;
    QTest::newRow("an income, settled") << "Sì" << "No" << "Sì" << true << false << true;
    QTest::newRow("nothing readable keeps the card's switches") << "" << "S" << "sì" << true << false << true;
    QTest::newRow("only Uscita readable") << "?" << "Sì" << "No" << true << true << false;
}

void TestMovementRules::shownRecordAndItsSwitches()
{
    QFETCH(QString, entrata);
    QFETCH(QString, uscita);
    QFETCH(QString, saldato);
    QFETCH(bool, income);
    QFETCH(bool, expense);
    QFETCH(bool, settled);

    MovementCardValues before = MovementCardRules::newCard(QDate(2014, 3, 10));
    before.saldato = true;
    before.texts.Note = QStringLiteral("typed, not saved");
    TSchedaMovimento r;
    r.Entrata = entrata;
    r.Uscita = uscita;
    r.Saldato = saldato;
    r.Causale = QStringLiteral("Stored");
    r.Totale = QStringLiteral("-7,00");
    r.Desc03 = QStringLiteral("d3");

    const MovementCardValues shown = MovementCardRules::show(r, before);
    QCOMPARE(shown.entrata, income);
    QCOMPARE(shown.uscita, expense);
    QCOMPARE(shown.saldato, settled);
    QCOMPARE(shown.texts.Causale, QStringLiteral("Stored"));
    QCOMPARE(shown.texts.Totale, QStringLiteral("-7,00"));
    QCOMPARE(shown.texts.Desc03, QStringLiteral("d3"));
    QCOMPARE(shown.texts.Data, QString());
    QCOMPARE(shown.texts.Note, QString());
}

void TestMovementRules::amountsThatFit_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("fits");
    QTest::newRow("0,00") << "0,00" << true;
    QTest::newRow("largest") << "99999999999,99" << true;
    QTest::newRow("one cent more") << "100000000000,00" << false;
    QTest::newRow("fifteen nines") << "999999999999999,00" << false;
}

void TestMovementRules::amountsThatFit()
{
    QFETCH(QString, amount);
    QFETCH(bool, fits);
    QCOMPARE(MovementCardRules::amountFits(amount), fits);
    QCOMPARE(MovementCardRules::largestAmount(), QStringLiteral("99999999999,99"));
    if (!fits)
        return;
    // A fitting amount and its signed form come back from the record unchanged.
    MovementCardValues c = MovementCardRules::newCard(QDate(2014, 1, 1));
    c.entrata = false;
    c.uscita = true;
    c.texts.Importo = amount;
    const QByteArray bytes = RecordCodec::encode(MovementCardRules::compose(c));
    const TSchedaMovimento back = RecordCodec::decode<TSchedaMovimento>(bytes.constData());
    QCOMPARE(back.Importo, amount);
    QCOMPARE(back.Totale, QLatin1Char('-') + amount);
}

QTEST_APPLESS_MAIN(TestMovementRules)
#include "tst_movement_rules.moc"
