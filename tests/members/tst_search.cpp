#include "support/TestPlatform.h"

#include "members/MemberFixtures.h"
#include "members/MemberRow.h"
#include "common/TSchedaMovimento.h"
#include "members/MemberSearch.h"
#include "members/MemberToMovement.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmTrovaAnagrafica.h"
#include "shell/ui/ScreenSet.h"
#include "support/ShownRows.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using MemberFixtures::member;
using Mode = TfrmTrovaAnagrafica::Mode;
Q_DECLARE_METATYPE(TfrmTrovaAnagrafica::Mode)

class TestSearch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void criteria_data();
    void criteria();
    void rowLayout();
    void sortOrder();
    void searchOnScreen_data();
    void searchOnScreen();
    void waitingNoticeOnMouseDown();
    void enterCyclesThroughCriteria();
    void archiveThatCannotBeOpened();
    void carryBack_data();
    void carryBack();
    void closingWithoutAPickHandsBackNothing();
    void equalRowsCarryTheirOwnRecord();

private:
    static void writeArchive();
};

// Positions 1..6 in the archive.
void TestSearch::writeArchive()
{
    TSchedaSocio rossi = member(QStringLiteral("Rossi Mario"));
    rossi.Citta = QStringLiteral("Città di Castello");
    rossi.DataNasc = QStringLiteral("12/03/1980");
    rossi.Note = QStringLiteral("socio fondatore");
    TSchedaSocio ambrosi = member(QStringLiteral("Ambrosi Anna"));
    ambrosi.Citta = QStringLiteral("CITTÀ DI CASTELLO");
    ambrosi.Note = QStringLiteral("revisore");
    TSchedaSocio bianchi = member(QStringLiteral("Bianchi Luca"));
    bianchi.Citta = QStringLiteral("Perugia");
    bianchi.DataNasc = QStringLiteral("01/03/1975");
    TSchedaSocio verdi = member(QStringLiteral("verdi rosa"));
    verdi.Citta = QStringLiteral("Roma");
    verdi.Note = QStringLiteral("");
    TSchedaSocio zeta = member(QStringLiteral("Zeta Ugo"));
    zeta.Citta = QStringLiteral("Perugia");
    zeta.Note = QStringLiteral("revisore dei conti");
    TSchedaSocio conti = member(QStringLiteral("Conti Elena"));
    conti.Citta = QStringLiteral("Assisi");
    MemberFixtures::write({rossi, ambrosi, bianchi, verdi, zeta, conti});
}

using Criteria = MemberSearch::Criteria;

void TestSearch::criteria_data()
{
    QTest::addColumn<Criteria>("criteria");
    QTest::addColumn<QList<qint64>>("positions"); // in the order listed

    QTest::newRow("no criteria lists all, sorted by name") << Criteria{} << QList<qint64>{2, 3, 6, 1, 4, 5};
    QTest::newRow("empty texts count as no criteria")
        << Criteria{{&TSchedaSocio::Dipendente, {}}, {&TSchedaSocio::Note, {}}}
        << QList<qint64>{2, 3, 6, 1, 4, 5};
    QTest::newRow("ros is a substring of two names")
        << Criteria{{&TSchedaSocio::Dipendente, QStringLiteral("ros")}} << QList<qint64>{2, 1, 4};
    QTest::newRow("ROSSI finds Rossi")
        << Criteria{{&TSchedaSocio::Dipendente, QStringLiteral("ROSSI")}} << QList<qint64>{1};
    QTest::newRow("Città does not find CITTÀ")
        << Criteria{{&TSchedaSocio::Citta, QStringLiteral("Città")}} << QList<qint64>{1};
    QTest::newRow("CITTÀ finds only CITTÀ")
        << Criteria{{&TSchedaSocio::Citta, QStringLiteral("CITTÀ")}} << QList<qint64>{2};
    QTest::newRow("two criteria both met") << Criteria{{&TSchedaSocio::Citta, QStringLiteral("perugia")},
                                                       {&TSchedaSocio::Note, QStringLiteral("revisore")}}
                                           << QList<qint64>{5};
    QTest::newRow("two criteria, one not met")
        << Criteria{{&TSchedaSocio::Dipendente, QStringLiteral("bianchi")},
                    {&TSchedaSocio::Note, QStringLiteral("revisore")}}
        << QList<qint64>{};
    QTest::newRow("blanks alone do not stand in for a criterion")
        << Criteria{{&TSchedaSocio::Dipendente, QStringLiteral("bianchi")},
                    {&TSchedaSocio::Note, QStringLiteral(" ")}}
        << QList<qint64>{3};
    QTest::newRow("blanks around the words are searched too")
        << Criteria{{&TSchedaSocio::Note, QStringLiteral(" dei")}} << QList<qint64>{5};
    QTest::newRow("date of birth matched as text")
        << Criteria{{&TSchedaSocio::DataNasc, QStringLiteral("03/19")}} << QList<qint64>{3, 1};
    QTest::newRow("nothing matches") << Criteria{{&TSchedaSocio::Luogo, QStringLiteral("Milano")}}
                                     << QList<qint64>{};
}

