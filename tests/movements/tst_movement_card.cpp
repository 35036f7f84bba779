// The movement card's record operations driven through the screen: the card as
// the year chooser opens it, browsing, save, duplicate, exit, and what each of
// them leaves in the year's file.
#include "MovementFixture.h"

#include <QDir>

namespace {

using Kind = MessageBoxes::Kind;

const QString kAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                       "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                       "installazione del programma.");
const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kChanged = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kNeed = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ");

constexpr int kSize = TSchedaMovimento::Size;

// The record a card filled by fillRequired() stores, dated as the scripted clock says.
TSchedaMovimento filledRecord()
{
    TSchedaMovimento r;
    r.Entrata = kYes;
    r.Uscita = kNo;
    r.Data = QStringLiteral("15/03/2024");
    r.Causale = QStringLiteral("Quota sociale");
    r.DataSca = QStringLiteral("31/03/2014");
    r.Preavviso = QStringLiteral("0");
    r.Importo = QStringLiteral("0,00");
    r.Totale = QStringLiteral("+0,00");
    r.Pagatore = QStringLiteral("Rossi Mario");
    r.Beneficiario = QStringLiteral("Associazione");
    r.Saldato = kNo;
    return r;
}

QList<TSchedaMovimento> five()
{
    QList<TSchedaMovimento> r;
    for (const char *c : {"Uno", "Due", "Tre", "Quattro", "Cinque"})
        r.append(movement(QString::fromLatin1(c), r.size() % 2 == 0));
    return r;
}

} // namespace

class TestMovementCard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openedYearShowsANewCard();
    void browseOnAYearWithoutFile_data();
    void browseOnAYearWithoutFile();
    void browseButtons_data();
    void browseButtons();
    void firstSaveAppendsAndSecondOverwrites();
    void savedAmountAndSign_data();
    void savedAmountAndSign();
    void overwriteTouchesOnlyItsRecord();
    void tenthNewCardIsTheTenthRecord();
    void tooLargeAmountOnAStoredCardWritesNothing();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void duplicateThenSaveAppends();
    void duplicateOfNewCardWarns();
    void longPaymentMethodIsShownAndSavedWhole();
    void damagedYesNoFieldsKeepTheSwitches();
    void fileFailures_data();
    void fileFailures();
    void nuovoEmptiesTheCard();
    void exitReturnsToStartMenuAndAsksTheYearAgain();
};

void TestMovementCard::openedYearShowsANewCard()
{
    MovementFixture f;
    QVERIFY(f.card->isVisible());
    QVERIFY(!f.chooser->isVisible());
    QCOMPARE(f.card->windowTitle(), QStringLiteral(" Quintara - Registrazione movimenti anno 2014"));
    QCOMPARE(f.label("lblFile")->text(), f.yearFile());
    QCOMPARE(f.field("txtData")->text(), QStringLiteral("15/03/2024"));
    QCOMPARE(f.field("txtPreavviso")->text(), QStringLiteral("0"));
    QCOMPARE(f.field("txtImporto")->text(), QStringLiteral("0,00"));
    QCOMPARE(f.label("txtTotale")->text(), QStringLiteral("+0,00"));
    QVERIFY(f.radio("optEntrata")->isChecked());
    QVERIFY(!f.radio("optUscita")->isChecked());
    QVERIFY(!f.settled()->isChecked());
    QCOMPARE(f.label("lblImporto")->text(), QStringLiteral("Importo in entrata: €"));
    QCOMPARE(f.position(), QString());
    QCOMPARE(f.focused(), f.widget("txtCausale"));
    QCOMPARE(f.label("panInfo")->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    // Opening the year looks at no file yet.
    QVERIFY(!QFile::exists(f.yearFile()));
}

void TestMovementCard::browseOnAYearWithoutFile_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("first") << "cmdPrimo";
    QTest::newRow("previous") << "cmdIndietro";
    QTest::newRow("next") << "cmdAvanti";
    QTest::newRow("last") << "cmdUltimo";
}

