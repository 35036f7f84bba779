// The movement search and the payments-due list, opened from the movement card
// as the user opens them: rows, criteria, the due rule, printing, the year
// searched, and the movement a double click puts on the card.
#include "MovementFixture.h"

#include "common/ui/ListScreen.h"
#include "members/MemberFixtures.h"
#include "movements/MovementLists.h"
#include "movements/ui/TfrmSospesiMov.h"
#include "movements/ui/TfrmTrovaMovimenti.h"
#include "support/ShownRows.h"

#include <QDir>
#include <QListView>

namespace {

using Verdict = ScanVerdict;
using Typed = QList<QPair<const char *, QString>>;

TSchedaMovimento made(const QString &causale, const QString &data, const QString &dataSca, const QString &preavviso,
                      const QString &saldato, bool income = true)
{
    TSchedaMovimento m = movement(causale, income);
    m.Data = data;
    m.DataSca = dataSca;
    m.Preavviso = preavviso;
    m.Saldato = saldato;
    return m;
}

// The search opened from the card, with criteria typed in and "Cerca" pressed;
// then `after` runs on the result panel.
void search(MovementFixture &f, const Typed &typed,
            const std::function<void(QDialog *, QListView *)> &after)
{
    f.app.platform.modal.handlers.append([typed, after](QDialog *d) {
        for (const auto &t : typed)
            typeText(control<QLineEdit>(d, t.first), t.second);
        QTest::mouseClick(control<QPushButton>(d, "btnCerca"), Qt::LeftButton);
        after(d, control<QListView>(d, "lstRecords"));
    });
    f.click("cmdTrova");
    QCOMPARE(f.app.platform.modal.opened.last(), QStringLiteral("TfrmTrovaMovimenti"));
}

void dueList(MovementFixture &f, const std::function<void(QDialog *, QListView *)> &during)
{
    f.app.platform.modal.handlers.append(
        [during](QDialog *d) { during(d, control<QListView>(d, "lstRecords")); });
    f.click("cmdScadenze");
    QCOMPARE(f.app.platform.modal.opened.last(), QStringLiteral("TfrmSospesiMov"));
}

QString row(const TSchedaMovimento &m)
{
    // Reason 40, due date 10, payer 30, beneficiary 30, then the signed amount.
    return m.Causale.leftJustified(40, QLatin1Char(' '), true) + QStringLiteral("  Scad. ") +
           m.DataSca.leftJustified(10, QLatin1Char(' '), true) + QStringLiteral("  Da: ") +
           m.Pagatore.leftJustified(30, QLatin1Char(' '), true) + QStringLiteral("  A: ") +
           m.Beneficiario.leftJustified(30, QLatin1Char(' '), true) + QStringLiteral("  Importo: ") + m.Totale;
}

} // namespace

Q_DECLARE_METATYPE(Typed)

class TestMovementLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void searchScreenAsOpened();
    void searchRowsAndCriteria_data();
    void searchRowsAndCriteria();
    void searchOfAYearWithoutFile();
    void searchPrintsItsRows();
    void doubleClickShowsTheRowsOwnMovement_data();
    void doubleClickShowsTheRowsOwnMovement();
    void dueRule_data();
    void dueRule();
    void dueListFromTheCard();
    void dueListSkipsUnreadableRecordsAndGoesOn();
    void dueListReportsAFileThatCannotBeOpened();
    void dueListDoubleClickShowsTheMovement();
    void dueListDoubleClickOnEqualRows_data();
    void dueListDoubleClickOnEqualRows();
    void doubleClickWhenTheYearCannotBeRead_data();
    void doubleClickWhenTheYearCannotBeRead();
};

