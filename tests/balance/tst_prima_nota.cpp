#include "support/TestPlatform.h"

#include "balance/BalanceFixtures.h"
#include "balance/PrimaNota.h"
#include "common/TextRules.h"
#include "balance/ui/TfrmBilancio.h"
#include "balance/ui/TfrmMenuBilancio.h"
#include "balance/ui/PickCombo.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmPassword.h"
#include "common/ui/TfrmGuida.h"
#include "support/ShownRows.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

using BalanceFixtures::movement;

namespace {

const QString kPlaceholder = QStringLiteral("Dal gg/mm/aaaa al gg/mm/aaaa");

PrimaNota::Request request(const QString &filter, const QString &from, const QString &to,
                           const QString &year = QStringLiteral("2014"))
{
    return {filter, from, to, BalanceFixtures::yearFile(year)};
}

QList<qint64> positions(const PrimaNota::Result &r)
{
    QList<qint64> out;
    for (const ListRow &row : r.rows)
        out.append(row.position);
    return out;
}

} // namespace

class TestPrimaNota : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listing_data();
    void listing();
    void rowColumns_data();
    void rowColumns();
    void stops_data();
    void stops();
    void yearWithoutFileIsCreatedEmpty();
    void twoDecimalForm_data();
    void twoDecimalForm();

    void screenShowsTheListAndTotals();
    void screenStopsOnAnUnreadableMovement();
    void screenCannotOpenTheYear();
    void screenNeverShowsAnEndlessTotal_data();
    void screenNeverShowsAnEndlessTotal();
    void findKeyLastsFromOneListToTheNext();
    void helpPage();

private:
    // Logs in, opens the period chooser and asks for the interval; handler runs
    // on the list screen while it is shown.
    void showList(TestApp &app, const QString &filter, const QString &startDay, const QString &startMonth,
                  const QString &endDay, const QString &endMonth,
                  const std::function<void(TfrmBilancio *)> &handler);
};

