#include "support/TestPlatform.h"

#include "balance/BalanceFixtures.h"
#include "balance/PeriodChoice.h"
#include "balance/ui/PickCombo.h"
#include "balance/ui/TfrmBilancio.h"
#include "balance/ui/TfrmMenuBilancio.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/PictureButton.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmPassword.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using PeriodChoice::Field;

namespace {

const QString kBlank = QStringLiteral("\n\r\n\r");
const QString kValidDate = QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare una data valida.");

// -1 stands for "no focus change".
constexpr int kUnmoved = -1;
constexpr int kNoProblem = -2;

} // namespace

class TestPeriodChooser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void checks_data();
    void checks();
    void leavingADropDown_data();
    void leavingADropDown();

    void showingStartsAfresh();
    void keysAndEnterCycle();
    void visualizza_data();
    void visualizza();

private:
    TfrmMenuBilancio *openChooser();
    std::unique_ptr<TestApp> m_app;
};

void TestPeriodChooser::checks_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("startDay");
    QTest::addColumn<QString>("startMonth");
    QTest::addColumn<QString>("endDay");
    QTest::addColumn<QString>("endMonth");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("startDate");
    QTest::addColumn<QString>("endDate");

    const QString w1 = QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
    QTest::newRow("three digits") << "214" << "01" << "Marzo" << "31" << "Marzo" << int(Field::Year) << w1 << ""
                                  << "";
    QTest::newRow("no year") << "" << "01" << "Marzo" << "31" << "Marzo" << int(Field::Year) << w1 << "" << "";
    QTest::newRow("four characters, not all digits")
        << " 214" << "01" << "Marzo" << "31" << "Marzo" << int(Field::Year) << w1 << "" << "";
    QTest::newRow("no start day") << "2014" << "  " << "Marzo" << "31" << "Marzo" << int(Field::StartDay)
                                  << "Attenzione: indicare il giorno di inizio intervallo selezionandolo "
                                     "dall'elenco a cascata."
                                  << "" << "";
    QTest::newRow("no start month") << "2014" << "01" << "" << "31" << "Marzo" << int(Field::StartMonth)
                                    << "Attenzione: indicare il mese di inizio intervallo selezionandolo "
                                       "dall'elenco a cascata."
                                    << "" << "";
    QTest::newRow("no end day") << "2014" << "01" << "Marzo" << "" << "Marzo" << int(Field::EndDay)
                                << "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco "
                                   "a cascata."
                                << "" << "";
    QTest::newRow("no end month") << "2014" << "01" << "Marzo" << "31" << "" << int(Field::EndMonth)
                                  << "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco "
                                     "a cascata."
                                  << "" << "";
    QTest::newRow("31 Aprile") << "2014" << "31" << "Aprile" << "30" << "Aprile" << int(Field::StartDay)
                               << "Attenzione: la data 31/04/2014 di inizio intervallo non esiste." + kBlank +
                                      kValidDate
                               << "31/04/2014" << "";
    QTest::newRow("29 Febbraio 2015 at the start")
        << "2015" << "29" << "Febbraio" << "31" << "Marzo" << int(Field::StartDay)
        << "Attenzione: la data 29/02/2015 di inizio intervallo non esiste." + kBlank + kValidDate << "29/02/2015"
        << "";
    QTest::newRow("29 Febbraio 2015 at the end")
        << "2015" << "01" << "Febbraio" << "29" << "Febbraio" << int(Field::EndDay)
        << "Attenzione: la data 29/02/2015 di fine intervallo non esiste." + kBlank + kValidDate << "01/02/2015"
        << "29/02/2015";
    QTest::newRow("29 Febbraio 2016") << "2016" << "29" << "Febbraio" << "29" << "Febbraio" << kNoProblem << ""
                                      << "29/02/2016" << "29/02/2016";
    QTest::newRow("end before start") << "2014" << "15" << "Giugno" << "01" << "Giugno" << kUnmoved
                                      << "Attenzione: la data di fine intervallo (01/06/2014) non può essere "
                                         "anteriore a quella di inizio intervallo (15/06/2014)." + kBlank +
                                             "Per poter visualizzare il riepilogo è necessario indicare un "
                                             "intervallo di tempo valido."
                                      << "15/06/2014" << "01/06/2014";
    QTest::newRow("single day") << "2014" << "05" << "Marzo" << "05" << "Marzo" << kNoProblem << ""
                                << "05/03/2014" << "05/03/2014";
    QTest::newRow("month names in any case of A-Z") << "2014" << " 01 " << "gennaio " << "31" << "DICEMBRE"
                                                     << kNoProblem << "" << "01/01/2014" << "31/12/2014";
}