void TestMovementLists::searchScreenAsOpened()
{
    MovementFixture f;
    f.app.platform.modal.handlers.append([](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral(" Trova movimenti in archivio"));
        QCOMPARE(d->size(), QSize(862, 560));
        QCOMPARE(control<QLabel>(d, "lblMemory")->text(), QStringLiteral("movimenti"));
        const char *const cycle[] = {"txtData",     "txtDataSca",      "txtCausale",  "txtPromemoria", "txtPagatore",
                                     "txtCategoria", "txtBeneficiario", "txtRicevuta", "txtTariffa",    "txtNote"};
        const char *const captions[] = {"Data operazione (gg/mm/aaaa):", "Data scadenza (gg/mm/aaaa):", "Causale:",
                                        "Promemoria:", "Pagatore:", "Tessera n.", "Beneficiario:",
                                        "CRO / Ricevuta n.", "Tariffa applicata:", "Note:"};
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(d, "txtData"));
        for (int i = 0; i < 10; ++i) {
            QWidget *edit = control<QWidget>(d, cycle[i]);
            const QString frame = QStringLiteral("eff") + QString::fromLatin1(cycle[i] + 3);
            QCOMPARE(control<QLabel>(d, (QByteArray("lbl") + (cycle[i] + 3)).constData())->text(),
                     QString::fromUtf8(captions[i]));
            edit->setFocus();
            QVERIFY2(control<QWidget>(d, frame.toLatin1().constData())->isVisible(), cycle[i]);
            QTest::keyClick(edit, Qt::Key_Return);
            QVERIFY2(QApplication::focusWidget() == control<QWidget>(d, cycle[(i + 1) % 10]), cycle[i]);
        }
    });
    f.click("cmdTrova");
    QCOMPARE(f.app.platform.modal.opened, QStringList{QStringLiteral("TfrmTrovaMovimenti")});
}

void TestMovementLists::searchRowsAndCriteria_data()
{
    QTest::addColumn<Typed>("typed");
    QTest::addColumn<QStringList>("reasons"); // in the order listed
    using T = Typed;
    QTest::newRow("nothing typed: every movement, by reason") << T{} << QStringList{"Affitto", "bollette", "Quota Rossi", "Quota Verdi"};
    QTest::newRow("03/2014 as an operation date") << T{{"txtData", "03/2014"}} << QStringList{"Affitto", "Quota Verdi"};
    QTest::newRow("case of A-Z ignored") << T{{"txtCausale", "QUOTA"}} << QStringList{"Quota Rossi", "Quota Verdi"};
    QTest::newRow("every filled criterion must be met")
        << T{{"txtCausale", "quota"}, {"txtData", "03/2014"}} << QStringList{"Quota Verdi"};
    QTest::newRow("the payer") << T{{"txtPagatore", "di bol"}} << QStringList{"bollette"};
    QTest::newRow("no movement") << T{{"txtNote", "nessuna"}} << QStringList{};
}

void TestMovementLists::searchRowsAndCriteria()
{
    QFETCH(Typed, typed);
    QFETCH(QStringList, reasons);
    MovementFixture f;
    const QList<TSchedaMovimento> year = {
        made("Quota Verdi", "05/03/2014", "31/03/2014", "5", kNo),
        made("bollette", "10/02/2014", "28/02/2014", "5", kNo, false),
        made("Quota Rossi", "12/01/2014", "31/01/2014", "5", kYes),
        made("Affitto", "01/03/2014", "15/03/2014", "5", kNo, false),
    };
    f.writeYear(year);
    QStringList shown, count;
    search(f, typed, [&](QDialog *d, QListView *list) {
        shown = MemberFixtures::rows(list);
        count << control<QLabel>(d, "lblTrovate")->text();
        QVERIFY(control<QWidget>(d, "panContainer")->isVisible());
        QVERIFY(!control<QWidget>(d, "panAvvio")->isVisible());
    });
    QStringList expected;
    for (const QString &r : reasons)
        for (const TSchedaMovimento &m : year)
            if (m.Causale == r)
                expected << row(m);
    QCOMPARE(shown, expected);
    QCOMPARE(count, QStringList{QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(reasons.size())});
    // An expense row ends with its minus sign.
    if (reasons.contains(QStringLiteral("Affitto")))
        QVERIFY(shown.first().endsWith(QStringLiteral("  Importo: -40,00")));
}

