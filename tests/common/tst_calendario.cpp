// The date picker: the day "Importa" hands back, and where the card that opened
// it puts it; "Annulla"; a picker told no field.
#include "members/CardFixture.h"

#include "common/ui/TfrmCalendario.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>

Q_DECLARE_METATYPE(TfrmCalendario::Field)

class TestCalendario : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void windowAndControls();
    void importWritesTodayIntoTheMemberCard();
    void importWritesTheChosenDay();
    void annullaLeavesTheField_data();
    void annullaLeavesTheField();
    void pickerWithoutAFieldStaysOpen();
    void enterPressesTheFocusedButton();
    void movementFieldsGetTheDayBack_data();
    void movementFieldsGetTheDayBack();
};

namespace {

// Opens the picker from the member card's expiry date the way the user does, by
// pressing a key in the field; `drive` acts on the picker while it is shown.
void runPicker(CardFixture &f, const std::function<void(TfrmCalendario *)> &drive)
{
    f.app.platform.modal.handlers << [drive](QDialog *d) { drive(qobject_cast<TfrmCalendario *>(d)); };
    FieldEdit *date = f.field("txtDataSca");
    date->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(date, Qt::Key_A);
}

void click(QWidget *dialog, const char *name) { QTest::mouseClick(control<QPushButton>(dialog, name), Qt::LeftButton); }

} // namespace

void TestCalendario::windowAndControls()
{
    CardFixture f;
    f.app.platform.clock.date = QDate(2014, 3, 5);
    runPicker(f, [](TfrmCalendario *c) {
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
    runPicker(f, [&](TfrmCalendario *c) {
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
    runPicker(f, [&](TfrmCalendario *c) {
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
    runPicker(f, [&](TfrmCalendario *c) {
        click(c, "btnAnnulla");
        closed = !c->isVisible();
    });
    QVERIFY(closed);
    QCOMPARE(f.field("txtDataSca")->text(), before);
}

void TestCalendario::enterPressesTheFocusedButton()
{
    // Enter on a focused button does what a click does, as on the users' desktop.
    CardFixture f;
    f.field("txtDataSca")->setText(QStringLiteral("01/01/2020"));
    runPicker(f, [&](TfrmCalendario *c) {
        auto *annulla = control<QPushButton>(c, "btnAnnulla");
        annulla->setFocus();
        QTest::keyClick(annulla, Qt::Key_Return);
        QVERIFY(!c->isVisible());
    });
    QCOMPARE(f.field("txtDataSca")->text(), QStringLiteral("01/01/2020"));
    runPicker(f, [&](TfrmCalendario *c) {
        auto *importa = control<QPushButton>(c, "btnImportaData");
        importa->setFocus();
        QTest::keyClick(importa, Qt::Key_Enter);
        QVERIFY(!c->isVisible());
    });
    QCOMPARE(f.field("txtDataSca")->text(), f.app.platform.clock.today().toString(QStringLiteral("dd/MM/yyyy")));
}

void TestCalendario::pickerWithoutAFieldStaysOpen()
{
    // The instance made at start-up knows no field: "Importa" has nowhere to
    // hand the day and does nothing; "Annulla" closes it.
    CardFixture f;
    bool openAfterImport = false, closedAfterAnnulla = false;
    std::optional<QDate> handedBack;
    f.app.platform.modal.handlers << [&](QDialog *d) {
        QCOMPARE(control<QLabel>(d, "lblMemory")->text(), QString());
        click(d, "btnImportaData");
        openAfterImport = d->isVisible();
        click(d, "btnAnnulla");
        closedAfterAnnulla = !d->isVisible();
        handedBack = qobject_cast<TfrmCalendario *>(d)->imported();
    };
    openDialog<TfrmCalendario>(f.card);
    QVERIFY(openAfterImport);
    QVERIFY(closedAfterAnnulla);
    QVERIFY(!handedBack);
    QCOMPARE(f.field("txtDataSca")->text(), QString());
}

void TestCalendario::movementFieldsGetTheDayBack_data()
{
    QTest::addColumn<TfrmCalendario::Field>("field");
    QTest::addColumn<QString>("mode");
    QTest::newRow("operation date") << TfrmCalendario::Field::MovementDate << "movimenti_data";
    QTest::newRow("due date") << TfrmCalendario::Field::MovementDue << "movimenti_scadenza";
}

void TestCalendario::movementFieldsGetTheDayBack()
{
    QFETCH(TfrmCalendario::Field, field);
    QFETCH(QString, mode);
    CardFixture f;
    // Whichever card asks, the day comes back to it and to nobody else: the
    // member card's own date stays as it was.
    f.field("txtDataSca")->setText(QStringLiteral("01/01/2015"));
    QWidget movementCard;
    QString shownMode;
    f.app.platform.modal.handlers << [&](QDialog *d) {
        shownMode = control<QLabel>(d, "lblMemory")->text();
        control<QCalendarWidget>(d, "calAppuntamenti")->setSelectedDate(QDate(2024, 2, 29));
        click(d, "btnImportaData");
    };
    QCOMPARE(TfrmCalendario::pick(&movementCard, field), std::optional<QDate>(QDate(2024, 2, 29)));
    QCOMPARE(shownMode, mode);

    f.app.platform.modal.handlers << [](QDialog *d) { click(d, "btnAnnulla"); };
    QCOMPARE(TfrmCalendario::pick(&movementCard, field), std::optional<QDate>());
    QCOMPARE(f.field("txtDataSca")->text(), QStringLiteral("01/01/2015"));
    QCOMPARE(f.app.platform.modal.opened, (QStringList{"TfrmCalendario", "TfrmCalendario"}));
}

QTEST_MAIN(TestCalendario)
#include "tst_calendario.moc"