void TestPrimaNota::listing_data()
{
    QTest::addColumn<QStringList>("movements");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QList<qint64>>("listed");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("expense");
    QTest::addColumn<QString>("balance");

    const QStringList year{
        "Quota associativa|01/03/2014|+100,00", "QUOTA 2014|31/03/2014|+25,50", "Rimborso spese|15/03/2014|-30,00",
        "Offerta è libera|01/04/2014|+10,00",    "Cancelleria|28/02/2014|-5,50", "Saldo quota aprile|30/04/2014|-20,00",
    };
    QTest::newRow("March, both bounds inclusive")
        << year << "" << "01/03/2014" << "31/03/2014" << QList<qint64>{1, 2, 3} << "- - -"
        << "125,50 €" << "-30,00 €" << "95,50 €";
    QTest::newRow("blank filter lists all") << year << "   " << "01/03/2014" << "31/03/2014"
                                            << QList<qint64>{1, 2, 3} << "- - -" << "125,50 €" << "-30,00 €"
                                            << "95,50 €";
    QTest::newRow("quota, case of A-Z ignored")
        << year << "quota" << "01/01/2014" << "31/12/2014" << QList<qint64>{1, 2, 6} << "quota" << "125,50 €"
        << "-20,00 €" << "105,50 €";
    QTest::newRow("leading blank belongs to the filter")
        << year << " quota" << "01/01/2014" << "31/12/2014" << QList<qint64>{6} << "quota" << "0,00 €"
        << "-20,00 €" << "-20,00 €";
    QTest::newRow("È does not match è") << year << "È" << "01/01/2014" << "31/12/2014" << QList<qint64>{}
                                       << "È" << "0,00 €" << "0,00 €" << "0,00 €";
    QTest::newRow("è matches è") << year << "è LIB" << "01/01/2014" << "31/12/2014" << QList<qint64>{4}
                                << "è LIB" << "10,00 €" << "0,00 €" << "10,00 €";
    QTest::newRow("single day") << year << "" << "15/03/2014" << "15/03/2014" << QList<qint64>{3} << "- - -"
                                << "0,00 €" << "-30,00 €" << "-30,00 €";
    QTest::newRow("day before and after the interval")
        << year << "" << "01/03/2014" << "30/03/2014" << QList<qint64>{1, 3} << "- - -" << "100,00 €"
        << "-30,00 €" << "70,00 €";
    QTest::newRow("only expenses") << QStringList{"Affitto sala|10/05/2014|-20,00", "Cancelleria|11/05/2014|-5,50"}
                                   << "" << "01/05/2014" << "31/05/2014" << QList<qint64>{1, 2} << "- - -"
                                   << "0,00 €" << "-25,50 €" << "-25,50 €";
    QTest::newRow("0,1 + 0,2 in double precision")
        << QStringList{"Offerta|10/05/2014|+0,10", "Offerta|11/05/2014|+0,20"} << "" << "01/05/2014"
        << "31/05/2014" << QList<qint64>{1, 2} << "- - -" << "0,30 €" << "0,00 €" << "0,30 €";
    // Many additions leave binary drift in the last of 15 digits; amounts of two
    // decimals add up to a total of two decimals.
    QStringList cents;
    for (int i = 0; i < 28; ++i)
        cents.append(QStringLiteral("Offerta|%1/05/2014|+0,03").arg(i + 1, 2, 10, QLatin1Char('0')));
    QTest::newRow("28 times 0,03") << cents << "" << "01/05/2014" << "31/05/2014" << [] {
        QList<qint64> all;
        for (qint64 p = 1; p <= 28; ++p)
            all.append(p);
        return all;
    }() << "- - -" << "0,84 €" << "0,00 €" << "0,84 €";
    QStringList tenths;
    for (int i = 0; i < 60; ++i)
        tenths.append(QStringLiteral("Spesa|%1/05/2014|-0,1").arg(i % 31 + 1, 2, 10, QLatin1Char('0')));
    QList<qint64> sixty;
    for (qint64 p = 1; p <= 60; ++p)
        sixty.append(p);
    QTest::newRow("60 times -0,1") << tenths << "" << "01/05/2014" << "31/05/2014" << sixty << "- - -"
                                   << "0,00 €" << "-6,00 €" << "-6,00 €";
    QTest::newRow("more than two decimals are not rounded")
        << QStringList{"Interessi|10/05/2014|+0,125"} << "" << "01/05/2014" << "31/05/2014" << QList<qint64>{1}
        << "- - -" << "0,125 €" << "0,00 €" << "0,125 €";
    QTest::newRow("amount without sign counts in the balance only")
        << QStringList{"Quota|10/05/2014|+10,00", "Giroconto|11/05/2014|5,00"} << "" << "01/05/2014"
        << "31/05/2014" << QList<qint64>{1, 2} << "- - -" << "10,00 €" << "0,00 €" << "15,00 €";
    QTest::newRow("empty year") << QStringList{} << "" << "01/01/2014" << "31/12/2014" << QList<qint64>{}
                                << "- - -" << "0,00 €" << "0,00 €" << "0,00 €";
}

void TestPrimaNota::listing()
{
    QFETCH(QStringList, movements);
    QFETCH(QString, filter);
    QFETCH(QString, from);
    QFETCH(QString, to);
    TestPlatform platform;
    BalanceFixtures::write(QStringLiteral("2014"), BalanceFixtures::parse(movements));
    const PrimaNota::Result r = PrimaNota::list(request(filter, from, to));
    QVERIFY(r.complete());
    QTEST(positions(r), "listed");
    QTEST(r.heading, "heading");
    QTEST(r.income, "income");
    QTEST(r.expense, "expense");
    QTEST(r.balance, "balance");
    QCOMPARE(r.interval, QStringLiteral("Dal   ") + from + QStringLiteral("   al   ") + to);
    // Each row names its own movement's reason.
    const QList<TSchedaMovimento> all = BalanceFixtures::parse(movements);
    for (const ListRow &row : r.rows)
        QCOMPARE(row.text.mid(9, 40).trimmed(), all.at(row.position - 1).Causale.left(40));
}