void TestSearch::criteria()
{
    TestPlatform platform;
    writeArchive();
    QFETCH(Criteria, criteria);
    const ListScan scan = MemberSearch::run(criteria);
    QVERIFY(scan.complete);
    QList<qint64> got;
    for (const ListRow &r : scan.rows)
        got.append(r.position);
    QTEST(got, "positions");
}

void TestSearch::rowLayout()
{
    TSchedaSocio r;
    r.Dipendente = QStringLiteral("Bartolomeo Maria Giovanni Della Rovere Sforza"); // 45 characters
    r.CodFisc = QStringLiteral("DLLBTL80A01H501X");
    r.DataSca = QStringLiteral("31/12/2024");
    r.Recapito = QStringLiteral("+39 075 1234567 int. 12");
    r.Note = QStringLiteral("  quota [2024] versata  ");
    const QString row = MemberRow::compose(r);
    QCOMPARE(row, QStringLiteral("Bartolomeo Maria Giovanni Dell  C.F. DLLBTL80A01H501X  Scad. 31/12/2024  "
                                 "Tel. +39 075 1234567 Note: quota [2024] versata"));
    // Short values are padded, so the columns line up whatever the name.
    TSchedaSocio s;
    s.Dipendente = QStringLiteral("Re Ugo");
    s.DataSca = QStringLiteral("01/01/2025");
    const QString shortRow = MemberRow::compose(s);
    QCOMPARE(shortRow.indexOf(QStringLiteral("  C.F. ")), 30);
    QCOMPARE(shortRow.indexOf(QStringLiteral("  Scad. ")), row.indexOf(QStringLiteral("  Scad. ")));
    QCOMPARE(shortRow.indexOf(QStringLiteral("  Tel. ")), 71);
    QCOMPARE(shortRow.indexOf(QStringLiteral(" Note: ")), 93);
    QCOMPARE(shortRow.size(), 100);
}

void TestSearch::sortOrder()
{
    // By character code with a-z read as A-Z: "_" (after "Z") sorts after "Zeta"
    // whatever the case, accented capitals after every plain letter, and rows
    // equal but for case keep the order in which they were read.
    QList<ListRow> rows = {
        {QStringLiteral("alfa"), 1}, {QStringLiteral("_sotto"), 2}, {QStringLiteral("Àngelo"), 3},
        {QStringLiteral("ALFA"), 4}, {QStringLiteral("zeta"), 5},   {QStringLiteral("Alfa b"), 6},
        {QStringLiteral("Alfa"), 7}, {QStringLiteral("Zeta"), 8},   {QStringLiteral("beta"), 9}};
    ListRows::sort(rows);
    QList<qint64> order;
    for (const ListRow &r : rows)
        order.append(r.position);
    QCOMPARE(order, (QList<qint64>{1, 4, 7, 6, 9, 5, 8, 2, 3}));
}

void TestSearch::searchOnScreen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("count");
    QTest::newRow("all") << QString() << QStringList{"Ambrosi Anna", "Bianchi Luca", "Conti Elena",
                                                     "Rossi Mario",  "verdi rosa",   "Zeta Ugo"}
                         << "Il presente riepilogo contiene 6 schede.";
    QTest::newRow("one") << "ROSSI" << QStringList{"Rossi Mario"}
                         << "Il presente riepilogo contiene 1 schede.";
    QTest::newRow("none") << "Nessuno" << QStringList{} << "Il presente riepilogo contiene 0 schede.";
}