void TestPeriodChooser::checks()
{
    QFETCH(QString, year);
    QFETCH(QString, startDay);
    QFETCH(QString, startMonth);
    QFETCH(QString, endDay);
    QFETCH(QString, endMonth);
    QFETCH(int, focus);
    QFETCH(QString, message);
    const PeriodChoice::Outcome o = PeriodChoice::check({year, startDay, startMonth, endDay, endMonth});
    QTEST(o.startDate, "startDate");
    QTEST(o.endDate, "endDate");
    if (focus == kNoProblem) {
        QVERIFY(!o.problem);
        QCOMPARE(o.fileName, TextRules::trim(year) + QStringLiteral(".eur"));
        return;
    }
    QVERIFY(o.problem);
    QCOMPARE(o.problem->message, message);
    QCOMPARE(o.problem->focus.has_value(), focus != kUnmoved);
    if (o.problem->focus)
        QCOMPARE(int(*o.problem->focus), focus);
    // The missing inputs are warnings; a date that does not exist or runs backwards is a plain box.
    QCOMPARE(o.problem->kind, message.startsWith(QStringLiteral("Attenzione: indicare"))
                                  ? PeriodChoice::Problem::Kind::Warning
                                  : PeriodChoice::Problem::Kind::Plain);
    QVERIFY(o.fileName.isEmpty());
}

void TestPeriodChooser::leavingADropDown_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::newRow("day of the list") << "txtGiornoInizio" << "07" << "07";
    QTest::newRow("day beyond 31") << "txtGiornoInizio" << "32" << "";
    QTest::newRow("day of one digit") << "txtGiornoFine" << "7" << "";
    QTest::newRow("month of the list") << "txtMeseInizio" << "Luglio" << "Luglio";
    QTest::newRow("month lower case") << "txtMeseFine" << "luglio" << "luglio";
    QTest::newRow("not a month") << "txtMeseFine" << "Lug" << "";
}

void TestPeriodChooser::leavingADropDown()
{
    QFETCH(QString, combo);
    QFETCH(QString, text);
    TfrmMenuBilancio *chooser = openChooser();
    auto *c = chooser->findChild<PickCombo *>(combo);
    QVERIFY(c);
    c->setFocus();
    // Text that did not come from the list (it cannot be typed) is dropped on leaving.
    c->setEditText(text);
    chooser->txtTipologia->setFocus();
    QTEST(c->currentText(), "kept");
    QVERIFY(!control<QWidget>(chooser, Form::frameName(combo).toLatin1().constData())->isVisible());
}

TfrmMenuBilancio *TestPeriodChooser::openChooser()
{
    m_app.reset();
    m_app = std::make_unique<TestApp>();
    m_app->platform.clock.date = QDate(2024, 3, 15);
    writeFirstAccessPassword(m_app->platform.file(QStringLiteral("unins000.dll")));
    auto *login = m_app->screens->password();
    QTest::keyClicks(login->txtPassword, QStringLiteral("benvenutissimo"));
    QTest::mouseClick(login->cmdOK, Qt::LeftButton);
    QTest::mouseClick(control<PictureButton>(m_app->screens->avvio(), "btnBilancio"), Qt::LeftButton);
    TfrmMenuBilancio *chooser = m_app->screens->menuBilancio();
    chooser->activateWindow();
    (void)QTest::qWaitForWindowActive(chooser);
    return chooser;
}