void TestMovementCard::browseOnAYearWithoutFile()
{
    QFETCH(QString, button);
    MovementFixture f;
    f.type("txtCausale", QStringLiteral("in corso"));
    f.click(button.toLatin1().constData());
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Information);
    QCOMPARE(f.messages().shown[0].text, kEmpty);
    QVERIFY(QFileInfo(f.yearFile()).isFile());
    QCOMPARE(QFileInfo(f.yearFile()).size(), 0);
    QCOMPARE(f.field("txtCausale")->text(), QStringLiteral("in corso"));
    QCOMPARE(f.position(), QString());
}

// Every cell of the browsing table: the file's record count, the position
// shown before the click (0 for a new card), and what the click leads to
// (-1: the archive is empty; 0 on a stored card: nothing happens).
void TestMovementCard::browseButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("positionAfter");

    QTest::newRow("first, empty file, stored card") << "cmdPrimo" << 0 << 2 << -1 << "2";
    QTest::newRow("first, new card") << "cmdPrimo" << 5 << 0 << 1 << "1";
    QTest::newRow("first, card 4") << "cmdPrimo" << 5 << 4 << 1 << "1";
    QTest::newRow("previous, empty file, card 1") << "cmdIndietro" << 0 << 1 << -1 << "1";
    QTest::newRow("previous, new card") << "cmdIndietro" << 5 << 0 << 1 << "1";
    QTest::newRow("previous, card 1") << "cmdIndietro" << 5 << 1 << 0 << "1";
    QTest::newRow("previous, card 4") << "cmdIndietro" << 5 << 4 << 3 << "3";
    QTest::newRow("next, empty file, card 3") << "cmdAvanti" << 0 << 3 << -1 << "";
    QTest::newRow("next, new card") << "cmdAvanti" << 5 << 0 << 1 << "1";
    QTest::newRow("next, card 4") << "cmdAvanti" << 5 << 4 << 5 << "5";
    QTest::newRow("next, last card") << "cmdAvanti" << 5 << 5 << 0 << "5";
    QTest::newRow("last, empty file, new card") << "cmdUltimo" << 0 << 0 << -1 << "";
    QTest::newRow("last, new card") << "cmdUltimo" << 5 << 0 << 5 << "5";
    QTest::newRow("last, card 2") << "cmdUltimo" << 5 << 2 << 5 << "5";
}

void TestMovementCard::browseButtons()
{
    QFETCH(QString, button);
    QFETCH(int, count);
    QFETCH(int, shown);
    QFETCH(int, expected);
    QFETCH(QString, positionAfter);

    MovementFixture f;
    const QList<TSchedaMovimento> records = five();
    if (shown > 0) // the card shows a stored record, as the search would put it there
        f.card->showRecord(shown, records[shown - 1]);
    f.writeYear(records.mid(0, count));
    const QByteArray before = f.bytes();
    f.field("txtNote")->setText(QStringLiteral("scritto a mano"));

    f.click(button.toLatin1().constData());

    QCOMPARE(f.position(), positionAfter);
    QCOMPARE(f.bytes(), before);
    if (expected < 0) {
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.messages().shown[0].kind, Kind::Information);
        QCOMPARE(f.messages().shown[0].text, kEmpty);
        QCOMPARE(f.field("txtNote")->text(), QStringLiteral("scritto a mano"));
        return;
    }
    QVERIFY(f.messages().shown.isEmpty());
    if (expected == 0) {
        QCOMPARE(f.field("txtNote")->text(), QStringLiteral("scritto a mano"));
        return;
    }
    const TSchedaMovimento &r = records[expected - 1];
    QCOMPARE(f.field("txtCausale")->text(), r.Causale);
    QCOMPARE(f.field("txtPagatore")->text(), r.Pagatore);
    QCOMPARE(f.field("txtNote")->text(), QString());
    QCOMPARE(f.label("txtTotale")->text(), r.Totale);
    const bool income = r.Entrata == kYes;
    QCOMPARE(f.radio("optEntrata")->isChecked(), income);
    QCOMPARE(f.radio("optUscita")->isChecked(), !income);
    QCOMPARE(f.label("lblImporto")->text(),
             income ? QStringLiteral("Importo in entrata: €") : QStringLiteral("Importo in uscita: €"));
    QCOMPARE(f.label("lblImporto")->palette().color(QPalette::WindowText),
             income ? QColor(0, 0, 0) : QColor(255, 0, 0));
}