void TestPrimaNota::rowColumns_data()
{
    QTest::addColumn<QString>("causale");
    QTest::addColumn<QString>("pagatore");
    QTest::addColumn<QString>("beneficiario");
    QTest::addColumn<QString>("totale");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("shownCausale");
    QTest::addColumn<QString>("shownPagatore");
    QTest::addColumn<QString>("shownBeneficiario");
    const QString longReason = QStringLiteral("Quota associativa annuale ordinaria del Socio fondatore");
    const QString longName = QStringLiteral("Associazione Sportiva Dilettantistica Quintara");
    QTest::newRow("short texts") << "Quota" << "Rossi Mario" << "Associazione" << "+50,00"
                                 << "ENTRATA  " << "Quota" << "Rossi Mario" << "Associazione";
    QTest::newRow("long texts are cut") << longReason << longName << longName << "-12,30"
                                        << "USCITA   " << longReason.left(40) << longName.left(28)
                                        << longName.left(28);
    QTest::newRow("empty names") << "Giroconto" << "" << "" << "7,00" << "         " << "Giroconto" << "" << "";
}

void TestPrimaNota::rowColumns()
{
    QFETCH(QString, causale);
    QFETCH(QString, pagatore);
    QFETCH(QString, beneficiario);
    QFETCH(QString, totale);
    TestPlatform platform;
    BalanceFixtures::write(QStringLiteral("2014"), {movement(causale, QStringLiteral("05/06/2014"), totale,
                                                             pagatore, beneficiario)});
    const PrimaNota::Result r = PrimaNota::list(request({}, QStringLiteral("01/01/2014"), QStringLiteral("31/12/2014")));
    QCOMPARE(r.rows.size(), 1);
    const QString row = r.rows.first().text;
    // 1-based columns: kind 1, reason 10, "  Data: " 50, date 58, payer 74, beneficiary 107, amount 146.
    QFETCH(QString, shownCausale);
    QTEST(row.left(9), "kind");
    QCOMPARE(row.mid(9, 40), TextRules::fit(shownCausale, 40));
    QCOMPARE(row.mid(49, 8), QStringLiteral("  Data: "));
    QCOMPARE(row.mid(57, 10), QStringLiteral("05/06/2014"));
    QCOMPARE(row.mid(67, 6), QStringLiteral("  Da: "));
    QTEST(row.mid(73, 28).trimmed(), "shownPagatore");
    QCOMPARE(row.mid(101, 5), QStringLiteral("  A: "));
    QTEST(row.mid(106, 28).trimmed(), "shownBeneficiario");
    QCOMPARE(row.mid(134, 11), QStringLiteral("  Importo: "));
    QCOMPARE(row.mid(145), totale);
}