void TestPeriodChooser::showingStartsAfresh()
{
    TfrmMenuBilancio *chooser = openChooser();
    QVERIFY(chooser->isVisible());
    QCOMPARE(chooser->txtAnno->text(), QStringLiteral("2024"));
    QCOMPARE(chooser->lblAnnoInizio->text(), QStringLiteral("2024"));
    QCOMPARE(chooser->lblAnnoFine->text(), QStringLiteral("2024"));
    QVERIFY(chooser->txtTipologia->hasFocus());
    QVERIFY(!chooser->lblAttendere->isVisible());
    for (PickCombo *c : {chooser->txtGiornoInizio, chooser->txtMeseInizio, chooser->txtGiornoFine, chooser->txtMeseFine}) {
        QCOMPARE(c->currentIndex(), -1);
        QVERIFY(c->currentText().isEmpty());
    }
    QCOMPARE(chooser->txtGiornoInizio->count(), 31);
    QCOMPARE(chooser->txtMeseFine->itemText(11), QStringLiteral("Dicembre"));

    typeText(chooser->txtTipologia, QStringLiteral("Quota"));
    chooser->txtAnno->selectAll();
    QTest::keyClicks(chooser->txtAnno, QStringLiteral("2019"));
    chooser->txtMeseInizio->setCurrentIndex(2);
    // Esci hands back to the start menu; the next visit starts afresh.
    QTest::mouseClick(chooser->btnEsci, Qt::LeftButton);
    QVERIFY(!chooser->isVisible());
    QVERIFY(m_app->screens->avvio()->isVisible());
    QTest::mouseClick(control<PictureButton>(m_app->screens->avvio(), "imgBilancio"), Qt::LeftButton);
    QCOMPARE(chooser->txtAnno->text(), QStringLiteral("2024"));
    QCOMPARE(chooser->lblAnnoFine->text(), QStringLiteral("2024"));
    QVERIFY(chooser->txtTipologia->text().isEmpty());
    QCOMPARE(chooser->txtMeseInizio->currentIndex(), -1);
    QVERIFY(chooser->txtMeseInizio->currentText().isEmpty());
}

void TestPeriodChooser::keysAndEnterCycle()
{
    TfrmMenuBilancio *chooser = openChooser();
    // Letters do not reach the year; digits do, and the year labels follow.
    chooser->txtAnno->setFocus();
    QTest::keyClick(chooser->txtAnno, Qt::Key_Backspace);
    QTest::keyClicks(chooser->txtAnno, QStringLiteral("ab-"));
    QCOMPARE(chooser->txtAnno->text(), QStringLiteral("202"));
    QCOMPARE(chooser->lblAnnoInizio->text(), QStringLiteral("202"));
    QTest::keyClicks(chooser->txtAnno, QStringLiteral("39"));
    QCOMPARE(chooser->txtAnno->text(), QStringLiteral("2023"));
    QCOMPARE(chooser->lblAnnoFine->text(), QStringLiteral("2023"));

    // Typing into a drop-down has no effect: day and month come from the list.
    chooser->txtGiornoInizio->setFocus();
    QTest::keyClicks(chooser->txtGiornoInizio, QStringLiteral("12"));
    QVERIFY(chooser->txtGiornoInizio->currentText().isEmpty());
    QTest::keyClicks(chooser->txtMeseInizio, QStringLiteral("Marzo"));
    QVERIFY(chooser->txtMeseInizio->currentText().isEmpty());

    // Enter walks the fields in their order up to the button.
    const QList<QWidget *> order{chooser->txtAnno,       chooser->txtTipologia, chooser->txtGiornoInizio,
                                 chooser->txtMeseInizio, chooser->txtGiornoFine, chooser->txtMeseFine,
                                 chooser->btnVisualizza};
    order.first()->setFocus();
    for (int i = 0; i + 1 < order.size(); ++i) {
        QVERIFY2(order[i]->hasFocus(), order[i]->objectName().toLatin1());
        const QString frame = Form::frameName(order[i]->objectName());
        QVERIFY2(control<QWidget>(chooser, frame.toLatin1().constData())->isVisible(), qPrintable(frame));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY2(!control<QWidget>(chooser, frame.toLatin1().constData())->isVisible(), qPrintable(frame));
    }
    QVERIFY(chooser->btnVisualizza->hasFocus());
    // Enter on the button runs it: here the first check fails.
    QTest::keyClick(chooser->btnVisualizza, Qt::Key_Return);
    QCOMPARE(m_app->platform.messages.lastText(),
             QStringLiteral("Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata."));
    QVERIFY(chooser->txtGiornoInizio->hasFocus());
}

