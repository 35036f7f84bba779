#include "support/TestPlatform.h"

#include "members/MemberFixtures.h"
#include "members/SubscriptionLists.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmScadute.h"
#include "members/ui/TfrmSospesi.h"
#include "shell/ui/ScreenSet.h"
#include "support/ShownRows.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using MemberFixtures::member;
using SubscriptionLists::Kind;
using SubscriptionLists::Verdict;

class TestSubscriptionLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rules_data();
    void rules();
    void screens_data();
    void screens();
    void damagedRecordInTheMiddleIsSkipped_data();
    void damagedRecordInTheMiddleIsSkipped();
    void archiveThatCannotBeOpened();
    void doubleClickShowsTheMemberOfThatRow();
};

void TestSubscriptionLists::rules_data()
{
    QTest::addColumn<QString>("dataSca");
    QTest::addColumn<QString>("preavviso");
    QTest::addColumn<Verdict>("expiring");
    QTest::addColumn<Verdict>("expired");
    // Today is 10/03/2014 in every row.
    QTest::newRow("notice begins today") << "20/03/2014"
                                         << "10" << Verdict::Listed << Verdict::NotListed;
    QTest::newRow("notice begins tomorrow") << "20/03/2014"
                                            << "9" << Verdict::NotListed << Verdict::NotListed;
    QTest::newRow("expires today, no notice") << "10/03/2014"
                                              << "0" << Verdict::Listed << Verdict::NotListed;
    QTest::newRow("expires tomorrow, no notice") << "11/03/2014"
                                                 << "0" << Verdict::NotListed << Verdict::NotListed;
    QTest::newRow("expired yesterday") << "09/03/2014"
                                       << "0" << Verdict::Listed << Verdict::Listed;
    QTest::newRow("expired long ago") << "01/01/2001"
                                      << "30" << Verdict::Listed << Verdict::Listed;
    QTest::newRow("notice across the year") << "05/01/2015"
                                            << "301" << Verdict::Listed << Verdict::NotListed;
    QTest::newRow("empty expiry") << ""
                                  << "10" << Verdict::Unreadable << Verdict::Unreadable;
    QTest::newRow("impossible expiry") << "30/02/2014"
                                       << "10" << Verdict::Unreadable << Verdict::Unreadable;
    QTest::newRow("expiry not dd/mm/yyyy") << "1/3/2014"
                                           << "10" << Verdict::Unreadable << Verdict::Unreadable;
    // The expired list does not read the days of notice.
    QTest::newRow("empty notice") << "01/01/2014"
                                  << "" << Verdict::Unreadable << Verdict::Listed;
    QTest::newRow("notice not a number") << "01/01/2014"
                                         << "1x" << Verdict::Unreadable << Verdict::Listed;
}

void TestSubscriptionLists::rules()
{
    QFETCH(QString, dataSca);
    QFETCH(QString, preavviso);
    const QDate today(2014, 3, 10);
    QTEST(SubscriptionLists::judge(Kind::Expiring, dataSca, preavviso, today), "expiring");
    QTEST(SubscriptionLists::judge(Kind::Expired, dataSca, preavviso, today), "expired");
}

// Opens a fresh list screen of the named class from the member card, runs check
// on it while shown, and returns the rows it showed.
static QStringList showList(TestApp &app, const QString &screen,
                            const std::function<void(QDialog *)> &check = {})
{
    QStringList rows;
    app.platform.modal.handlers.append([&](QDialog *d) {
        rows = MemberFixtures::rows(control<QListView>(d, "lstRecords"));
        if (check)
            check(d);
    });
    if (screen == QLatin1String("TfrmSospesi"))
        openDialog<TfrmSospesi>(app.screens->anagrafica());
    else
        openDialog<TfrmScadute>(app.screens->anagrafica());
    return rows;
}

static QStringList names(const QStringList &rows)
{
    QStringList out;
    for (const QString &r : rows)
        out.append(r.left(30).trimmed());
    return out;
}