void TestPrimaNota::stops_data()
{
    QTest::addColumn<QStringList>("movements");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<qint64>>("listed");
    QTest::addColumn<int>("stop");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<QString>("warning");

    const QString fix = QStringLiteral("\n\r\n\rCorreggere ");
    QTest::newRow("impossible date") << QStringList{"Quota|01/03/2014|+10,00", "Quota|31/02/2014|+10,00",
                                                    "Quota|02/03/2014|+10,00"}
                                     << "" << QList<qint64>{1} << int(PrimaNota::Stop::BadDate) << qint64(2)
                                     << "Attenzione: il movimento n. 2 dell'archivio 2014.eur ha una data "
                                        "dell'operazione che non è possibile leggere (\"31/02/2014\"), per cui il "
                                        "riepilogo si ferma prima di esso e i totali non sono stati calcolati."
                                            + fix
                                            + "la data nella scheda del movimento e visualizzare di nuovo il "
                                              "riepilogo.";
    QTest::newRow("empty date") << QStringList{"Quota|01/03/2014|+10,00", "Quota||+10,00"} << ""
                                << QList<qint64>{1} << int(PrimaNota::Stop::BadDate) << qint64(2)
                                << "Attenzione: il movimento n. 2 dell'archivio 2014.eur ha una data "
                                   "dell'operazione che non è possibile leggere (nessuna data), per cui il "
                                   "riepilogo si ferma prima di esso e i totali non sono stati calcolati."
                                       + fix
                                       + "la data nella scheda del movimento e visualizzare di nuovo il riepilogo.";
    // The movement whose amount cannot be read keeps its row, where the user can find it.
    QTest::newRow("amount with a thousands point")
        << QStringList{"Quota|01/03/2014|+10,00", "Contributo|02/03/2014|+1.250,00", "Quota|03/03/2014|+10,00"}
        << "" << QList<qint64>{1, 2} << int(PrimaNota::Stop::BadAmount) << qint64(2)
        << "Attenzione: il movimento n. 2 dell'archivio 2014.eur ha un importo che non è possibile leggere "
           "(\"+1.250,00\"), per cui il riepilogo si ferma a questo movimento e i totali non sono stati calcolati."
               + fix + "l'importo nella scheda del movimento e visualizzare di nuovo il riepilogo.";
    QTest::newRow("empty amount") << QStringList{"Quota|01/03/2014|"} << "" << QList<qint64>{1}
                                  << int(PrimaNota::Stop::BadAmount) << qint64(1)
                                  << "Attenzione: il movimento n. 1 dell'archivio 2014.eur ha un importo che non è "
                                     "possibile leggere (nessun importo), per cui il riepilogo si ferma a questo "
                                     "movimento e i totali non sono stati calcolati."
                                         + fix
                                         + "l'importo nella scheda del movimento e visualizzare di nuovo il "
                                           "riepilogo.";
    // An amount is a sign, digits and one comma: an exponent is not read as a number,
    // however close to a real amount it looks.
    const auto unreadable = [&fix](int position, const char *amount) {
        return QStringLiteral("Attenzione: il movimento n. %1 dell'archivio 2014.eur ha un importo che non è "
                              "possibile leggere (\"%2\"), per cui il riepilogo si ferma a questo movimento e i "
                              "totali non sono stati calcolati.")
                   .arg(position)
                   .arg(QLatin1String(amount))
            + fix + "l'importo nella scheda del movimento e visualizzare di nuovo il riepilogo.";
    };
    QTest::newRow("amount with an exponent")
        << QStringList{"Quota|01/03/2014|+10,00", "Quota|02/03/2014|+1e3", "Quota|03/03/2014|+10,00"} << ""
        << QList<qint64>{1, 2} << int(PrimaNota::Stop::BadAmount) << qint64(2) << unreadable(2, "+1e3");
    QTest::newRow("capital exponent with a comma")
        << QStringList{"Spesa|02/03/2014|-2,5E2"} << "" << QList<qint64>{1} << int(PrimaNota::Stop::BadAmount)
        << qint64(1) << unreadable(1, "-2,5E2");
    QTest::newRow("two amounts near the largest number")
        << QStringList{"Quota|01/03/2014|+1e308", "Quota|02/03/2014|+1e308"} << "" << QList<qint64>{1}
        << int(PrimaNota::Stop::BadAmount) << qint64(1) << unreadable(1, "+1e308");
    QTest::newRow("two signs") << QStringList{"Quota|01/03/2014|+-5,00"} << "" << QList<qint64>{1}
                               << int(PrimaNota::Stop::BadAmount) << qint64(1) << unreadable(1, "+-5,00");
    // A sum the general format would write with an exponent is written out in full.
    QTest::newRow("an amount of a thousand-billionth")
        << QStringList{"Arrotondamento|04/03/2014|+0,000000000001"} << "" << QList<qint64>{1}
        << int(PrimaNota::Stop::None) << qint64(0) << "";
    // Eleven of the largest amounts Totale can hold make a sum of sixteen digits,
    // which the totals cannot write; ten still fit.
    const QStringList largest = QStringList(11, QStringLiteral("Quota|05/03/2014|+99999999999999"));
    QTest::newRow("totals of sixteen digits")
        << largest << "" << QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11} << int(PrimaNota::Stop::TooLarge)
        << qint64(0)
        << "Attenzione: la somma degli importi dei movimenti elencati supera il valore più grande che il "
           "riepilogo può mostrare, per cui i totali non sono stati calcolati.\n\r\n\rControllare gli importi "
           "nelle schede dei movimenti dell'archivio 2014.eur.";
    QTest::newRow("totals of fifteen digits")
        << largest.mid(1) << "" << QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << int(PrimaNota::Stop::None)
        << qint64(0) << "";
    // Only what is needed is read: a date behind the filter, an amount outside the interval.
    QTest::newRow("bad date left out by the filter")
        << QStringList{"Quota|01/03/2014|+10,00", "Rimborso|31/02/2014|-1,00"} << "quota" << QList<qint64>{1}
        << int(PrimaNota::Stop::None) << qint64(0) << "";
    QTest::newRow("bad amount outside the interval")
        << QStringList{"Quota|01/03/2014|+10,00", "Quota|01/05/2014|+1.0"} << "" << QList<qint64>{1}
        << int(PrimaNota::Stop::None) << qint64(0) << "";
}