void TestPeriodChooser::visualizza_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("startDay");   // index in the list, -1 none
    QTest::addColumn<int>("startMonth");
    QTest::addColumn<int>("endDay");
    QTest::addColumn<int>("endMonth");
    QTest::addColumn<int>("box");        // kind of the box shown, -1 none
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused");
    QTest::newRow("214") << "214" << 0 << 2 << 30 << 2 << int(MessageBoxes::Kind::Warning)
                         << "Attenzione: indicare l'anno solare utilizzando quattro cifre." << "txtAnno";
    QTest::newRow("no end month") << "2014" << 0 << 2 << 30 << -1 << int(MessageBoxes::Kind::Warning)
                                  << "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a "
                                     "cascata."
                                  << "txtMeseFine";
    QTest::newRow("31 Aprile 2014") << "2014" << 30 << 3 << 30 << 4 << int(MessageBoxes::Kind::Plain)
                                    << "Attenzione: la data 31/04/2014 di inizio intervallo non esiste." + kBlank +
                                           kValidDate
                                    << "txtGiornoInizio";
    QTest::newRow("end before start, focus stays")
        << "2014" << 14 << 5 << 0 << 5 << int(MessageBoxes::Kind::Plain)
        << "Attenzione: la data di fine intervallo (01/06/2014) non può essere anteriore a quella di inizio "
           "intervallo (15/06/2014)." + kBlank +
               "Per poter visualizzare il riepilogo è necessario indicare un intervallo di tempo valido."
        << "btnVisualizza";
    QTest::newRow("single day opens the list") << "2014" << 4 << 2 << 4 << 2 << -1 << "" << "";
    QTest::newRow("year without a file") << "2031" << 0 << 0 << 30 << 11 << -1 << "" << "";
}

void TestPeriodChooser::visualizza()
{
    QFETCH(QString, year);
    QFETCH(int, startDay);
    QFETCH(int, startMonth);
    QFETCH(int, endDay);
    QFETCH(int, endMonth);
    QFETCH(int, box);
    QFETCH(QString, message);
    QFETCH(QString, focused);
    TfrmMenuBilancio *chooser = openChooser();
    BalanceFixtures::write(QStringLiteral("2014"),
                           BalanceFixtures::parse({"Quota|04/03/2014|+10,00", "Quota|05/03/2014|+20,00",
                                                   "Rimborso|05/03/2014|-5,00", "Quota|06/03/2014|+40,00"}));
    chooser->txtAnno->selectAll();
    QTest::keyClicks(chooser->txtAnno, year);
    chooser->txtTipologia->setFocus();
    chooser->txtGiornoInizio->setCurrentIndex(startDay);
    chooser->txtMeseInizio->setCurrentIndex(startMonth);
    chooser->txtGiornoFine->setCurrentIndex(endDay);
    chooser->txtMeseFine->setCurrentIndex(endMonth);
    chooser->btnVisualizza->setFocus();

    QStringList rows;
    QString total;
    bool noticeShown = false;
    m_app->platform.modal.handlers.append([&](QDialog *d) {
        auto *list = qobject_cast<TfrmBilancio *>(d);
        rows = BalanceFixtures::rows(list->lstRecords);
        total = list->lblBilancio->text();
        noticeShown = chooser->lblAttendere->isVisible();
    });
    QTest::mouseClick(chooser->btnVisualizza, Qt::LeftButton);
    QVERIFY(!chooser->lblAttendere->isVisible());
    if (box >= 0) {
        QCOMPARE(m_app->platform.messages.shown.size(), 1);
        QCOMPARE(int(m_app->platform.messages.shown.first().kind), box);
        QCOMPARE(m_app->platform.messages.lastText(), message);
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        QVERIFY(m_app->platform.modal.opened.isEmpty());
        return;
    }
    QVERIFY(m_app->platform.messages.shown.isEmpty());
    QCOMPARE(m_app->platform.modal.opened, QStringList{"TfrmBilancio"});
    QVERIFY(noticeShown);
    const QString file = m_app->platform.file(year + QStringLiteral(".eur"));
    QCOMPARE(chooser->lblFile->text(), file);
    if (year == QLatin1String("2014")) {
        QCOMPARE(chooser->lblDataInizio->text(), QStringLiteral("05/03/2014"));
        QCOMPARE(chooser->lblDataFine->text(), QStringLiteral("05/03/2014"));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(total, QStringLiteral("15,00 €"));
    } else {
        // The list creates the year's file, empty.
        QVERIFY(rows.isEmpty());
        QCOMPARE(total, QStringLiteral("0,00 €"));
        QCOMPARE(QFileInfo(file).size(), 0);
    }
}

QTEST_MAIN(TestPeriodChooser)
#include "tst_period_chooser.moc"
