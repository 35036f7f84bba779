#include "support/TestPlatform.h"

#include "common/FindInList.h"
#include "common/ui/ListScreen.h"
#include "members/MemberFixtures.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmScadute.h"
#include "members/ui/TfrmSospesi.h"
#include "shell/ui/ScreenSet.h"
#include "support/ShownRows.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

class TestFindInList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void steps_data();
    void steps();
    void emptyListKeepsTheKey();
    void emptyListMessageOnScreen();
    void trovaWalksTheListAndWraps();
    void keyIsRememberedPerScreenClassAndEmptiedOnShow();
    void enterInKeyMovesToTrova();
};

static const QStringList kRows = {
    QStringLiteral("Rossi Mario"),       // 0
    QStringLiteral("Bianchi Anna"),      // 1
    QStringLiteral("ROSSI Luca"),        // 2
    QStringLiteral("Verdi Rosa"),        // 3
    QStringLiteral("CITTÀ di Castello"), // 4
};

void TestFindInList::steps_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<int>("expectSelected");
    QTest::addColumn<bool>("expectMatched");
    QTest::addColumn<QString>("expectKey");

    // A new key starts from the top, whatever is selected.
    QTest::newRow("new key, nothing selected") << -1 << "rossi"
                                               << "" << 0 << true << "rossi";
    QTest::newRow("new key restarts at the top") << 2 << "ROSSI"
                                                 << "bianchi" << 0 << true << "rossi";
    QTest::newRow("new key, first match further down") << 0 << "verdi"
                                                       << "" << 3 << true << "verdi";
    // The same key again moves on from the selected row, wrapping at the end.
    QTest::newRow("continued key") << 0 << "Rossi"
                                   << "rossi" << 2 << true << "rossi";
    QTest::newRow("continued key wraps around") << 2 << "rossi"
                                                << "rossi" << 0 << true << "rossi";
    QTest::newRow("continued single match finds itself") << 1 << "bianchi"
                                                         << "bianchi" << 1 << true << "bianchi";
    // Nothing matches: the selection stays (row 0 when there was none).
    QTest::newRow("no match keeps the selection") << 3 << "zzz"
                                                  << "" << 3 << false << "zzz";
    QTest::newRow("no match with nothing selected") << -1 << "zzz"
                                                    << "" << 0 << false << "zzz";
    // An empty key never matches, new or continued.
    QTest::newRow("empty key after another") << 2 << ""
                                             << "rossi" << 2 << false << "";
    QTest::newRow("empty key continued") << 1 << ""
                                         << "" << 1 << false << "";
    // The key is not trimmed: a leading blank must be found in the row.
    QTest::newRow("leading blank is part of the key") << -1 << " rosa"
                                                      << "" << 3 << true << " rosa";
    QTest::newRow("blanks only find a blank") << 3 << " "
                                              << "" << 0 << true << " ";
    // Only A-Z change case.
    QTest::newRow("accented capital is not lowered") << -1 << "città"
                                                     << "" << 0 << false << "città";
    QTest::newRow("CITTÀ finds itself") << -1 << "CITTÀ"
                                        << "" << 4 << true << "cittÀ";
}

void TestFindInList::steps()
{
    QFETCH(int, selected);
    QFETCH(QString, typed);
    QFETCH(QString, remembered);
    const FindInList::Outcome o = FindInList::find(kRows, selected, typed, remembered);
    QVERIFY(!o.emptyList);
    QTEST(o.selected, "expectSelected");
    QTEST(o.matched, "expectMatched");
    QTEST(o.key, "expectKey");
}

void TestFindInList::emptyListKeepsTheKey()
{
    const FindInList::Outcome o =
        FindInList::find({}, -1, QStringLiteral("rossi"), QStringLiteral("bianchi"));
    QVERIFY(o.emptyList);
    QCOMPARE(o.selected, -1);
    QCOMPARE(o.key, QStringLiteral("bianchi"));
}