void TestPrimaNota::stops()
{
    QFETCH(QStringList, movements);
    QFETCH(QString, filter);
    QFETCH(int, stop);
    QFETCH(QString, warning);
    TestPlatform platform;
    BalanceFixtures::write(QStringLiteral("2014"), BalanceFixtures::parse(movements));
    const PrimaNota::Result r =
        PrimaNota::list(request(filter, QStringLiteral("01/03/2014"), QStringLiteral("31/03/2014")));
    QTEST(positions(r), "listed");
    QCOMPARE(int(r.stop), stop);
    QCOMPARE(PrimaNota::stopWarning(r, QStringLiteral("2014.eur")), warning);
    if (r.complete()) {
        // Every total shown is a plain number: digits, a comma, the euro sign.
        static const QRegularExpression plain(QStringLiteral("^-?[0-9]{1,15},[0-9]+ €$"));
        for (const QString &total : {r.income, r.expense, r.balance})
            QVERIFY2(plain.match(total).hasMatch(), qPrintable(total));
        return;
    }
    QTEST(r.stopPosition, "position");
    // Nothing that looks like a total of the whole interval.
    for (const QString &total : {r.income, r.expense, r.balance})
        QCOMPARE(total, QStringLiteral("non calcolato"));
    QVERIFY(r.interval.isEmpty());
}

void TestPrimaNota::yearWithoutFileIsCreatedEmpty()
{
    TestPlatform platform;
    const QString path = BalanceFixtures::yearFile(QStringLiteral("2031"));
    QVERIFY(!QFileInfo::exists(path));
    const PrimaNota::Result r =
        PrimaNota::list(request({}, QStringLiteral("01/01/2031"), QStringLiteral("31/12/2031"), QStringLiteral("2031")));
    QVERIFY(r.complete());
    QVERIFY(r.rows.isEmpty());
    QCOMPARE(r.balance, QStringLiteral("0,00 €"));
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestPrimaNota::twoDecimalForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("one decimal") << "75,5" << "75,50";
    QTest::newRow("whole negative") << "-20" << "-20,00";
    QTest::newRow("two decimals") << "0,25" << "0,25";
    QTest::newRow("design text") << "0,00" << "0,00";
    QTest::newRow("three decimals kept") << "1,125" << "1,125";
    QTest::newRow("comma alone") << "," << "0,00";
    QTest::newRow("leading comma") << ",5" << "0,50";
    QTest::newRow("trailing comma") << "12," << "12,00";
}

void TestPrimaNota::twoDecimalForm()
{
    QFETCH(QString, text);
    QTEST(PrimaNota::twoDecimalForm(text), "shown");
}

// ---- through the screens ---------------------------------------------------------

