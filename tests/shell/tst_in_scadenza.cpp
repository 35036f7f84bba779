// The window of what is falling due, shown over the start menu after the login:
// its two groups, when it stays away, the day it is put off for, and where a
// picked record goes.
#include "support/TestPlatform.h"

#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "members/MemberFixtures.h"
#include "members/ui/TfrmAnagrafica.h"
#include "movements/MovementCardRules.h"
#include "movements/ui/TfrmMovimenti.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmPassword.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using MemberFixtures::member;

namespace {

TSchedaMovimento movement(const QString &causale, const QString &dataSca, const QString &preavviso,
                          const QString &saldato)
{
    TSchedaMovimento m;
    m.Entrata = kNo;
    m.Uscita = kYes;
    m.Data = QStringLiteral("01/01/2024");
    m.Causale = causale;
    m.DataSca = dataSca;
    m.Preavviso = preavviso;
    m.Importo = QStringLiteral("50,00");
    m.Totale = QStringLiteral("-50,00");
    m.Pagatore = QStringLiteral("Circolo");
    m.Beneficiario = QStringLiteral("Fornitore");
    m.Saldato = saldato;
    return m;
}

void writeYear(int year, const QList<TSchedaMovimento> &records)
{
    RecordFile<TSchedaMovimento> file;
    QVERIFY(file.open(ArchivePaths::movements(year), RecordFileBase::Access::Write));
    for (const TSchedaMovimento &r : records)
        QVERIFY(file.append(r));
    file.close();
}

// Today is 15/03/2024 (the test clock): two members and one payment are due.
void writeSomethingDue()
{
    MemberFixtures::write({
        member(QStringLiteral("Verdi Ugo"), QStringLiteral("01/03/2024"), QStringLiteral("0")),   // expired
        member(QStringLiteral("Neri Elio"), QStringLiteral("30/06/2024"), QStringLiteral("15")),  // not yet
        member(QStringLiteral("Bruni Ada"), QStringLiteral("20/03/2024"), QStringLiteral("10")),  // notice begun
    });
    writeYear(2024, {
                        movement(QStringLiteral("Bolletta luce"), QStringLiteral("10/03/2024"), QStringLiteral("0"),
                                 kYes), // settled
                        movement(QStringLiteral("Quota palestra"), QStringLiteral("30/05/2024"), QStringLiteral("5"),
                                 kNo), // not yet
                        movement(QStringLiteral("Affitto sala"), QStringLiteral("18/03/2024"), QStringLiteral("7"),
                                 kNo), // notice begun
                    });
    // An unsettled payment of another year is not this year's business.
    writeYear(2023, {movement(QStringLiteral("Vecchio debito"), QStringLiteral("01/12/2023"), QStringLiteral("0"),
                              kNo)});
}

void logIn(TestApp &app)
{
    if (!QFile::exists(ArchivePaths::password()))
        writeFirstAccessPassword(ArchivePaths::password());
    auto *login = app.screens->password();
    QTest::keyClicks(login->txtPassword, QStringLiteral("benvenutissimo"));
    QTest::mouseClick(login->cmdOK, Qt::LeftButton);
}

// The program started again on the same folder: a new run.
void restart(TestApp &app)
{
    app.screens = std::make_unique<ScreenSet>();
    app.screens->start();
}

QStringList rows(QDialog *d, const char *list)
{
    QStringList out;
    const QAbstractItemModel *model = control<QListView>(d, list)->model();
    for (int i = 0; i < model->rowCount(); ++i)
        out.append(model->index(i, 0).data().toString());
    return out;
}

QStringList leftColumn(const QStringList &texts, int width)
{
    QStringList out;
    for (const QString &t : texts)
        out.append(t.left(width).trimmed());
    return out;
}

void doubleClickRow(QAbstractItemView *view, int row)
{
    const QModelIndex index = view->model()->index(row, 0);
    QVERIFY(index.isValid());
    view->scrollTo(index);
    const QPoint at(20, view->visualRect(index).center().y());
    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

QStringList folderEntries()
{
    return QDir(Platform::folder().path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name);
}

} // namespace

class TestInScadenza : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bothGroupsOverTheStartMenu();
    void shownOnlyWhenSomethingIsDue_data();
    void shownOnlyWhenSomethingIsDue();
    void notTodayLastsUntilTheDateChanges();
    void tickThatCannotBeKeptIsReported();
    void doubleClickOpensTheRecordOnItsCard_data();
    void doubleClickOpensTheRecordOnItsCard();
    void buttonsOpenTheListScreens();
};