void TestMovementCard::firstSaveAppendsAndSecondOverwrites()
{
    MovementFixture f;
    f.fillRequired();
    f.click("cmdSalva");
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Information);
    QCOMPARE(f.messages().shown[0].text, kInserted);
    QCOMPARE(f.position(), QStringLiteral("1"));
    QCOMPARE(f.bytes(), RecordCodec::encode(filledRecord()));
    QCOMPARE(f.bytes().size(), 3414);

    f.click("cmdSalva");
    QCOMPARE(f.messages().shown.size(), 2);
    QCOMPARE(f.messages().shown[1].kind, Kind::Information);
    QCOMPARE(f.messages().shown[1].text, kChanged);
    QCOMPARE(f.position(), QStringLiteral("1"));
    QCOMPARE(f.bytes(), RecordCodec::encode(filledRecord()));
}

void TestMovementCard::savedAmountAndSign_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("expense");
    QTest::addColumn<QString>("importo");
    QTest::addColumn<QString>("totale");

    QTest::newRow("income 12,50") << "12,50" << false << "12,50" << "+12,50";
    QTest::newRow("expense 12,50") << "12,50" << true << "12,50" << "-12,50";
    QTest::newRow("1234,567 rounded, expense") << "1234,567" << true << "1234,57" << "-1234,57";
    QTest::newRow("1,005 lies below the half") << "1,005" << false << "1,00" << "+1,00";
    QTest::newRow("amount left empty") << "" << false << "0,00" << "+0,00";
    QTest::newRow("only a comma") << "," << true << "0,00" << "-0,00";
    QTest::newRow("largest amount stored whole") << "99999999999,99" << true << "99999999999,99"
                                                 << "-99999999999,99";
}

void TestMovementCard::savedAmountAndSign()
{
    QFETCH(QString, typed);
    QFETCH(bool, expense);
    QFETCH(QString, importo);
    QFETCH(QString, totale);

    MovementFixture f;
    f.fillRequired();
    if (expense)
        QTest::mouseClick(f.radio("optUscita"), Qt::LeftButton);
    FieldEdit *amount = f.field("txtImporto");
    amount->setFocus(Qt::MouseFocusReason);
    amount->selectAll();
    QTest::keyClick(amount, Qt::Key_Backspace);
    typeText(amount, typed);
    // Saved straight from the amount field: the save itself normalises it.
    QCOMPARE(amount->text(), typed);
    f.click("cmdSalva");

    QCOMPARE(f.messages().lastText(), kInserted);
    QCOMPARE(amount->text(), importo);
    TSchedaMovimento expected = filledRecord();
    expected.Importo = importo;
    expected.Totale = totale;
    expected.Entrata = expense ? kNo : kYes;
    expected.Uscita = expense ? kYes : kNo;
    QCOMPARE(f.bytes(), RecordCodec::encode(expected));
}

void TestMovementCard::overwriteTouchesOnlyItsRecord()
{
    MovementFixture f;
    f.writeYear(five());
    const QByteArray before = f.bytes();
    f.click("cmdPrimo");
    f.click("cmdAvanti");
    f.click("cmdAvanti");
    QCOMPARE(f.position(), QStringLiteral("3"));
    f.type("txtNote", QStringLiteral(" pagato in contanti"));
    f.click("cmdSalva");

    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].text, kChanged);
    QCOMPARE(f.position(), QStringLiteral("3"));
    const QByteArray after = f.bytes();
    QCOMPARE(after.size(), 17070);
    QCOMPARE(after.left(6828), before.left(6828));
    QCOMPARE(after.mid(10242), before.mid(10242));
    TSchedaMovimento expected = five()[2];
    expected.Note = QStringLiteral("pagato in contanti");
    QCOMPARE(after.mid(6828, kSize), RecordCodec::encode(expected));
}