// Only the card's year is searched; a year without a file gets an empty one.
void TestMovementLists::searchOfAYearWithoutFile()
{
    MovementFixture f(QStringLiteral("2015"));
    const QString earlier = f.app.platform.file(QStringLiteral("2014.eur"));
    {
        RecordFile<TSchedaMovimento> file;
        QVERIFY(file.open(earlier));
        QVERIFY(file.append(made("Quota 2014", "05/03/2014", "31/03/2014", "5", kNo)));
        file.close();
    }
    QStringList shown, count;
    search(f, {}, [&](QDialog *d, QListView *list) {
        shown = MemberFixtures::rows(list);
        count << control<QLabel>(d, "lblTrovate")->text();
    });
    QCOMPARE(shown, QStringList{});
    QCOMPARE(count, QStringList{QStringLiteral("Il presente riepilogo contiene 0 schede.")});
    QVERIFY(QFileInfo(f.yearFile()).isFile());
    QCOMPARE(f.bytes().size(), 0);
    // Nor does the payments-due list look at another year.
    dueList(f, [](QDialog *, QListView *list) { QCOMPARE(ShownRows::count(list), 0); });
}

void TestMovementLists::searchPrintsItsRows()
{
    MovementFixture f;
    f.writeYear({made("Quota Verdi", "05/03/2014", "31/03/2014", "5", kNo), made("Affitto", "01/03/2014", "15/03/2014", "5", kNo)});
    QStringList rows;
    search(f, {}, [&](QDialog *d, QListView *list) {
        rows = MemberFixtures::rows(list);
        QTest::mouseClick(control<QPushButton>(d, "btnStampa"), Qt::LeftButton);
    });
    dueList(f, [](QDialog *d, QListView *) { QTest::mouseClick(control<QPushButton>(d, "btnStampa"), Qt::LeftButton); });
    const auto &jobs = f.app.platform.printer.jobs;
    QCOMPARE(jobs.size(), 2);
    const QStringList titles = {QStringLiteral("Riepilogo movimenti in archivio"),
                                QStringLiteral("Riepilogo pagamenti in scadenza o scaduti e non saldati")};
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(jobs[i].documentTitle, QStringLiteral("Riepilogo dati"));
        const PreparedPage &page = jobs[i].report.pages.first();
        QCOMPARE(page.find(QStringLiteral("txtTitolo"))->lines, QStringList{titles[i]});
        QCOMPARE(page.find(QStringLiteral("txtRiepilogo"))->lines, rows);
    }
}

void TestMovementLists::doubleClickShowsTheRowsOwnMovement_data()
{
    QTest::addColumn<int>("clicked");
    QTest::newRow("the first of two equal rows") << 0;
    QTest::newRow("the second of two equal rows") << 1;
}