void TestInScadenza::bothGroupsOverTheStartMenu()
{
    TestApp app;
    writeSomethingDue();
    const QByteArray year2023 = readBytes(ArchivePaths::movements(2023));
    bool menuUnder = false;
    QStringList members, payments;
    app.platform.modal.handlers.append([&](QDialog *d) {
        menuUnder = app.screens->avvio()->isVisible() && !app.screens->password()->isVisible();
        QCOMPARE(d->windowTitle(), QStringLiteral(" Quintara - In scadenza"));
        QCOMPARE(control<QLabel>(d, "lblOggi")->text(), QStringLiteral("Situazione alla data di oggi, 15/03/2024."));
        QCOMPARE(control<QLabel>(d, "lblSoci")->text(),
                 QStringLiteral("Soci con abbonamento in scadenza o scaduto: 2"));
        QCOMPARE(control<QLabel>(d, "lblPagamenti")->text(),
                 QStringLiteral("Pagamenti del 2024 in scadenza o scaduti e non saldati: 1"));
        QVERIFY(control<QPushButton>(d, "btnSoci")->isEnabled());
        QVERIFY(control<QPushButton>(d, "btnPagamenti")->isEnabled());
        QVERIFY(!control<QCheckBox>(d, "chkNonOggi")->isChecked());
        QCOMPARE(control<QListView>(d, "lstSoci")->font().family(), QStringLiteral("Courier New"));
        members = rows(d, "lstSoci");
        payments = rows(d, "lstPagamenti");
        QTest::mouseClick(control<QPushButton>(d, "btnChiudi"), Qt::LeftButton);
    });
    logIn(app);

    QCOMPARE(app.platform.modal.opened, QStringList{"TfrmInScadenza"});
    QVERIFY(menuUnder);
    // The rows read as the list screens show them, sorted by name and by reason.
    QCOMPARE(leftColumn(members, 30), (QStringList{"Bruni Ada", "Verdi Ugo"}));
    QVERIFY(members.value(1).contains(QStringLiteral("  Scad. 01/03/2024")));
    QCOMPARE(leftColumn(payments, 40), QStringList{"Affitto sala"});
    QVERIFY(payments.value(0).endsWith(QStringLiteral("Importo: -50,00")));
    QVERIFY(app.screens->avvio()->isVisible());
    QVERIFY(app.platform.messages.shown.isEmpty());
    // Closed without the tick: nothing is kept, and no archive was touched.
    QVERIFY(!QFile::exists(app.platform.file(QStringLiteral("Promemoria.ini"))));
    QCOMPARE(readBytes(ArchivePaths::movements(2023)), year2023);

    // Once per run: the start menu coming back from a card shows nothing more.
    QTest::mouseClick(control<PictureButton>(app.screens->avvio(), "btnSoci"), Qt::LeftButton);
    QVERIFY(!app.screens->anagrafica()->close());
    QVERIFY(app.screens->avvio()->isVisible());
    QCOMPARE(app.platform.modal.opened, QStringList{"TfrmInScadenza"});
}

void TestInScadenza::shownOnlyWhenSomethingIsDue_data()
{
    QTest::addColumn<QList<TSchedaSocio>>("members");
    QTest::addColumn<QList<TSchedaMovimento>>("payments");
    QTest::addColumn<QString>("membersCount"); // empty: the window stays away
    QTest::addColumn<QString>("paymentsCount");
    const QList<TSchedaSocio> noMembers;
    const QList<TSchedaMovimento> noPayments;
    const TSchedaSocio expired = member(QStringLiteral("Verdi Ugo"), QStringLiteral("01/03/2024"), QStringLiteral("0"));
    const TSchedaSocio later = member(QStringLiteral("Neri Elio"), QStringLiteral("30/06/2024"), QStringLiteral("15"));
    const TSchedaMovimento due =
        movement(QStringLiteral("Affitto sala"), QStringLiteral("18/03/2024"), QStringLiteral("7"), kNo);
    const TSchedaMovimento settled =
        movement(QStringLiteral("Bolletta luce"), QStringLiteral("10/03/2024"), QStringLiteral("0"), kYes);
    QTest::newRow("no archive at all") << noMembers << noPayments << QString() << QString();
    QTest::newRow("nothing due yet, payments settled")
        << QList<TSchedaSocio>{later} << QList<TSchedaMovimento>{settled} << QString() << QString();
    QTest::newRow("members only") << QList<TSchedaSocio>{expired, later} << noPayments
                                  << "Soci con abbonamento in scadenza o scaduto: 1"
                                  << "Pagamenti del 2024 in scadenza o scaduti e non saldati: nessuno";
    QTest::newRow("payments only") << QList<TSchedaSocio>{later} << QList<TSchedaMovimento>{settled, due}
                                   << "Soci con abbonamento in scadenza o scaduto: nessuno"
                                   << "Pagamenti del 2024 in scadenza o scaduti e non saldati: 1";
}