void TestFindInList::emptyListMessageOnScreen()
{
    TestApp app;
    app.platform.modal.handlers.append([&](QDialog *d) {
        auto *list = control<QListView>(d, "lstRecords");
        QCOMPARE(ShownRows::count(list), 0);
        control<QLineEdit>(d, "txtTrova")->setText(QStringLiteral("rossi"));
        QTest::mouseClick(control<QPushButton>(d, "btnTrova"), Qt::LeftButton);
    });
    openDialog<TfrmScadute>(app.screens->anagrafica());
    // The absent archive was created empty, as every reader of it does.
    QVERIFY(QFile::exists(app.platform.file(QStringLiteral("Soci.pro"))));
    QCOMPARE(QFileInfo(app.platform.file(QStringLiteral("Soci.pro"))).size(), 0);
    QCOMPARE(app.platform.messages.shown.size(), 1);
    QCOMPARE(app.platform.messages.shown.first().kind, MessageBoxes::Kind::Plain);
    QCOMPARE(app.platform.messages.lastText(),
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestFindInList::trovaWalksTheListAndWraps()
{
    TestApp app;
    // Expired subscriptions: all three are listed, sorted by name.
    MemberFixtures::write(
        {MemberFixtures::member(QStringLiteral("Rossi Mario"), QStringLiteral("01/01/2020")),
         MemberFixtures::member(QStringLiteral("Bianchi Anna"), QStringLiteral("01/01/2020")),
         MemberFixtures::member(QStringLiteral("Ambrosi Carla"), QStringLiteral("01/01/2020"))});
    QList<int> selected;
    app.platform.modal.handlers.append([&](QDialog *d) {
        auto *list = control<QListView>(d, "lstRecords");
        QCOMPARE(ShownRows::count(list), 3);
        auto *key = control<QLineEdit>(d, "txtTrova");
        auto *trova = control<QPushButton>(d, "btnTrova");
        QTest::keyClicks(key, QStringLiteral("ROS"));
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(trova, Qt::LeftButton);
            selected.append(ShownRows::current(list));
        }
        // A key nothing contains leaves the selection where it is.
        key->setText(QStringLiteral("zzz"));
        QTest::mouseClick(trova, Qt::LeftButton);
        selected.append(ShownRows::current(list));
        QVERIFY(ShownRows::selected(list, ShownRows::current(list)));
    });
    openDialog<TfrmScadute>(app.screens->anagrafica());
    // Ambrosi Carla (0) and Rossi Mario (2) contain "ros"; Bianchi Anna (1) does not.
    QCOMPARE(selected, (QList<int>{0, 2, 0, 0}));
    QVERIFY(app.platform.messages.shown.isEmpty());
}

void TestFindInList::keyIsRememberedPerScreenClassAndEmptiedOnShow()
{
    TestApp app;
    MemberFixtures::write(
        {MemberFixtures::member(QStringLiteral("Rossi Mario"), QStringLiteral("01/01/2020"))});
    app.platform.modal.handlers.append([&](QDialog *d) {
        control<QLineEdit>(d, "txtTrova")->setText(QStringLiteral("Rossi"));
        QTest::mouseClick(control<QPushButton>(d, "btnTrova"), Qt::LeftButton);
        QCOMPARE(ListScreen::rememberedKey("TfrmScadute"), QStringLiteral("rossi"));
        QCOMPARE(ListScreen::rememberedKey("TfrmSospesi"), QString());
    });
    openDialog<TfrmScadute>(app.screens->anagrafica());
    // The key outlives the screen ...
    QCOMPARE(ListScreen::rememberedKey("TfrmScadute"), QStringLiteral("rossi"));
    // ... and another list screen class keeps its own.
    app.platform.modal.handlers.append([&](QDialog *d) {
        control<QLineEdit>(d, "txtTrova")->setText(QStringLiteral("mario"));
        QTest::mouseClick(control<QPushButton>(d, "btnTrova"), Qt::LeftButton);
    });
    openDialog<TfrmSospesi>(app.screens->anagrafica());
    QCOMPARE(ListScreen::rememberedKey("TfrmSospesi"), QStringLiteral("mario"));
    QCOMPARE(ListScreen::rememberedKey("TfrmScadute"), QStringLiteral("rossi"));
    // Showing the screen again empties its key and the key field.
    app.platform.modal.handlers.append([&](QDialog *d) {
        QCOMPARE(ListScreen::rememberedKey("TfrmScadute"), QString());
        QCOMPARE(control<QLineEdit>(d, "txtTrova")->text(), QString());
    });
    openDialog<TfrmScadute>(app.screens->anagrafica());
}

void TestFindInList::enterInKeyMovesToTrova()
{
    TestApp app;
    app.platform.modal.handlers.append([&](QDialog *d) {
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));
        auto *key = control<QLineEdit>(d, "txtTrova");
        QTRY_VERIFY(key->hasFocus());
        QTest::keyClick(key, Qt::Key_Return);
        auto *trova = control<QPushButton>(d, "btnTrova");
        QVERIFY(trova->hasFocus());
        QVERIFY(app.platform.messages.shown.isEmpty());
        // Enter again runs "Trova", here on an empty list.
        QTest::keyClick(trova, Qt::Key_Return);
    });
    openDialog<TfrmSospesi>(app.screens->anagrafica());
    QVERIFY(app.platform.modal.handlers.isEmpty());
    QCOMPARE(app.platform.messages.lastText(),
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

QTEST_MAIN(TestFindInList)
#include "tst_find_in_list.moc"