// Ten cards typed one after the other, each started with "Nuovo".
void TestMovementCard::tenthNewCardIsTheTenthRecord()
{
    MovementFixture f;
    for (int n = 1; n <= 10; ++n) {
        f.click("cmdNuovo");
        f.fillRequired(QStringLiteral("Scheda %1").arg(n));
        f.click("cmdSalva");
        QCOMPARE(f.messages().lastText(), kInserted);
        QCOMPARE(f.position(), QString::number(n));
    }
    QCOMPARE(f.messages().shown.size(), 10);
    QCOMPARE(f.bytes().size(), 34140);
    for (int n = 1; n <= 10; ++n) {
        TSchedaMovimento expected = filledRecord();
        expected.Causale = QStringLiteral("Scheda %1").arg(n);
        QCOMPARE(f.storedBytes(n), RecordCodec::encode(expected));
    }
}

// Fifteen nines typed over the amount of a stored card: the signed amount would
// lose a digit, so the save is refused and the stored card keeps its bytes.
void TestMovementCard::tooLargeAmountOnAStoredCardWritesNothing()
{
    MovementFixture f;
    f.writeYear(five());
    const QByteArray before = f.bytes();
    f.click("cmdUltimo");
    FieldEdit *amount = f.field("txtImporto");
    amount->setFocus(Qt::MouseFocusReason);
    amount->selectAll();
    QTest::keyClick(amount, Qt::Key_Backspace);
    typeText(amount, QString(16, QLatin1Char('9')));
    QCOMPARE(amount->text(), QString(15, QLatin1Char('9')));
    f.click("cmdSalva");

    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Warning);
    QCOMPARE(f.messages().shown[0].text, kNeed + QStringLiteral("un importo non superiore a 99999999999,99."));
    QCOMPARE(f.focused(), f.widget("txtImporto"));
    QCOMPARE(amount->text(), QString(15, QLatin1Char('9')) + QStringLiteral(",00"));
    QCOMPARE(f.position(), QStringLiteral("5"));
    QCOMPARE(f.bytes(), before);

    // The largest amount that fits is stored whole, its sign included.
    amount->selectAll();
    QTest::keyClick(amount, Qt::Key_Backspace);
    typeText(amount, QStringLiteral("99999999999,99"));
    f.click("cmdSalva");
    QCOMPARE(f.messages().lastText(), kChanged);
    TSchedaMovimento expected = five()[4];
    expected.Importo = QStringLiteral("99999999999,99");
    expected.Totale = QStringLiteral("+99999999999,99");
    QCOMPARE(f.storedBytes(5), RecordCodec::encode(expected));
    QCOMPARE(f.bytes().left(4 * kSize), before.left(4 * kSize));
}