void TestInScadenza::shownOnlyWhenSomethingIsDue()
{
    QFETCH(QList<TSchedaSocio>, members);
    QFETCH(QList<TSchedaMovimento>, payments);
    QFETCH(QString, membersCount);
    QFETCH(QString, paymentsCount);
    TestApp app;
    if (!members.isEmpty())
        MemberFixtures::write(members);
    if (!payments.isEmpty())
        writeYear(2024, payments);
    writeFirstAccessPassword(ArchivePaths::password());
    const QStringList before = folderEntries();

    QString shownMembers, shownPayments;
    bool membersButton = false, paymentsButton = false;
    app.platform.modal.handlers.append([&](QDialog *d) {
        shownMembers = control<QLabel>(d, "lblSoci")->text();
        shownPayments = control<QLabel>(d, "lblPagamenti")->text();
        membersButton = control<QPushButton>(d, "btnSoci")->isEnabled();
        paymentsButton = control<QPushButton>(d, "btnPagamenti")->isEnabled();
    });
    logIn(app);

    QVERIFY(app.screens->avvio()->isVisible());
    QCOMPARE(app.platform.modal.opened.isEmpty(), membersCount.isEmpty());
    QCOMPARE(shownMembers, membersCount);
    QCOMPARE(shownPayments, paymentsCount);
    // A group with nothing in it has no list to open.
    QCOMPARE(membersButton, !membersCount.isEmpty() && !membersCount.endsWith(QLatin1String("nessuno")));
    QCOMPARE(paymentsButton, !paymentsCount.isEmpty() && !paymentsCount.endsWith(QLatin1String("nessuno")));
    // Looking for what is due creates no archive.
    QCOMPARE(folderEntries(), before);
}