void TestPrimaNota::showList(TestApp &app, const QString &filter, const QString &startDay,
                             const QString &startMonth, const QString &endDay, const QString &endMonth,
                             const std::function<void(TfrmBilancio *)> &handler)
{
    if (!app.screens->menuBilancio()->isVisible()) {
        writeFirstAccessPassword(app.platform.file(QStringLiteral("unins000.dll")));
        auto *login = app.screens->password();
        QTest::keyClicks(login->txtPassword, QStringLiteral("benvenutissimo"));
        QTest::mouseClick(login->cmdOK, Qt::LeftButton);
        QTest::mouseClick(control<PictureButton>(app.screens->avvio(), "imgBilancio"), Qt::LeftButton);
    }
    TfrmMenuBilancio *chooser = app.screens->menuBilancio();
    QVERIFY(chooser->isVisible());
    chooser->txtAnno->selectAll();
    QTest::keyClicks(chooser->txtAnno, QStringLiteral("2014"));
    chooser->txtTipologia->clear();
    typeText(chooser->txtTipologia, filter);
    const auto choose = [](PickCombo *combo, const QString &item) { combo->setCurrentIndex(combo->findText(item)); };
    choose(chooser->txtGiornoInizio, startDay);
    choose(chooser->txtMeseInizio, startMonth);
    choose(chooser->txtGiornoFine, endDay);
    choose(chooser->txtMeseFine, endMonth);
    app.platform.modal.handlers.append([&](QDialog *d) {
        auto *list = qobject_cast<TfrmBilancio *>(d);
        QVERIFY(list);
        handler(list);
    });
    const qsizetype before = app.platform.modal.opened.size();
    QTest::mouseClick(chooser->btnVisualizza, Qt::LeftButton);
    QVERIFY(app.platform.modal.opened.size() > before);
    QCOMPARE(app.platform.modal.opened.at(before), QStringLiteral("TfrmBilancio"));
    // Closing the list hides the chooser's waiting notice.
    QVERIFY(!chooser->lblAttendere->isVisible());
}

void TestPrimaNota::screenShowsTheListAndTotals()
{
    TestApp app;
    BalanceFixtures::write(QStringLiteral("2014"),
                           BalanceFixtures::parse({"Quota associativa|01/03/2014|+100,00",
                                                   "Cancelleria|28/02/2014|-5,50", "QUOTA 2014|31/03/2014|+25,50",
                                                   "Rimborso spese|15/03/2014|-30,00"}));
    bool checked = false;
    showList(app, QString(), QStringLiteral("01"), QStringLiteral("Marzo"), QStringLiteral("31"),
             QStringLiteral("Marzo"), [&](TfrmBilancio *d) {
                 QCOMPARE(d->windowTitle(), QStringLiteral(" Quintara - Primanota e Bilancio"));
                 QVERIFY(d->isMaximized());
                 // The waiting notice stays up under the list until it closes.
                 QVERIFY(app.screens->menuBilancio()->lblAttendere->isVisible());
                 QCOMPARE(d->titTipologia->text(), QStringLiteral("- - -"));
                 QCOMPARE(d->lblTipologia->text(), QStringLiteral("PRIMANOTA E BILANCIO - Causale :"));
                 QCOMPARE(d->lblIntervallo->text(), QStringLiteral("Dal   01/03/2014   al   31/03/2014"));
                 const QStringList rows = BalanceFixtures::rows(d->lstRecords);
                 QCOMPARE(rows.size(), 3);
                 QVERIFY(rows[0].startsWith(QStringLiteral("ENTRATA  Quota associativa")));
                 QVERIFY(rows[1].startsWith(QStringLiteral("ENTRATA  QUOTA 2014")));
                 QVERIFY(rows[2].startsWith(QStringLiteral("USCITA   Rimborso spese")));
                 QVERIFY(rows[2].endsWith(QStringLiteral("  Importo: -30,00")));
                 QCOMPARE(d->lblTotEntrate->text(), QStringLiteral("125,50 €"));
                 QCOMPARE(d->lblTotUscite->text(), QStringLiteral("-30,00 €"));
                 QCOMPARE(d->lblBilancio->text(), QStringLiteral("95,50 €"));
                 QCOMPARE(d->lstRecords->font().family(), QStringLiteral("Courier New"));
                 QCOMPARE(d->lstRecords->font().pointSize(), 12);
                 QVERIFY(ShownRows::place(d->lstRecords, 0).width() >= 1600);
                 QCoreApplication::processEvents();
                 QVERIFY(d->lstRecords->horizontalScrollBar()->isVisible());
                 d->activateWindow();
                 if (QTest::qWaitForWindowActive(d))
                     QVERIFY(d->txtTrova->hasFocus());
                 QVERIFY(app.platform.messages.shown.isEmpty());
                 // "Esci" closes the list and empties it.
                 QTest::mouseClick(d->btnEsci, Qt::LeftButton);
                 QVERIFY(!d->isVisible());
                 QCOMPARE(ShownRows::count(d->lstRecords), 0);
                 checked = true;
             });
    QVERIFY(checked);
    // The chooser keeps what was asked.
    TfrmMenuBilancio *chooser = app.screens->menuBilancio();
    QCOMPARE(chooser->txtAnno->text(), QStringLiteral("2014"));
    QCOMPARE(chooser->txtGiornoFine->currentText(), QStringLiteral("31"));
    QCOMPARE(chooser->txtMeseInizio->currentText(), QStringLiteral("Marzo"));
}

