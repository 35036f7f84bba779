// The date picker: what "Importa" writes into which card, "Annulla", and a mode
// it does not know.
#include "members/CardFixture.h"

#include "checks/ui/TfrmCalendario.h"
#include "movements/ui/TfrmMovimenti.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>

class TestCalendario : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void windowAndControls();
    void importWritesTodayIntoTheMemberCard();
    void importWritesTheChosenDay();
    void annullaLeavesTheField_data();
    void annullaLeavesTheField();
    void unknownModeStaysOpen_data();
    void unknownModeStaysOpen();
    void movementModesWriteIntoTheMovementCard_data();
    void movementModesWriteIntoTheMovementCard();
};

namespace {

// Runs a picker on the member card in the given mode; `drive` acts on it while shown.
void runPicker(CardFixture &f, const QString &mode, const std::function<void(TfrmCalendario *)> &drive)
{
    f.app.platform.modal.handlers << [drive](QDialog *d) { drive(qobject_cast<TfrmCalendario *>(d)); };
    openDialog<TfrmCalendario>(f.card, [&mode](TfrmCalendario &c) { c.setMode(mode); });
}

void click(QWidget *dialog, const char *name) { QTest::mouseClick(control<QPushButton>(dialog, name), Qt::LeftButton); }

} // namespace

void TestCalendario::windowAndControls()
{
    CardFixture f;
    f.app.platform.clock.date = QDate(2014, 3, 5);
    runPicker(f, QStringLiteral("datasca"), [](TfrmCalendario *c) {
        QVERIFY(c);
        QCOMPARE(c->windowTitle(), QStringLiteral(" Importazione data"));
        QCOMPARE(c->size(), QSize(253, 294));
        QCOMPARE(c->minimumSize(), c->maximumSize());
        QCOMPARE(control<QLabel>(c, "lblCampo001")->text(), QStringLiteral("Importare una data:"));
        QCOMPARE(control<QLabel>(c, "lblCampo001")->font().family(), QStringLiteral("Verdana"));
        QVERIFY(control<QWidget>(c, "bkgCalendario"));
        auto *cal = control<QCalendarWidget>(c, "calAppuntamenti");
        QCOMPARE(cal->size(), QSize(182, 164));
        QCOMPARE(cal->selectedDate(), QDate(2014, 3, 5));
        QCOMPARE(control<QPushButton>(c, "btnImportaData")->text(), QStringLiteral("Importa"));
        QCOMPARE(control<QPushButton>(c, "btnAnnulla")->text(), QStringLiteral("Annulla"));
        QVERIFY(!control<QLabel>(c, "lblMemory")->isVisible());
        QCOMPARE(control<QLabel>(c, "lblMemory")->text(), QStringLiteral("datasca"));
    });
    QCOMPARE(f.app.platform.modal.opened, QStringList{"TfrmCalendario"});
}

void TestCalendario::importWritesTodayIntoTheMemberCard()
{
    CardFixture f;
    f.app.platform.clock.date = QDate(2014, 3, 5);
    f.field("txtDataSca")->setText(QStringLiteral("01/01/2015"));
    bool closed = false;
    runPicker(f, QStringLiteral("datasca"), [&](TfrmCalendario *c) {
        click(c, "btnImportaData");
        closed = !c->isVisible();
    });
    QVERIFY(closed);
    QCOMPARE(f.field("txtDataSca")->text(), QStringLiteral("05/03/2014"));
    QVERIFY(f.messages().shown.isEmpty());
}

void TestCalendario::importWritesTheChosenDay()
{
    CardFixture f;
    runPicker(f, QStringLiteral("datasca"), [&](TfrmCalendario *c) {
        control<QCalendarWidget>(c, "calAppuntamenti")->setSelectedDate(QDate(2025, 12, 1));
        click(c, "btnImportaData");
    });
    QCOMPARE(f.field("txtDataSca")->text(), QStringLiteral("01/12/2025"));
}

void TestCalendario::annullaLeavesTheField_data()
{
    QTest::addColumn<QString>("before");
    QTest::newRow("empty") << "";
    QTest::newRow("holding a date") << "01/01/2015";
}

void TestCalendario::annullaLeavesTheField()
{
    QFETCH(QString, before);
    CardFixture f;
    f.field("txtDataSca")->setText(before);
    bool closed = false;
    runPicker(f, QStringLiteral("datasca"), [&](TfrmCalendario *c) {
        click(c, "btnAnnulla");
        closed = !c->isVisible();
    });
    QVERIFY(closed);
    QCOMPARE(f.field("txtDataSca")->text(), before);
}

void TestCalendario::unknownModeStaysOpen_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("other word") << "anagrafica";
    QTest::newRow("case differs") << "DATASCA";
    QTest::newRow("not trimmed") << "datasca ";
    QTest::newRow("empty") << "";
}

void TestCalendario::unknownModeStaysOpen()
{
    QFETCH(QString, mode);
    CardFixture f;
    bool openAfterImport = false, closedAfterAnnulla = false;
    runPicker(f, mode, [&](TfrmCalendario *c) {
        click(c, "btnImportaData");
        openAfterImport = c->isVisible();
        click(c, "btnAnnulla");
        closedAfterAnnulla = !c->isVisible();
    });
    QVERIFY(openAfterImport);
    QVERIFY(closedAfterAnnulla);
    QCOMPARE(f.field("txtDataSca")->text(), QString());
}

void TestCalendario::movementModesWriteIntoTheMovementCard_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("untouched");
    QTest::newRow("operation date") << "movimenti_data" << "txtData" << "txtDataSca";
    QTest::newRow("due date") << "movimenti_scadenza" << "txtDataSca" << "txtData";
}

void TestCalendario::movementModesWriteIntoTheMovementCard()
{
    QFETCH(QString, mode);
    QFETCH(QString, written);
    QFETCH(QString, untouched);
    CardFixture f;
    // The movement card's two date fields, emptied.
    TfrmMovimenti *movements = f.app.screens->movimenti();
    movements->findChild<QLineEdit *>(QStringLiteral("txtData"))->clear();
    movements->findChild<QLineEdit *>(QStringLiteral("txtDataSca"))->clear();

    runPicker(f, mode, [](TfrmCalendario *c) { click(c, "btnImportaData"); });
    QCOMPARE(movements->findChild<QLineEdit *>(written)->text(), QStringLiteral("15/03/2024"));
    QCOMPARE(movements->findChild<QLineEdit *>(untouched)->text(), QString());
    QCOMPARE(f.field("txtDataSca")->text(), QString());

    // Imported again, the picker closes as well.
    bool closed = false;
    runPicker(f, mode, [&](TfrmCalendario *c) {
        click(c, "btnImportaData");
        closed = !c->isVisible();
    });
    QVERIFY(closed);
    QCOMPARE(f.field("txtDataSca")->text(), QString());
}

QTEST_MAIN(TestCalendario)
#include "tst_calendario.moc"