void TestSearch::searchOnScreen()
{
    QFETCH(QString, name);
    QFETCH(QStringList, names);
    QFETCH(QString, count);
    TestApp app;
    writeArchive();
    bool ran = false;
    app.platform.modal.handlers.append([&](QDialog *d) {
        QVERIFY(control<QWidget>(d, "panAvvio")->isVisible());
        QVERIFY(!control<QWidget>(d, "panContainer")->isVisible());
        QTest::keyClicks(control<QLineEdit>(d, "txtDipendente"), name);
        QTest::mouseClick(control<QPushButton>(d, "btnCerca"), Qt::LeftButton);
        QVERIFY(!control<QWidget>(d, "panAvvio")->isVisible());
        QVERIFY(control<QWidget>(d, "panContainer")->isVisible());
        QCOMPARE(control<QLabel>(d, "lblTrovate")->text(), count);
        const QStringList rows = MemberFixtures::rows(control<QListView>(d, "lstRecords"));
        QStringList shownNames;
        for (const QString &r : rows)
            shownNames.append(r.left(30).trimmed());
        QCOMPARE(shownNames, names);
        // Every row is laid out at least 1600 pixels wide, the last as the first.
        auto *list = control<QListView>(d, "lstRecords");
        for (int i = 0; i < ShownRows::count(list); ++i)
            QVERIFY2(ShownRows::place(list, i).width() >= 1600, qPrintable(rows.at(i)));
        QCOMPARE(control<QLineEdit>(d, "txtTrova")->text(), QString());
        ran = true;
    });
    openDialog<TfrmTrovaAnagrafica>(app.screens->anagrafica(),
                                    [](TfrmTrovaAnagrafica &d) { d.setMode(Mode::MemberCard); });
    QVERIFY(ran);
    QVERIFY(app.platform.messages.shown.isEmpty());
}

void TestSearch::waitingNoticeOnMouseDown()
{
    TestApp app;
    writeArchive();
    bool ran = false;
    app.platform.modal.handlers.append([&](QDialog *d) {
        auto *notice = control<QLabel>(d, "lblAttendere");
        auto *cerca = control<QPushButton>(d, "btnCerca");
        QCOMPARE(notice->text(), QStringLiteral("Ricerca schede in corso. Attendere..."));
        QVERIFY(!notice->isVisible());
        QTest::mousePress(cerca, Qt::LeftButton);
        QVERIFY(notice->isVisible());
        QVERIFY(control<QWidget>(d, "panAvvio")->isVisible()); // the search has not run yet
        QTest::mouseRelease(cerca, Qt::LeftButton);
        QVERIFY(control<QWidget>(d, "panContainer")->isVisible());
        ran = true;
    });
    openDialog<TfrmTrovaAnagrafica>(app.screens->anagrafica());
    QVERIFY(ran);
}

void TestSearch::enterCyclesThroughCriteria()
{
    TestApp app;
    QStringList visited;
    app.platform.modal.handlers.append([&](QDialog *d) {
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtDipendente"));
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            visited.append(QApplication::focusWidget()->objectName());
        }
        // The focused edit shows its frame.
        QVERIFY(control<QWidget>(d, "effCampo01")->isVisible());
        QVERIFY(!control<QWidget>(d, "effCampo04")->isVisible());
    });
    openDialog<TfrmTrovaAnagrafica>(app.screens->anagrafica());
    QCOMPARE(visited,
             (QStringList{"txtCittadinanza", "txtLuogo", "txtDataNasc", "txtCodFisc", "txtPartitaIva",
                          "txtCitta", "txtQualifiche", "txtFamiliari", "txtNote", "txtDipendente"}));
}

void TestSearch::archiveThatCannotBeOpened()
{
    TestApp app;
    // A folder where the archive should be: the file can be neither opened nor created.
    QVERIFY(QDir().mkpath(app.platform.file(QStringLiteral("Soci.pro"))));
    bool ran = false;
    app.platform.modal.handlers.append([&](QDialog *d) {
        QTest::mouseClick(control<QPushButton>(d, "btnCerca"), Qt::LeftButton);
        QVERIFY(control<QWidget>(d, "panAvvio")->isVisible());
        QVERIFY(!control<QWidget>(d, "panContainer")->isVisible());
        QVERIFY(!control<QLabel>(d, "lblAttendere")->isVisible());
        ran = true;
    });
    openDialog<TfrmTrovaAnagrafica>(app.screens->anagrafica());
    QVERIFY(ran);
    QCOMPARE(app.platform.messages.shown.size(), 1);
    QCOMPARE(app.platform.messages.shown.first().kind, MessageBoxes::Kind::Plain);
    QCOMPARE(
        app.platform.messages.lastText(),
        QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                       "possedere i privilegi di scrittura nella cartella di installazione del programma."));
}