void TestPrimaNota::screenStopsOnAnUnreadableMovement()
{
    TestApp app;
    BalanceFixtures::write(QStringLiteral("2014"),
                           BalanceFixtures::parse({"Quota associativa|01/03/2014|+100,00",
                                                   "Contributo|02/03/2014|+1.250,00", "Quota|03/03/2014|+10,00"}));
    bool checked = false;
    showList(app, QStringLiteral("o"), QStringLiteral("01"), QStringLiteral("Marzo"), QStringLiteral("31"),
             QStringLiteral("Marzo"), [&](TfrmBilancio *d) {
                 QCOMPARE(app.platform.messages.shown.size(), 1);
                 QCOMPARE(app.platform.messages.shown.first().kind, MessageBoxes::Kind::Warning);
                 QVERIFY(app.platform.messages.lastText().startsWith(
                     QStringLiteral("Attenzione: il movimento n. 2 dell'archivio 2014.eur ha un importo")));
                 QCOMPARE(BalanceFixtures::rows(d->lstRecords).size(), 2);
                 for (QLabel *total : {d->lblTotEntrate, d->lblTotUscite, d->lblBilancio})
                     QCOMPARE(total->text(), QStringLiteral("non calcolato"));
                 QCOMPARE(d->lblIntervallo->text(), kPlaceholder);
                 QCOMPARE(d->titTipologia->text(), QStringLiteral("o"));
                 // The screen stays usable.
                 QVERIFY(d->isVisible());
                 checked = true;
             });
    QVERIFY(checked);
}

void TestPrimaNota::screenCannotOpenTheYear()
{
    TestApp app;
    // A folder where the year's file should be: it can be neither opened nor created.
    QVERIFY(QDir().mkpath(BalanceFixtures::yearFile(QStringLiteral("2014"))));
    bool checked = false;
    showList(app, QString(), QStringLiteral("01"), QStringLiteral("Gennaio"), QStringLiteral("31"),
             QStringLiteral("Dicembre"), [&](TfrmBilancio *d) {
                 QCOMPARE(app.platform.messages.shown.size(), 1);
                 QCOMPARE(app.platform.messages.lastText(),
                          QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio 2014.eur, per "
                                         "cui il riepilogo non può essere compilato.\n\r\n\rAccertarsi di "
                                         "possedere i privilegi di scrittura nella cartella di installazione del "
                                         "programma."));
                 QCOMPARE(ShownRows::count(d->lstRecords), 0);
                 QCOMPARE(d->lblBilancio->text(), QStringLiteral("non calcolato"));
                 checked = true;
             });
    QVERIFY(checked);
    QVERIFY(QFileInfo(BalanceFixtures::yearFile(QStringLiteral("2014"))).isDir());
}

void TestPrimaNota::screenNeverShowsAnEndlessTotal_data()
{
    QTest::addColumn<QStringList>("movements");
    QTest::addColumn<QString>("warningStart");
    QTest::newRow("two amounts of 1e308")
        << QStringList{"Quota|01/03/2014|+1e308", "Quota|02/03/2014|+1e308"}
        << "Attenzione: il movimento n. 1 dell'archivio 2014.eur ha un importo che non è possibile leggere";
    QTest::newRow("a thousand written with an exponent")
        << QStringList{"Quota|01/03/2014|+10,00", "Quota|02/03/2014|+1e3"}
        << "Attenzione: il movimento n. 2 dell'archivio 2014.eur ha un importo che non è possibile leggere";
    QTest::newRow("sum of sixteen digits") << QStringList(11, QStringLiteral("Quota|05/03/2014|+99999999999999"))
                                           << "Attenzione: la somma degli importi dei movimenti elencati supera";
}