void TestSubscriptionLists::screens_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("TfrmSospesi") << "TfrmSospesi"
                                 << " Riepilogo Soci con abbonamenti in scadenza o scaduti"
                                 << QStringList{"Alfa Ada", "Beta Bice", "Delta Dora", "Gamma Gino"};
    QTest::newRow("TfrmScadute") << "TfrmScadute"
                                 << " Riepilogo Soci con abbonamenti scaduti"
                                 << QStringList{"Alfa Ada", "Gamma Gino"};
}

void TestSubscriptionLists::screens()
{
    QFETCH(QString, screen);
    QFETCH(QString, caption);
    QFETCH(QStringList, listed);
    TestApp app;
    app.platform.clock.date = QDate(2014, 3, 10);
    MemberFixtures::write({
        member(QStringLiteral("Gamma Gino"), QStringLiteral("01/02/2014"), QStringLiteral("5")), // expired
        member(QStringLiteral("Delta Dora"), QStringLiteral("20/03/2014"),
               QStringLiteral("10")), // notice begins today
        member(QStringLiteral("Epsilon Eva"), QStringLiteral("20/03/2014"), QStringLiteral("9")), // not yet
        member(QStringLiteral("Beta Bice"), QStringLiteral("10/03/2014"),
               QStringLiteral("0")), // expires today
        member(QStringLiteral("alfa ada"), QStringLiteral("09/03/2014"),
               QStringLiteral("0")), // expired yesterday
    });
    // Names are compared as shown; the lower-case one sorts among the others.
    QStringList shown;
    bool focusOnKey = false;
    const QStringList rows = showList(app, screen, [&](QDialog *d) {
        QCOMPARE(d->windowTitle(), caption);
        QCOMPARE(d->size(), QSize(862, 560));
        QCOMPARE(control<QLabel>(d, "lblRigo03")->text(),
                 QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."));
        auto *list = control<QListView>(d, "lstRecords");
        QCOMPARE(list->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(list->font().pointSize(), 12);
        // The rows are wider than the list: it scrolls sideways.
        QCoreApplication::processEvents();
        QVERIFY(list->horizontalScrollBar()->isVisible());
        QVERIFY(list->horizontalScrollBar()->maximum() > 0);
        d->activateWindow();
        if (QTest::qWaitForWindowActive(d))
            focusOnKey = control<QLineEdit>(d, "txtTrova")->hasFocus();
    });
    for (QString n : names(rows))
        shown.append(n == QLatin1String("alfa ada") ? QStringLiteral("Alfa Ada") : n);
    QCOMPARE(shown, listed);
    QVERIFY(focusOnKey);
    QVERIFY(app.platform.messages.shown.isEmpty());
}

void TestSubscriptionLists::damagedRecordInTheMiddleIsSkipped_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("dataSca");
    QTest::addColumn<QString>("preavviso");
    QTest::addColumn<QStringList>("listed");
    const QStringList both{"Primo Piero", "Terzo Tito"};
    QTest::newRow("Sospesi, empty expiry") << "TfrmSospesi"
                                           << ""
                                           << "10" << both;
    QTest::newRow("Sospesi, impossible expiry") << "TfrmSospesi"
                                                << "31/02/2014"
                                                << "10" << both;
    QTest::newRow("Sospesi, notice not a number") << "TfrmSospesi"
                                                  << "01/01/2014"
                                                  << "ab" << both;
    QTest::newRow("Scadute, empty expiry") << "TfrmScadute"
                                           << ""
                                           << "10" << both;
    // The expired list does not read the notice: that member is listed.
    QTest::newRow("Scadute, notice not a number")
        << "TfrmScadute"
        << "01/01/2014"
        << "ab" << QStringList{"Primo Piero", "Secondo Saul", "Terzo Tito"};
}

void TestSubscriptionLists::damagedRecordInTheMiddleIsSkipped()
{
    QFETCH(QString, screen);
    QFETCH(QString, dataSca);
    QFETCH(QString, preavviso);
    QFETCH(QStringList, listed);
    TestApp app;
    app.platform.clock.date = QDate(2014, 3, 10);
    MemberFixtures::write({
        member(QStringLiteral("Primo Piero"), QStringLiteral("01/01/2014"), QStringLiteral("0")),
        member(QStringLiteral("Secondo Saul"), dataSca, preavviso),
        member(QStringLiteral("Terzo Tito"), QStringLiteral("01/01/2014"), QStringLiteral("0")),
    });
    QCOMPARE(names(showList(app, screen)), listed);
    QVERIFY(app.platform.messages.shown.isEmpty());
}

void TestSubscriptionLists::archiveThatCannotBeOpened()
{
    TestApp app;
    QVERIFY(QDir().mkpath(app.platform.file(QStringLiteral("Soci.pro"))));
    QCOMPARE(showList(app, QStringLiteral("TfrmSospesi")), QStringList());
    QCOMPARE(app.platform.messages.shown.size(), 1);
    QCOMPARE(app.platform.messages.shown.first().kind, MessageBoxes::Kind::Warning);
    QVERIFY(app.platform.messages.lastText().startsWith(QStringLiteral("Attenzione: ")));
    QVERIFY(app.platform.messages.lastText().contains(QStringLiteral("\n\r\n\r")));

    // The same failure in the core scan of both lists.
    for (Kind kind : {Kind::Expiring, Kind::Expired}) {
        const ListScan scan = SubscriptionLists::scan(kind, QDate(2014, 3, 10));
        QVERIFY(!scan.complete);
        QVERIFY(!scan.opened);
        QVERIFY(scan.rows.isEmpty());
    }
}

void TestSubscriptionLists::doubleClickShowsTheMemberOfThatRow()
{
    TestApp app;
    app.platform.clock.date = QDate(2014, 3, 10);
    // Two expired members with equal rows, told apart by the card number.
    TSchedaSocio first = member(QStringLiteral("Neri Paolo"), QStringLiteral("01/01/2014"));
    first.Cittadinanza = QStringLiteral("A-1");
    TSchedaSocio second = first;
    second.Cittadinanza = QStringLiteral("B-2");
    MemberFixtures::write({first, member(QStringLiteral("Zeta Ugo"), QStringLiteral("01/01/2014")), second});

    // Opened from the member card's own buttons, as the user does.
    TfrmAnagrafica *card = app.screens->anagrafica();
    for (const char *button : {"btnScadenze", "btnScaduti"}) {
        for (int row : {0, 1}) {
            QList<qint64> carried;
            bool closed = false;
            app.platform.modal.handlers.append([&](QDialog *d) {
                connect(qobject_cast<SubscriptionListScreen *>(d), &SubscriptionListScreen::memberChosen,
                        [&](const StoredMember &m) { carried.append(m.position); });
                auto *list = control<QListView>(d, "lstRecords");
                QCOMPARE(ShownRows::count(list), 3);
                QCOMPARE(ShownRows::text(list, 0), ShownRows::text(list, 1));
                MemberFixtures::doubleClickRow(list, row);
                closed = !d->isVisible();
                // Closing the screen clears its list.
                QCOMPARE(ShownRows::count(list), 0);
            });
            QTest::mouseClick(control<QWidget>(card, button), Qt::LeftButton);
            QVERIFY(closed);
            QCOMPARE(carried, QList<qint64>{row == 0 ? 1 : 3});
            QCOMPARE(control<QLabel>(card, "lblPosizione")->text(), QString::number(carried.value(0)));
            QCOMPARE(control<QLineEdit>(card, "txtCittadinanza")->text(),
                     row == 0 ? QStringLiteral("A-1") : QStringLiteral("B-2"));
        }

        // "Chiudi" hands nothing back: the card keeps the member it shows.
        app.platform.modal.handlers.append([](QDialog *d) {
            QTest::mouseClick(control<QPushButton>(d, "btnChiudi"), Qt::LeftButton);
        });
        QTest::mouseClick(control<QWidget>(card, button), Qt::LeftButton);
        QCOMPARE(control<QLabel>(card, "lblPosizione")->text(), QStringLiteral("3"));
        QCOMPARE(control<QLineEdit>(card, "txtCittadinanza")->text(), QStringLiteral("B-2"));
    }
    QCOMPARE(app.platform.modal.opened,
             (QStringList{"TfrmSospesi", "TfrmSospesi", "TfrmSospesi", "TfrmScadute", "TfrmScadute", "TfrmScadute"}));
}

QTEST_MAIN(TestSubscriptionLists)
#include "tst_subscription_lists.moc"