void TestInScadenza::notTodayLastsUntilTheDateChanges()
{
    TestApp app;
    writeSomethingDue();
    app.platform.modal.handlers.append([](QDialog *d) {
        QTest::mouseClick(control<QCheckBox>(d, "chkNonOggi"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(d, "btnChiudi"), Qt::LeftButton);
    });
    logIn(app);
    QCOMPARE(app.platform.modal.opened, QStringList{"TfrmInScadenza"});
    QCOMPARE(readBytes(app.platform.file(QStringLiteral("Promemoria.ini"))),
             QByteArray("[InScadenza]\r\nNonMostrareIl=15/03/2024\r\n"));
    QVERIFY(app.platform.messages.shown.isEmpty());

    // Started again on the same day, and later that day: not shown.
    for (const QTime &time : {QTime(10, 30), QTime(23, 59)}) {
        app.platform.clock.time = time;
        restart(app);
        logIn(app);
        QVERIFY(app.screens->avvio()->isVisible());
        QCOMPARE(app.platform.modal.opened, QStringList{"TfrmInScadenza"});
    }

    // The next day it is back, and closing it without the tick keeps the file as it was.
    app.platform.clock.date = QDate(2024, 3, 16);
    restart(app);
    logIn(app);
    QCOMPARE(app.platform.modal.opened, (QStringList{"TfrmInScadenza", "TfrmInScadenza"}));
    QCOMPARE(readBytes(app.platform.file(QStringLiteral("Promemoria.ini"))),
             QByteArray("[InScadenza]\r\nNonMostrareIl=15/03/2024\r\n"));

    // Put off again: the day changes in the file, every other line stays.
    QFile ini(app.platform.file(QStringLiteral("Promemoria.ini")));
    QVERIFY(ini.open(QIODevice::Append));
    ini.write("; nota dell'utente\r\n");
    ini.close();
    app.platform.clock.date = QDate(2024, 3, 17);
    app.platform.modal.handlers.append([](QDialog *d) {
        QTest::mouseClick(control<QCheckBox>(d, "chkNonOggi"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(d, "btnChiudi"), Qt::LeftButton);
    });
    restart(app);
    logIn(app);
    QCOMPARE(app.platform.modal.opened.size(), 3);
    QCOMPARE(readBytes(app.platform.file(QStringLiteral("Promemoria.ini"))),
             QByteArray("[InScadenza]\r\nNonMostrareIl=17/03/2024\r\n; nota dell'utente\r\n"));
}

void TestInScadenza::tickThatCannotBeKeptIsReported()
{
    TestApp app;
    writeSomethingDue();
    // Something that is not the program's file stands where it would go.
    QVERIFY(QDir().mkpath(app.platform.file(QStringLiteral("Promemoria.ini"))));
    app.platform.modal.handlers.append([](QDialog *d) {
        QTest::mouseClick(control<QCheckBox>(d, "chkNonOggi"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(d, "btnChiudi"), Qt::LeftButton);
    });
    logIn(app);
    QCOMPARE(app.platform.messages.shown.size(), 1);
    QCOMPARE(app.platform.messages.shown[0].kind, MessageBoxes::Kind::Warning);
    QCOMPARE(app.platform.messages.lastText(),
             QStringLiteral("Attenzione: non è stato possibile registrare la scelta \"Non mostrare più oggi\", per "
                            "cui la finestra dei pagamenti e degli abbonamenti in scadenza comparirà di nuovo al "
                            "prossimo accesso.\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella "
                            "cartella di installazione del programma."));
    QVERIFY(QFileInfo(app.platform.file(QStringLiteral("Promemoria.ini"))).isDir());
    QVERIFY(app.screens->avvio()->isVisible());
}

void TestInScadenza::doubleClickOpensTheRecordOnItsCard_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("shown");
    QTest::newRow("member Bruni Ada") << QByteArray("lstSoci") << 0 << "3" << "Bruni Ada";
    QTest::newRow("member Verdi Ugo") << QByteArray("lstSoci") << 1 << "1" << "Verdi Ugo";
    QTest::newRow("payment Affitto sala") << QByteArray("lstPagamenti") << 0 << "3" << "Affitto sala";
}

void TestInScadenza::doubleClickOpensTheRecordOnItsCard()
{
    QFETCH(QByteArray, list);
    QFETCH(int, row);
    QFETCH(QString, position);
    QFETCH(QString, shown);
    TestApp app;
    writeSomethingDue();
    bool closed = false;
    app.platform.modal.handlers.append([&](QDialog *d) {
        doubleClickRow(control<QListView>(d, list.constData()), row);
        closed = !d->isVisible();
    });
    logIn(app);
    QVERIFY(closed);
    QVERIFY(!app.screens->avvio()->isVisible());

    const bool member = list == "lstSoci";
    QWidget *card = member ? static_cast<QWidget *>(app.screens->anagrafica()) : app.screens->movimenti();
    QVERIFY(card->isVisible());
    QCOMPARE(control<QLabel>(card, "lblPosizione")->text(), position);
    QCOMPARE(control<FieldEdit>(card, member ? "txtDipendente" : "txtCausale")->text(), shown);
    if (!member) {
        // The card works on the year of the payments shown.
        QCOMPARE(app.screens->movimenti()->yearFile(), MovementCardRules::yearFile(QStringLiteral("2024")));
        QCOMPARE(card->windowTitle(), MovementCardRules::cardCaption(QStringLiteral("2024")));
        QCOMPARE(control<FieldEdit>(card, "txtDataSca")->text(), QStringLiteral("18/03/2024"));
    }
    // Closing the card goes back to the start menu, as from any visit.
    QVERIFY(!card->close());
    QVERIFY(app.screens->avvio()->isVisible());
    QVERIFY(app.platform.messages.shown.isEmpty());
}

void TestInScadenza::buttonsOpenTheListScreens()
{
    TestApp app;
    writeSomethingDue();
    bool backInWindow = false;
    QStringList paymentsListed;
    // The payments list is looked at and closed: the window is still there.
    // Then the members list, where a double click picks the member.
    app.platform.modal.handlers.append([&](QDialog *d) {
        QTest::mouseClick(control<QPushButton>(d, "btnPagamenti"), Qt::LeftButton);
        backInWindow = d->isVisible();
        QTest::mouseClick(control<QPushButton>(d, "btnSoci"), Qt::LeftButton);
    });
    app.platform.modal.handlers.append([&](QDialog *list) {
        paymentsListed = MemberFixtures::rows(control<QListWidget>(list, "lstRecords"));
        QTest::mouseClick(control<QPushButton>(list, "btnChiudi"), Qt::LeftButton);
    });
    app.platform.modal.handlers.append([&](QDialog *list) {
        auto *rowsShown = control<QListWidget>(list, "lstRecords");
        QCOMPARE(rowsShown->count(), 2);
        MemberFixtures::doubleClickRow(rowsShown, 1);
    });
    logIn(app);

    QCOMPARE(app.platform.modal.opened, (QStringList{"TfrmInScadenza", "TfrmSospesiMov", "TfrmSospesi"}));
    QVERIFY(backInWindow);
    QCOMPARE(leftColumn(paymentsListed, 40), QStringList{"Affitto sala"});
    TfrmAnagrafica *card = app.screens->anagrafica();
    QVERIFY(card->isVisible());
    QVERIFY(!app.screens->avvio()->isVisible());
    QCOMPARE(control<QLabel>(card, "lblPosizione")->text(), QStringLiteral("1"));
    QCOMPARE(control<FieldEdit>(card, "txtDipendente")->text(), QStringLiteral("Verdi Ugo"));
}

QTEST_MAIN(TestInScadenza)
#include "tst_in_scadenza.moc"