void TestPrimaNota::screenNeverShowsAnEndlessTotal()
{
    QFETCH(QStringList, movements);
    QFETCH(QString, warningStart);
    TestApp app;
    BalanceFixtures::write(QStringLiteral("2014"), BalanceFixtures::parse(movements));
    bool checked = false;
    showList(app, QString(), QStringLiteral("01"), QStringLiteral("Marzo"), QStringLiteral("31"),
             QStringLiteral("Marzo"), [&](TfrmBilancio *d) {
                 QCOMPARE(app.platform.messages.shown.size(), 1);
                 QCOMPARE(app.platform.messages.shown.first().kind, MessageBoxes::Kind::Warning);
                 QVERIFY2(app.platform.messages.lastText().startsWith(warningStart),
                          qPrintable(app.platform.messages.lastText()));
                 for (QLabel *total : {d->lblTotEntrate, d->lblTotUscite, d->lblBilancio})
                     QCOMPARE(total->text(), QStringLiteral("non calcolato"));
                 checked = true;
             });
    QVERIFY(checked);
}

void TestPrimaNota::findKeyLastsFromOneListToTheNext()
{
    TestApp app;
    BalanceFixtures::write(QStringLiteral("2014"),
                           BalanceFixtures::parse({"Rimborso spese|01/03/2014|-10,00", "Quota|02/03/2014|+10,00",
                                                   "Rimborso viaggio|03/03/2014|-20,00"}));
    const auto find = [](TfrmBilancio *d, const QString &key) {
        d->txtTrova->clear();
        QTest::keyClicks(d->txtTrova, key);
        QTest::mouseClick(d->btnTrova, Qt::LeftButton);
        return ShownRows::current(d->lstRecords);
    };
    int first = -1, second = -1;
    showList(app, QString(), QStringLiteral("01"), QStringLiteral("Marzo"), QStringLiteral("31"),
             QStringLiteral("Marzo"), [&](TfrmBilancio *d) { first = find(d, QStringLiteral("RIMBORSO")); });
    // A fresh list remembers the key: the same key continues past the first row.
    showList(app, QString(), QStringLiteral("01"), QStringLiteral("Marzo"), QStringLiteral("31"),
             QStringLiteral("Marzo"), [&](TfrmBilancio *d) {
                 QVERIFY(d->txtTrova->text().isEmpty());
                 second = find(d, QStringLiteral("rimborso"));
             });
    QCOMPARE(first, 0);
    QCOMPARE(second, 2);

    // An empty list has nothing to search.
    showList(app, QStringLiteral("nessuna"), QStringLiteral("01"), QStringLiteral("Marzo"), QStringLiteral("31"),
             QStringLiteral("Marzo"), [&](TfrmBilancio *d) { find(d, QStringLiteral("quota")); });
    QCOMPARE(app.platform.messages.shown.size(), 1);
    QCOMPARE(app.platform.messages.shown.first().kind, MessageBoxes::Kind::Plain);
    QCOMPARE(app.platform.messages.lastText(),
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestPrimaNota::helpPage()
{
    TestApp app;
    QString title, body;
    showList(app, QString(), QStringLiteral("01"), QStringLiteral("Marzo"), QStringLiteral("31"),
             QStringLiteral("Marzo"), [&](TfrmBilancio *d) {
                 app.platform.modal.handlers.append([&](QDialog *g) {
                     auto *guida = qobject_cast<TfrmGuida *>(g);
                     QVERIFY(guida);
                     title = guida->lblTitolo->text();
                     body = guida->txtGuida->toPlainText();
                 });
                 QTest::mouseClick(d->imgGuida, Qt::LeftButton);
             });
    QCOMPARE(app.platform.modal.opened, (QStringList{"TfrmBilancio", "TfrmGuida"}));
    QCOMPARE(title, QStringLiteral("Applicazione Primanota e Bilancio."));
    QVERIFY(body.contains(QStringLiteral("Visualizza riepilogo")));
    QVERIFY(body.contains(QStringLiteral("Stampa primanota")));
}

QTEST_MAIN(TestPrimaNota)
#include "tst_prima_nota.moc"