using Fields = QMap<QString, QString>;

// The movement's payer and beneficiary fields, as a movement holds them.
static Fields partiesOf(const TSchedaMovimento &m)
{
    return {{"Pagatore", m.Pagatore},       {"RecapitoPag", m.RecapitoPag}, {"CodFisc", m.CodFisc},
            {"PartitaIva", m.PartitaIva},   {"Categoria", m.Categoria},     {"Email", m.Email},
            {"Beneficiario", m.Beneficiario}, {"RecapitoBen", m.RecapitoBen}};
}

static TSchedaMovimento movementBefore()
{
    TSchedaMovimento m;
    for (QString *f : {&m.Pagatore, &m.RecapitoPag, &m.CodFisc, &m.PartitaIva, &m.Categoria, &m.Email,
                       &m.Beneficiario, &m.RecapitoBen, &m.Causale})
        *f = QStringLiteral("(prima)");
    return m;
}

void TestSearch::carryBack_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("modeText");
    QTest::addColumn<Fields>("expected"); // the movement's parties once the member is given to it

    const Fields untouched = partiesOf(movementBefore());
    Fields payer = untouched;
    payer["Pagatore"] = "Rossi Mario";
    payer["RecapitoPag"] = "075 123456";
    payer["CodFisc"] = "RSSMRA80C12C745K";
    payer["PartitaIva"] = "01234567890";
    payer["Categoria"] = "T-17";
    payer["Email"] = "mario@example.it";
    Fields beneficiary = untouched;
    beneficiary["Beneficiario"] = "Rossi Mario";
    beneficiary["RecapitoBen"] = "075 123456";

    QTest::newRow("member card") << Mode::MemberCard << "anagrafica" << untouched;
    QTest::newRow("payer") << Mode::MovementPayer << "movimenti_pagatore" << payer;
    QTest::newRow("beneficiary") << Mode::MovementBeneficiary << "movimenti_beneficiario" << beneficiary;
}

// The member of the double-clicked row comes back, read from the archive with
// its position, to the screen that asked; the member card shows it only when it
// was the card that asked.
void TestSearch::carryBack()
{
    QFETCH(Mode, mode);
    QFETCH(QString, modeText);
    QFETCH(Fields, expected);
    TestApp app;
    TSchedaSocio rossi = member(QStringLiteral("Rossi Mario"));
    rossi.Recapito = QStringLiteral("075 123456");
    rossi.CodFisc = QStringLiteral("RSSMRA80C12C745K");
    rossi.PartitaIva = QStringLiteral("01234567890");
    rossi.Cittadinanza = QStringLiteral("T-17");
    rossi.Email = QStringLiteral("mario@example.it");
    MemberFixtures::write({member(QStringLiteral("Bianchi Luca")), rossi});
    TfrmAnagrafica *card = app.screens->anagrafica();

    bool closed = false;
    QString shownMode;
    QList<qint64> signalled;
    app.platform.modal.handlers.append([&](QDialog *d) {
        auto *search = qobject_cast<TfrmTrovaAnagrafica *>(d);
        QVERIFY(search);
        connect(search, &TfrmTrovaAnagrafica::memberChosen, [&](const StoredMember &m) { signalled.append(m.position); });
        shownMode = control<QLabel>(d, "lblMemory")->text();
        QTest::mouseClick(control<QPushButton>(d, "btnCerca"), Qt::LeftButton);
        auto *list = control<QListView>(d, "lstRecords");
        QCOMPARE(ShownRows::count(list), 2);
        MemberFixtures::doubleClickRow(list, 1); // Rossi Mario, sorted after Bianchi
        closed = !d->isVisible();
    });
    std::optional<StoredMember> chosen;
    if (mode == Mode::MemberCard) {
        QTest::mouseClick(control<QWidget>(card, "btnTrova"), Qt::LeftButton);
    } else {
        QWidget movementCard;
        chosen = TfrmTrovaAnagrafica::choose(&movementCard, mode);
    }
    QVERIFY(closed);
    QCOMPARE(shownMode, modeText);
    QCOMPARE(signalled, QList<qint64>{2});
    auto *position = control<QLabel>(card, "lblPosizione");
    if (mode == Mode::MemberCard) {
        QCOMPARE(position->text(), QStringLiteral("2"));
        QCOMPARE(control<QLineEdit>(card, "txtDipendente")->text(), QStringLiteral("Rossi Mario"));
        QCOMPARE(control<QLineEdit>(card, "txtCittadinanza")->text(), QStringLiteral("T-17"));
    } else {
        QVERIFY(chosen);
        QCOMPARE(chosen->position, 2);
        QCOMPARE(chosen->record, rossi);
        // The member card did not ask: it stays empty.
        QCOMPARE(position->text(), QString());
        QCOMPARE(control<QLineEdit>(card, "txtDipendente")->text(), QString());
        TSchedaMovimento movement = movementBefore();
        if (mode == Mode::MovementPayer)
            MemberToMovement::asPayer(chosen->record, movement);
        else
            MemberToMovement::asBeneficiary(chosen->record, movement);
        QCOMPARE(partiesOf(movement), expected);
        QCOMPARE(movement.Causale, QStringLiteral("(prima)"));
    }
    QVERIFY(app.platform.messages.shown.isEmpty());
}