void TestMovementCard::saveChecksInOrder_data()
{
    QTest::addColumn<QString>("causale");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("dataSca");
    QTest::addColumn<QString>("preavviso");
    QTest::addColumn<QString>("importo");
    QTest::addColumn<QString>("pagatore");
    QTest::addColumn<QString>("beneficiario");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    const int w = int(Kind::Warning);
    const QString d1 = QStringLiteral("Attenzione: la data %1 non esiste.\n\r\n\rPer poter salvare la scheda è "
                                      "necessario indicare una data valida nel formato gg/mm/aaaa.");
    QTest::newRow("empty causale and payer: only the causale")
        << "  " << "10/01/2014" << "31/01/2014" << "0" << "5" << "" << "Ente" << w
        << kNeed + "la causale del pagamento." << "txtCausale";
    QTest::newRow("causale filled, payer empty")
        << "Affitto" << "10/01/2014" << "31/01/2014" << "0" << "5" << " " << "Ente" << w
        << kNeed + "il nome del Pagatore." << "txtPagatore";
    QTest::newRow("no operation date") << "Affitto" << "" << "" << "" << "5" << "" << "" << w
                                       << kNeed + "la data di registrazione dell'operazione." << "txtData";
    QTest::newRow("operation date 30/02/2014") << "Affitto" << "30/02/2014" << "" << "" << "5" << "" << "" << int(Kind::Plain)
                                              << d1.arg("30/02/2014") << "txtData";
    QTest::newRow("no due date") << "Affitto" << "10/01/2014" << "" << "" << "5" << "" << "" << w
                                 << kNeed + "la data di scadenza del pagamento." << "txtDataSca";
    QTest::newRow("due date 29/02/2014") << "Affitto" << "10/01/2014" << "29/02/2014" << "" << "5" << "" << ""
                                         << int(Kind::Plain) << d1.arg("29/02/2014") << "txtDataSca";
    QTest::newRow("no days of notice")
        << "Affitto" << "10/01/2014" << "31/01/2014" << "" << "5" << "" << "" << w
        << kNeed + "il numero di giorni di preavviso della scadenza del pagamento." << "txtPreavviso";
    QTest::newRow("fifteen nines do not fit the signed amount")
        << "Affitto" << "10/01/2014" << "31/01/2014" << "0" << "999999999999999" << "" << "" << w
        << kNeed + "un importo non superiore a 99999999999,99." << "txtImporto";
    QTest::newRow("one cent over the largest amount")
        << "Affitto" << "10/01/2014" << "31/01/2014" << "0" << "100000000000" << "Rossi" << "Ente" << w
        << kNeed + "un importo non superiore a 99999999999,99." << "txtImporto";
    QTest::newRow("no beneficiary") << "Affitto" << "10/01/2014" << "31/01/2014" << "0" << "5" << "Rossi" << "" << w
                                    << kNeed + "il nome del Beneficiario." << "txtBeneficiario";
}

void TestMovementCard::saveChecksInOrder()
{
    QFETCH(QString, causale);
    QFETCH(QString, data);
    QFETCH(QString, dataSca);
    QFETCH(QString, preavviso);
    QFETCH(QString, importo);
    QFETCH(QString, pagatore);
    QFETCH(QString, beneficiario);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    MovementFixture f;
    f.field("txtCausale")->setText(causale);
    f.field("txtData")->setText(data);
    f.field("txtDataSca")->setText(dataSca);
    f.field("txtPreavviso")->setText(preavviso);
    f.field("txtImporto")->setText(importo);
    f.field("txtPagatore")->setText(pagatore);
    f.field("txtBeneficiario")->setText(beneficiario);
    f.field("txtNote")->setFocus();
    f.click("cmdSalva");

    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(int(f.messages().shown[0].kind), kind);
    QCOMPARE(f.messages().shown[0].text, message);
    QCOMPARE(f.focused(), f.widget(focus.toLatin1().constData()));
    QCOMPARE(f.position(), QString());
    QVERIFY(!QFile::exists(f.yearFile()));
}

