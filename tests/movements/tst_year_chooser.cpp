// The year chooser in front of the movement card: what it shows, the year
// field's keys, "Apri" and where closing it leads.
#include "MovementFixture.h"

#include "common/ui/TfrmGuida.h"

#include <QPlainTextEdit>

namespace {

// The program after the login with the year chooser opened from the start menu.
struct ChooserFixture
{
    ChooserFixture()
    {
        ScreenSet::handOver(app.screens->password(), app.screens->avvio());
        chooser = app.screens->menuMovimenti();
        QTest::mouseClick(control<PictureButton>(app.screens->avvio(), "imgMovimenti"), Qt::LeftButton);
        MovementFixture::settle(chooser);
        year = control<FieldEdit>(chooser, "txtAnnoPreventivi");
    }
    void retype(const QString &keys)
    {
        year->setFocus(Qt::MouseFocusReason);
        year->selectAll();
        QTest::keyClick(year, Qt::Key_Backspace);
        typeText(year, keys);
    }
    void apri() { QTest::mouseClick(control<QPushButton>(chooser, "btnApriPreventivi"), Qt::LeftButton); }

    TestApp app;
    TfrmMenuMovimenti *chooser = nullptr;
    FieldEdit *year = nullptr;
};

} // namespace

class TestYearChooser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void showsTheCurrentYear();
    void yearFieldKeys_data();
    void yearFieldKeys();
    void apri_data();
    void apri();
    void exitAndCloseBoxReturnToStartMenu_data();
    void exitAndCloseBoxReturnToStartMenu();
    void helpPage();
};

void TestYearChooser::showsTheCurrentYear()
{
    ChooserFixture f;
    QCOMPARE(f.chooser->windowTitle(), QStringLiteral(" Quintara - Registrazione movimenti"));
    QVERIFY(!f.app.screens->avvio()->isVisible());
    QCOMPARE(f.year->text(), QStringLiteral("2024"));
    QCOMPARE(f.year->typingLimit(), 4);
    QCOMPARE(QApplication::focusWidget(), f.year);
    QCOMPARE(control<QLabel>(f.chooser, "lblMemory")->text(), QStringLiteral("avvio"));
    QCOMPARE(control<QLabel>(f.chooser, "intAnnoPreventivi")->text(), QStringLiteral("Registro movimenti:"));
    QCOMPARE(control<QLabel>(f.chooser, "titAnnoPreventivi")->text(), QStringLiteral("Anno:"));
    QCOMPARE(control<QPushButton>(f.chooser, "btnApriPreventivi")->text(), QStringLiteral("Apri"));
    QCOMPARE(control<QLabel>(f.chooser, "lblInfo")->text(),
             QStringLiteral("In questo ambiente è possibile registrare i movimenti di denaro in entrata e in uscita."));
}

void TestYearChooser::yearFieldKeys_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << "2015" << "2015";
    QTest::newRow("letters, signs and blanks are refused") << "2a0-1 4." << "2014";
    QTest::newRow("a fifth digit is refused") << "201456" << "2014";
}

void TestYearChooser::yearFieldKeys()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    ChooserFixture f;
    f.retype(typed);
    QCOMPARE(f.year->text(), shown);
    // Tab is swallowed; Enter moves to "Apri" without opening the year.
    QTest::keyClick(f.year, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.year);
    QTest::keyClick(f.year, Qt::Key_Return);
    auto *apri = control<QPushButton>(f.chooser, "btnApriPreventivi");
    QCOMPARE(QApplication::focusWidget(), apri);
    QVERIFY(f.chooser->isVisible());
    // A second Enter, on the button, opens the year.
    QTest::keyClick(apri, Qt::Key_Return);
    QVERIFY(!f.chooser->isVisible());
    QCOMPARE(f.app.screens->movimenti()->windowTitle(), QStringLiteral(" Quintara - Registrazione movimenti anno ") + shown);
}

void TestYearChooser::apri_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("file"); // empty: refused
    QTest::newRow("2015") << "2015" << "2015.eur";
    QTest::newRow("year 0000") << "0000" << "0000.eur";
    QTest::newRow("three digits") << "201" << "";
    QTest::newRow("nothing") << "" << "";
}

void TestYearChooser::apri()
{
    QFETCH(QString, typed);
    QFETCH(QString, file);
    ChooserFixture f;
    f.retype(typed);
    f.apri();
    TfrmMovimenti *card = f.app.screens->movimenti();
    if (file.isEmpty()) {
        QCOMPARE(f.app.platform.messages.shown.size(), 1);
        QCOMPARE(f.app.platform.messages.shown[0].kind, MessageBoxes::Kind::Warning);
        QCOMPARE(f.app.platform.messages.shown[0].text,
                 QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        QVERIFY(f.chooser->isVisible());
        QVERIFY(!card->isVisible());
        QCOMPARE(QApplication::focusWidget(), f.year);
        QCOMPARE(control<QLabel>(f.chooser, "lblMemory")->text(), QStringLiteral("avvio"));
        return;
    }
    MovementFixture::settle(card);
    QVERIFY(f.app.platform.messages.shown.isEmpty());
    QVERIFY(!f.chooser->isVisible());
    QCOMPARE(card->windowTitle(), QStringLiteral(" Quintara - Registrazione movimenti anno ") + typed);
    QCOMPARE(control<QLabel>(card, "lblFile")->text(), f.app.platform.file(file));
    QCOMPARE(card->yearFile(), f.app.platform.file(file));
    // The card works on that file: a browse creates it.
    QTest::mouseClick(control<PictureButton>(card, "cmdPrimo"), Qt::LeftButton);
    QVERIFY(QFileInfo(f.app.platform.file(file)).isFile());
}

void TestYearChooser::exitAndCloseBoxReturnToStartMenu_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("exit picture") << false;
    QTest::newRow("close box") << true;
}

void TestYearChooser::exitAndCloseBoxReturnToStartMenu()
{
    QFETCH(bool, closeBox);
    ChooserFixture f;
    if (closeBox)
        f.chooser->close();
    else
        QTest::mouseClick(control<PictureButton>(f.chooser, "imgEsci"), Qt::LeftButton);
    QVERIFY(f.app.screens->avvio()->isVisible());
    QVERIFY(!f.chooser->isVisible());
    QVERIFY(!f.app.screens->movimenti()->isVisible());
    QCOMPARE(f.app.terminations, 0);
}

void TestYearChooser::helpPage()
{
    ChooserFixture f;
    QString title, body;
    f.app.platform.modal.handlers.append([&](QDialog *d) {
        auto *g = qobject_cast<TfrmGuida *>(d);
        QVERIFY(g);
        title = g->lblTitolo->text();
        body = g->txtGuida->toPlainText();
    });
    QTest::mouseClick(control<PictureButton>(f.chooser, "imgGuida"), Qt::LeftButton);
    QCOMPARE(f.app.platform.modal.opened, QStringList{QStringLiteral("TfrmGuida")});
    QCOMPARE(title, QStringLiteral("Applicazione Registrazione Movimenti."));
    QVERIFY(body.contains(QStringLiteral("Apri")));
    QVERIFY(f.chooser->isVisible());
}

QTEST_MAIN(TestYearChooser)
#include "tst_year_chooser.moc"