// "Chiudi" before or after the search hands nothing back: the card keeps what
// it showed and nothing is written.
void TestSearch::closingWithoutAPickHandsBackNothing()
{
    TestApp app;
    writeArchive();
    const QByteArray archive = readBytes(ArchivePaths::members());
    TfrmAnagrafica *card = app.screens->anagrafica();
    card->loadRecord(3, member(QStringLiteral("Bianchi Luca")));
    for (const char *closer : {"btnAnnulla", "btnChiudi"}) {
        app.platform.modal.handlers.append([&](QDialog *d) {
            if (QLatin1String(closer) == QLatin1String("btnChiudi")) {
                QTest::mouseClick(control<QPushButton>(d, "btnCerca"), Qt::LeftButton);
                QVERIFY(ShownRows::count(control<QListView>(d, "lstRecords")) > 0);
            }
            QTest::mouseClick(control<QPushButton>(d, closer), Qt::LeftButton);
            QVERIFY(!d->isVisible());
        });
        QTest::mouseClick(control<QWidget>(card, "btnTrova"), Qt::LeftButton);
        QCOMPARE(control<QLabel>(card, "lblPosizione")->text(), QStringLiteral("3"));
        QCOMPARE(control<QLineEdit>(card, "txtDipendente")->text(), QStringLiteral("Bianchi Luca"));

        app.platform.modal.handlers.append([&](QDialog *d) {
            QTest::mouseClick(control<QPushButton>(d, closer), Qt::LeftButton);
        });
        QWidget movementCard;
        QVERIFY(!TfrmTrovaAnagrafica::choose(&movementCard, Mode::MovementPayer));
    }
    QCOMPARE(app.platform.modal.opened.size(), 4);
    QCOMPARE(readBytes(ArchivePaths::members()), archive);
}

void TestSearch::equalRowsCarryTheirOwnRecord()
{
    TestApp app;
    // Same name, tax code, expiry, telephone and notes: the rows are equal. The
    // card numbers tell the two members apart.
    TSchedaSocio first = member(QStringLiteral("Neri Paolo"));
    first.Cittadinanza = QStringLiteral("A-1");
    TSchedaSocio second = first;
    second.Cittadinanza = QStringLiteral("B-2");
    MemberFixtures::write({first, member(QStringLiteral("Alfa Bruno")), second});

    for (int row : {1, 2}) {
        app.platform.modal.handlers.append([&](QDialog *d) {
            QTest::mouseClick(control<QPushButton>(d, "btnCerca"), Qt::LeftButton);
            auto *list = control<QListView>(d, "lstRecords");
            QCOMPARE(ShownRows::text(list, 1), ShownRows::text(list, 2));
            MemberFixtures::doubleClickRow(list, row);
        });
        QWidget movementCard;
        const auto chosen = TfrmTrovaAnagrafica::choose(&movementCard, Mode::MovementPayer);
        // Equal rows keep file order: row 1 is position 1, row 2 is position 3.
        QVERIFY(chosen);
        QCOMPARE(chosen->position, row == 1 ? 1 : 3);
        QCOMPARE(chosen->record.Cittadinanza, row == 1 ? QStringLiteral("A-1") : QStringLiteral("B-2"));
    }
}

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