void TestMovementCard::duplicateThenSaveAppends()
{
    MovementFixture f;
    QList<TSchedaMovimento> records = five();
    TSchedaMovimento &third = records[2];
    third.Saldato = kYes;
    third.File01 = QStringLiteral("fattura.pdf");
    third.Desc02 = QStringLiteral("ricevuta");
    third.Promemoria = QStringLiteral("rata di marzo");
    third.Ricevuta = QStringLiteral("CRO 123");
    third.Tariffa = QStringLiteral("ridotta");
    f.writeYear(records);
    const QByteArray before = f.bytes();

    f.click("cmdUltimo");
    f.click("cmdIndietro");
    f.click("cmdIndietro");
    QCOMPARE(f.position(), QStringLiteral("3"));
    QVERIFY(f.settled()->isChecked());
    f.field("txtNote")->setFocus();
    f.click("cmdDuplica");

    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Information);
    QCOMPARE(f.messages().shown[0].text,
             QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine "
                            "premere Salva per inserire la scheda in archivio."));
    QCOMPARE(f.position(), QString());
    QCOMPARE(f.focused(), f.widget("txtCausale"));
    QCOMPARE(f.field("txtData")->text(), QStringLiteral("15/03/2024"));
    QCOMPARE(f.field("txtDataSca")->text(), QString());
    QVERIFY(!f.settled()->isChecked());
    QCOMPARE(f.label("lblFile01")->text(), QString());
    QCOMPARE(f.label("lblDesc02")->text(), QString());
    QCOMPARE(f.field("txtCausale")->text(), QStringLiteral("Tre"));
    QCOMPARE(f.bytes(), before);

    // Saved at once: the duplicate has no due date.
    f.click("cmdSalva");
    QCOMPARE(f.messages().lastText(), kNeed + QStringLiteral("la data di scadenza del pagamento."));
    QCOMPARE(f.bytes(), before);

    f.field("txtDataSca")->setText(QStringLiteral("30/04/2014"));
    f.click("cmdSalva");
    QCOMPARE(f.messages().lastText(), kInserted);
    QCOMPARE(f.position(), QStringLiteral("6"));
    QCOMPARE(f.bytes().size(), 6 * kSize);
    QCOMPARE(f.bytes().left(5 * kSize), before);
    TSchedaMovimento expected = third;
    expected.Data = QStringLiteral("15/03/2024");
    expected.DataSca = QStringLiteral("30/04/2014");
    expected.Saldato = kNo;
    expected.File01.clear();
    expected.Desc02.clear();
    QCOMPARE(f.storedBytes(6), RecordCodec::encode(expected));
}

void TestMovementCard::duplicateOfNewCardWarns()
{
    MovementFixture f;
    f.type("txtCausale", QStringLiteral("Nuova"));
    f.label("lblFile02")->setText(QStringLiteral("doc.pdf"));
    f.click("cmdDuplica");
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Warning);
    QCOMPARE(f.messages().shown[0].text,
             QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è "
                            "stata inserita in archivio."));
    QCOMPARE(f.field("txtCausale")->text(), QStringLiteral("Nuova"));
    QCOMPARE(f.label("lblFile02")->text(), QStringLiteral("doc.pdf"));
    QCOMPARE(f.field("txtData")->text(), QStringLiteral("15/03/2024"));
    QVERIFY(!QFile::exists(f.yearFile()));
}

// The payment method takes 150 typed characters while its field holds 250: a
// longer stored text is shown and stored again whole.
void TestMovementCard::longPaymentMethodIsShownAndSavedWhole()
{
    MovementFixture f;
    TSchedaMovimento r = movement(QStringLiteral("Bonifico"));
    r.Pagamento = QString(240, QLatin1Char('b')) + QStringLiteral(" fine");
    QCOMPARE(r.Pagamento.size(), 245);
    f.writeYear({r});
    const QByteArray before = f.bytes();
    f.click("cmdPrimo");
    QCOMPARE(f.field("txtPagamento")->text(), r.Pagamento);
    f.click("cmdSalva");
    QCOMPARE(f.messages().lastText(), kChanged);
    QCOMPARE(f.bytes(), before);

    // Typing stops at 150 characters.
    f.click("cmdNuovo");
    f.type("txtPagamento", QString(160, QLatin1Char('x')));
    QCOMPARE(f.field("txtPagamento")->text(), QString(150, QLatin1Char('x')));
}

// A record from a damaged or foreign file: yes/no fields holding other texts
// leave the switches as they were, and saving writes what the switches show.
void TestMovementCard::damagedYesNoFieldsKeepTheSwitches()
{
    MovementFixture f;
    TSchedaMovimento odd = movement(QStringLiteral("Strana"));
    odd.Entrata = QStringLiteral("S");
    odd.Uscita = QStringLiteral("??");
    odd.Saldato = QStringLiteral("si");
    f.writeYear({movement(QStringLiteral("Uscita"), false), odd});
    f.click("cmdPrimo");
    f.settled()->setChecked(true);
    f.click("cmdAvanti");
    QCOMPARE(f.field("txtCausale")->text(), QStringLiteral("Strana"));
    QVERIFY(!f.radio("optEntrata")->isChecked());
    QVERIFY(f.radio("optUscita")->isChecked());
    QVERIFY(f.settled()->isChecked());
    QCOMPARE(f.label("lblImporto")->text(), QStringLiteral("Importo in uscita: €"));
    f.click("cmdSalva");
    const TSchedaMovimento stored = f.storedRecord(2);
    QCOMPARE(stored.Entrata, kNo);
    QCOMPARE(stored.Uscita, kYes);
    QCOMPARE(stored.Saldato, kYes);
    QCOMPARE(stored.Totale, QStringLiteral("-40,00"));
}