// Two movements giving the same row: the one clicked is the one shown, and
// saving it overwrites that movement only. An expense comes back as an expense.
void TestMovementLists::doubleClickShowsTheRowsOwnMovement()
{
    QFETCH(int, clicked);
    MovementFixture f;
    TSchedaMovimento a = made("Affitto", "01/03/2014", "15/03/2014", "5", kNo, false);
    a.Ricevuta = QStringLiteral("CRO A");
    a.File02 = QStringLiteral("contratto.pdf");
    TSchedaMovimento b = a;
    b.Ricevuta = QStringLiteral("CRO B");
    b.Saldato = kYes;
    f.writeYear({a, made("Quota", "05/03/2014", "31/03/2014", "5", kNo), b});
    const QByteArray before = f.bytes();
    search(f, {{"txtCausale", "affitto"}}, [&](QDialog *d, QListView *list) {
        QCOMPARE(ShownRows::count(list), 2);
        QCOMPARE(ShownRows::text(list, 0), ShownRows::text(list, 1));
        MemberFixtures::doubleClickRow(list, clicked);
        QVERIFY(!d->isVisible());
    });
    const TSchedaMovimento &shown = clicked == 0 ? a : b;
    QCOMPARE(f.position(), clicked == 0 ? QStringLiteral("1") : QStringLiteral("3"));
    QCOMPARE(f.field("txtRicevuta")->text(), shown.Ricevuta);
    QCOMPARE(f.settled()->isChecked(), clicked == 1);
    QCOMPARE(f.label("lblFile02")->text(), QStringLiteral("contratto.pdf"));
    QVERIFY(f.radio("optUscita")->isChecked());
    QVERIFY(!f.radio("optEntrata")->isChecked());
    QCOMPARE(f.label("lblImporto")->text(), QStringLiteral("Importo in uscita: €"));
    QCOMPARE(f.label("lblImporto")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(f.label("txtTotale")->text(), QStringLiteral("-40,00"));

    f.type("txtNote", QStringLiteral("visto"));
    f.click("cmdSalva");
    TSchedaMovimento changed = shown;
    changed.Note = QStringLiteral("visto");
    const qint64 p = clicked == 0 ? 1 : 3;
    QCOMPARE(f.storedBytes(p), RecordCodec::encode(changed));
    QCOMPARE(f.storedBytes(4 - p), before.mid((4 - p - 1) * TSchedaMovimento::Size, TSchedaMovimento::Size));
}

void TestMovementLists::dueRule_data()
{
    QTest::addColumn<QString>("saldato");
    QTest::addColumn<QString>("dataSca");
    QTest::addColumn<QString>("preavviso");
    QTest::addColumn<int>("verdict");
    const int listed = int(Verdict::Listed), not_ = int(Verdict::NotListed), bad = int(Verdict::Unreadable);
    // Today is 10/03/2014.
    QTest::newRow("due 15/03 with 5 days of notice") << "No" << "15/03/2014" << "5" << listed;
    QTest::newRow("the same, settled") << "Sì" << "15/03/2014" << "5" << not_;
    QTest::newRow("the same with 4 days of notice") << "No" << "15/03/2014" << "4" << not_;
    QTest::newRow("past due, no notice") << "No" << "01/02/2014" << "0" << listed;
    QTest::newRow("due today, no notice") << "No" << "10/03/2014" << "0" << listed;
    QTest::newRow("blanks around the flag") << " No " << "10/03/2014" << "0" << listed;
    QTest::newRow("a flag neither Sì nor No") << "" << "01/02/2014" << "0" << not_;
    QTest::newRow("due date unreadable") << "No" << "31/02/2014" << "5" << bad;
    QTest::newRow("days of notice unreadable") << "No" << "15/03/2014" << "5g" << bad;
    QTest::newRow("settled with an unreadable date") << "Sì" << "" << "" << not_;
}

void TestMovementLists::dueRule()
{
    QFETCH(QString, saldato);
    QFETCH(QString, dataSca);
    QFETCH(QString, preavviso);
    QFETCH(int, verdict);
    QCOMPARE(int(MovementLists::judgeDue(saldato, dataSca, preavviso, QDate(2014, 3, 10))), verdict);
}

void TestMovementLists::dueListFromTheCard()
{
    MovementFixture f;
    f.app.platform.clock.date = QDate(2014, 3, 10);
    const QList<TSchedaMovimento> year = {
        made("Quota Verdi", "05/03/2014", "15/03/2014", "5", kNo),
        made("Quota saldata", "05/03/2014", "15/03/2014", "5", kYes),
        made("Quota lontana", "05/03/2014", "15/03/2014", "4", kNo),
        made("Affitto scaduto", "01/01/2014", "01/02/2014", "0", kNo, false),
        made("Bollette di oggi", "01/03/2014", "10/03/2014", "0", kNo, false),
    };
    f.writeYear(year);
    QStringList shown;
    dueList(f, [&](QDialog *d, QListView *list) {
        QCOMPARE(d->windowTitle(), QStringLiteral(" Riepilogo pagamenti in scadenza o scaduti"));
        shown = MemberFixtures::rows(list);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(d, "txtTrova"));
        QCOMPARE(control<QLabel>(d, "lblRigo03")->text(),
                 QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."));
    });
    QCOMPARE(shown, QStringList({row(year[3]), row(year[4]), row(year[0])}));
    QVERIFY(f.messages().shown.isEmpty());
}

// A record whose due date or days of notice cannot be read is left out, and
// the list goes on with the records after it.
void TestMovementLists::dueListSkipsUnreadableRecordsAndGoesOn()
{
    MovementFixture f;
    f.app.platform.clock.date = QDate(2014, 3, 10);
    const QList<TSchedaMovimento> year = {
        made("Prima", "05/03/2014", "01/03/2014", "0", kNo),
        made("Data rotta", "05/03/2014", "32/03/2014", "0", kNo),
        made("Preavviso rotto", "05/03/2014", "01/03/2014", "tre", kNo),
        made("Dopo", "05/03/2014", "02/03/2014", "0", kNo),
    };
    f.writeYear(year);
    QStringList shown;
    dueList(f, [&](QDialog *, QListView *list) { shown = MemberFixtures::rows(list); });
    QCOMPARE(shown, QStringList({row(year[3]), row(year[0])}));
    QVERIFY(f.messages().shown.isEmpty());
}

void TestMovementLists::dueListReportsAFileThatCannotBeOpened()
{
    MovementFixture f;
    QVERIFY(QDir().mkdir(f.yearFile())); // a folder where the year's file should be
    int rows = -1;
    dueList(f, [&](QDialog *, QListView *list) { rows = ShownRows::count(list); });
    QCOMPARE(rows, 0);
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, MessageBoxes::Kind::Warning);
    QVERIFY(f.messages().shown[0].text.startsWith(
        QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio, per cui il riepilogo non "
                       "può essere compilato.")));
    // The search reports it too, and stays on its criteria.
    bool criteriaShown = false;
    search(f, {}, [&](QDialog *d, QListView *) { criteriaShown = control<QWidget>(d, "panAvvio")->isVisible(); });
    QVERIFY(criteriaShown);
    QCOMPARE(f.messages().shown.size(), 2);
    QCOMPARE(f.messages().shown[1].kind, MessageBoxes::Kind::Plain);
    QVERIFY(f.messages().shown[1].text.startsWith(
        QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.")));
}

void TestMovementLists::dueListDoubleClickShowsTheMovement()
{
    MovementFixture f;
    f.app.platform.clock.date = QDate(2014, 3, 10);
    TSchedaMovimento due = made("Quota Verdi", "05/03/2014", "15/03/2014", "5", kNo);
    due.Desc03 = QStringLiteral("modulo");
    f.writeYear({made("Affitto", "01/03/2014", "15/03/2014", "5", kNo, false), due});
    // The card shows an expense before: the income shown turns it back.
    f.click("cmdPrimo");
    QVERIFY(f.radio("optUscita")->isChecked());
    dueList(f, [](QDialog *d, QListView *list) {
        QCOMPARE(ShownRows::count(list), 2);
        MemberFixtures::doubleClickRow(list, 1); // Quota Verdi, after Affitto
        QVERIFY(!d->isVisible());
    });
    QCOMPARE(f.position(), QStringLiteral("2"));
    QCOMPARE(f.field("txtCausale")->text(), QStringLiteral("Quota Verdi"));
    QCOMPARE(f.label("lblDesc03")->text(), QStringLiteral("modulo"));
    QVERIFY(f.radio("optEntrata")->isChecked());
    QVERIFY(!f.radio("optUscita")->isChecked());
    QCOMPARE(f.label("lblImporto")->text(), QStringLiteral("Importo in entrata: €"));
    QCOMPARE(f.label("lblImporto")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

void TestMovementLists::dueListDoubleClickOnEqualRows_data()
{
    QTest::addColumn<int>("clicked");
    QTest::newRow("the first of two equal rows") << 0;
    QTest::newRow("the second of two equal rows") << 1;
}

// Two payments due giving the same row: the one clicked is the one the card shows.
void TestMovementLists::dueListDoubleClickOnEqualRows()
{
    QFETCH(int, clicked);
    MovementFixture f;
    f.app.platform.clock.date = QDate(2014, 3, 10);
    TSchedaMovimento a = made("Affitto", "01/03/2014", "15/03/2014", "5", kNo, false);
    a.Ricevuta = QStringLiteral("CRO A");
    TSchedaMovimento b = a;
    b.Ricevuta = QStringLiteral("CRO B");
    b.Preavviso = QStringLiteral("30");
    f.writeYear({a, made("Quota saldata", "05/03/2014", "15/03/2014", "5", kYes), b});
    dueList(f, [&](QDialog *, QListView *list) {
        QCOMPARE(ShownRows::count(list), 2);
        QCOMPARE(ShownRows::text(list, 0), ShownRows::text(list, 1));
        MemberFixtures::doubleClickRow(list, clicked);
    });
    QCOMPARE(f.position(), clicked == 0 ? QStringLiteral("1") : QStringLiteral("3"));
    QCOMPARE(f.field("txtRicevuta")->text(), clicked == 0 ? a.Ricevuta : b.Ricevuta);
    QCOMPARE(f.field("txtPreavviso")->text(), clicked == 0 ? a.Preavviso : b.Preavviso);
    QVERIFY(f.radio("optUscita")->isChecked());
    QCOMPARE(f.label("lblImporto")->text(), QStringLiteral("Importo in uscita: €"));
}

void TestMovementLists::doubleClickWhenTheYearCannotBeRead_data()
{
    QTest::addColumn<QString>("screen");
    QTest::newRow("search") << "TfrmTrovaMovimenti";
    QTest::newRow("payments due") << "TfrmSospesiMov";
}

// The year's file gives way to a folder while the list is open: the double
// click tells the user, the list closes and the card keeps what it showed.
void TestMovementLists::doubleClickWhenTheYearCannotBeRead()
{
    QFETCH(QString, screen);
    MovementFixture f;
    f.app.platform.clock.date = QDate(2014, 3, 10);
    f.writeYear({made("Affitto", "01/03/2014", "15/03/2014", "5", kNo, false)});
    f.type("txtCausale", QStringLiteral("in corso"));
    const MovementCardValues before = f.card->values();
    bool closed = false;
    const auto pick = [&](QDialog *d, QListView *list) {
        QCOMPARE(ShownRows::count(list), 1);
        QVERIFY(QFile::remove(f.yearFile()));
        QVERIFY(QDir().mkdir(f.yearFile()));
        MemberFixtures::doubleClickRow(list, 0);
        closed = !d->isVisible();
    };
    if (screen == QLatin1String("TfrmTrovaMovimenti"))
        search(f, {}, pick);
    else
        dueList(f, pick);
    QVERIFY(closed);
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, MessageBoxes::Kind::Warning);
    QCOMPARE(f.messages().shown[0].text,
             QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio, per cui i dati della "
                            "scheda selezionata non sono stati richiamati.\n\r\n\rAccertarsi di possedere i "
                            "privilegi di scrittura nella cartella di installazione del programma."));
    QVERIFY(f.card->values() == before);
    QCOMPARE(f.position(), QString());
}

QTEST_MAIN(TestMovementLists)
#include "tst_movement_lists.moc"