void TestMovementCard::fileFailures_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("kind");
    QTest::newRow("browse") << "cmdPrimo" << int(Kind::Error);
    QTest::newRow("save") << "cmdSalva" << int(Kind::Error);
    QTest::newRow("duplicate") << "cmdDuplica" << int(Kind::Warning);
}

// The year's file cannot be opened: a folder lies in its place.
void TestMovementCard::fileFailures()
{
    QFETCH(QString, button);
    QFETCH(int, kind);
    MovementFixture f;
    const QList<TSchedaMovimento> records = five();
    f.card->showRecord(2, records[1]);
    QVERIFY(QDir().mkdir(f.yearFile()));
    const MovementCardValues shown = f.card->values();

    f.click(button.toLatin1().constData());
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(int(f.messages().shown[0].kind), kind);
    QCOMPARE(f.messages().shown[0].text, kAccess);
    QVERIFY(QFileInfo(f.yearFile()).isDir());
    if (button == QLatin1String("cmdDuplica")) {
        // The card had become a new card before the file was tried.
        QCOMPARE(f.position(), QString());
    } else {
        QCOMPARE(f.position(), QStringLiteral("2"));
        QVERIFY(f.card->values() == shown);
    }
}

void TestMovementCard::nuovoEmptiesTheCard()
{
    MovementFixture f;
    TSchedaMovimento r = movement(QStringLiteral("Piena"), false);
    r.Saldato = kYes;
    r.File03 = QStringLiteral("c.pdf");
    r.Email = QStringLiteral("a@b.it");
    f.writeYear({r});
    f.click("cmdPrimo");
    f.field("txtNote")->setFocus();
    f.click("cmdNuovo");
    QVERIFY(f.card->values() == MovementCardRules::newCard(QDate(2024, 3, 15)));
    QCOMPARE(f.position(), QString());
    QCOMPARE(f.label("lblImporto")->text(), QStringLiteral("Importo in entrata: €"));
    QCOMPARE(f.focused(), f.widget("txtCausale"));
    QVERIFY(f.messages().shown.isEmpty());
}

void TestMovementCard::exitReturnsToStartMenuAndAsksTheYearAgain()
{
    MovementFixture f;
    f.type("txtCausale", QStringLiteral("non salvata"));
    f.click("cmdEsci");
    QVERIFY(f.app.screens->avvio()->isVisible());
    QVERIFY(!f.card->isVisible());
    QVERIFY(!f.chooser->isVisible());

    f.openChooser();
    QVERIFY(f.chooser->isVisible());
    QCOMPARE(control<FieldEdit>(f.chooser, "txtAnnoPreventivi")->text(), QStringLiteral("2024"));
    QCOMPARE(control<QLabel>(f.chooser, "lblMemory")->text(), QStringLiteral("avvio"));

    // The window's close box does the same as the exit button.
    QTest::mouseClick(control<QPushButton>(f.chooser, "btnApriPreventivi"), Qt::LeftButton);
    MovementFixture::settle(f.card);
    QCOMPARE(f.field("txtCausale")->text(), QString());
    QCOMPARE(f.card->windowTitle(), QStringLiteral(" Quintara - Registrazione movimenti anno 2024"));
    f.card->close();
    QVERIFY(f.app.screens->avvio()->isVisible());
    QVERIFY(!f.card->isVisible());
}

QTEST_MAIN(TestMovementCard)
#include "tst_movement_card.moc"
