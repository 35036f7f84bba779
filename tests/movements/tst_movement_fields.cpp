// The movement card while the user fills it: key filters, the Enter table,
// focus frames, the amount, the movement type, the dates, the code checks, the
// e-mail button, the payer and beneficiary imports, the attachments, the hints
// of the status line and the buttons that open the register's screens.
#include "MovementFixture.h"

#include "common/ui/TfrmCalendario.h"
#include "members/MemberFixtures.h"
#include "output/ui/TfrmAllegaCartella.h"
#include "support/ShownRows.h"

#include <QCalendarWidget>
#include <QListView>
#include <QMouseEvent>
#include <QWindow>

namespace {

// Moves the mouse over a control as the windowing system reports it: a move
// to the window, which finds the control under the mouse.
void hover(QWidget *w, QPoint local = QPoint(-1, -1))
{
    if (local == QPoint(-1, -1))
        local = w->rect().center();
    QWidget *top = w->window();
    const QPointF inWindow = w->mapTo(top, local);
    QMouseEvent move(QEvent::MouseMove, inWindow, inWindow, w->mapToGlobal(QPointF(local)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(top->windowHandle(), &move);
}

TSchedaSocio fullMember(const QString &name, const QString &card)
{
    TSchedaSocio m = MemberFixtures::member(name);
    m.Recapito = QStringLiteral("  075 123456 ");
    m.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    m.PartitaIva = QStringLiteral("01234567890");
    m.Cittadinanza = card;
    m.Email = QStringLiteral("mario@example.it");
    m.Citta = QStringLiteral("Perugia");
    return m;
}

QString lineEditText(QDialog *d, const char *name)
{
    auto *e = d->findChild<QLineEdit *>(QString::fromLatin1(name));
    return e ? e->text() : QStringLiteral("<missing>");
}

} // namespace

class TestMovementFields : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void editsAsLaidOut_data();
    void editsAsLaidOut();
    void keyFilters_data();
    void keyFilters();
    void tabIsSwallowedInNumericFields();
    void codeAndEmailCleanUp_data();
    void codeAndEmailCleanUp();
    void amountNormalisedOnLeaving_data();
    void amountNormalisedOnLeaving();
    void movementTypeCaption();
    void enterTable();
    void tabOrder();
    void dateFieldKeys_data();
    void dateFieldKeys();
    void pickerWritesTheDate_data();
    void pickerWritesTheDate();
    void erasersEmptyTheDates();
    void taxCodeButtonRouting_data();
    void taxCodeButtonRouting();
    void emailButton();
    void importFromMemberArchive_data();
    void importFromMemberArchive();
    void attachmentsAreStoredWithTheNextSave();
    void commandsOpenTheirScreens_data();
    void commandsOpenTheirScreens();
    void hintsFollowTheMouse();
};

void TestMovementFields::editsAsLaidOut_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("caption"); // the label at its left, tit<Field>
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("align"); // horizontal alignment
    const int left = Qt::AlignLeft, centre = Qt::AlignHCenter, right = Qt::AlignRight;
    QTest::newRow("txtData") << "txtData" << "Data operazione:" << 10 << 12 << centre;
    QTest::newRow("txtCausale") << "txtCausale" << "Causale:" << 250 << 12 << left;
    QTest::newRow("txtPromemoria") << "txtPromemoria" << "Promemoria:" << 250 << 12 << left;
    QTest::newRow("txtDataSca") << "txtDataSca" << "Data scadenza:" << 10 << 12 << centre;
    QTest::newRow("txtPreavviso") << "txtPreavviso" << "Avvisa n." << 3 << 12 << centre;
    QTest::newRow("txtImporto") << "txtImporto" << "" << 15 << 18 << right;
    QTest::newRow("txtPagatore") << "txtPagatore" << "Pagatore:" << 50 << 12 << left;
    QTest::newRow("txtRecapitoPag") << "txtRecapitoPag" << "Recapito:" << 50 << 12 << left;
    QTest::newRow("txtCodFisc") << "txtCodFisc" << "Codice fiscale:" << 16 << 12 << left;
    QTest::newRow("txtPartitaIva") << "txtPartitaIva" << "Partita IVA:" << 11 << 12 << left;
    QTest::newRow("txtCategoria") << "txtCategoria" << "Tessera n." << 50 << 12 << left;
    QTest::newRow("txtEmail") << "txtEmail" << "E-mail:" << 50 << 12 << left;
    QTest::newRow("txtPagamento") << "txtPagamento" << "Modalità pagamento:" << 150 << 12 << left;
    QTest::newRow("txtBeneficiario") << "txtBeneficiario" << "Beneficiario:" << 50 << 12 << left;
    QTest::newRow("txtRecapitoBen") << "txtRecapitoBen" << "Recapito:" << 50 << 12 << left;
    QTest::newRow("txtRicevuta") << "txtRicevuta" << "CRO / Ricevuta n." << 250 << 12 << left;
    QTest::newRow("txtNote") << "txtNote" << "Note:" << 250 << 12 << left;
    QTest::newRow("txtTariffa") << "txtTariffa" << "Tariffa applicata:" << 250 << 12 << left;
}

// Each edit of the card with its caption, its font, its alignment and the
// number of characters a user can type into it.
void TestMovementFields::editsAsLaidOut()
{
    QFETCH(QString, field);
    QFETCH(QString, caption);
    QFETCH(int, limit);
    QFETCH(int, points);
    QFETCH(int, align);
    MovementFixture f;
    const QByteArray name = field.toLatin1();
    FieldEdit *e = f.field(name.constData());
    if (!caption.isEmpty())
        QCOMPARE(f.label((QByteArray("tit") + name.mid(3)).constData())->text(), caption);
    QCOMPARE(e->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(e->font().pointSize(), points);
    QVERIFY(e->font().bold());
    QCOMPARE(int(e->alignment() & Qt::AlignHorizontal_Mask), align);
    const bool date = field == QLatin1String("txtData") || field == QLatin1String("txtDataSca");
    QCOMPARE(e->isReadOnly(), date);
    if (date) {
        // Typed dates never reach the field: the picker writes them.
        QCOMPARE(e->typingLimit(), limit);
        return;
    }
    e->setFocus(Qt::MouseFocusReason);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    typeText(e, QString(limit + 3, QLatin1Char('1')));
    QCOMPARE(e->text(), QString(limit, QLatin1Char('1')));
}

void TestMovementFields::keyFilters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("notice days: digits only, no comma") << "txtPreavviso" << "1a,5" << "15";
    QTest::newRow("VAT number: digits only") << "txtPartitaIva" << "IT 0123,4" << "01234";
    QTest::newRow("amount: digits and comma") << "txtImporto" << "1a2-3.4,5x" << "1234,5";
    QTest::newRow("reason takes anything") << "txtCausale" << "Quota 2014, rata n.1 - è" << "Quota 2014, rata n.1 - è";
}

void TestMovementFields::keyFilters()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    MovementFixture f;
    FieldEdit *e = f.field(field.toLatin1().constData());
    e->clear();
    f.type(field.toLatin1().constData(), typed);
    QCOMPARE(e->text(), shown);
}

void TestMovementFields::tabIsSwallowedInNumericFields()
{
    MovementFixture f;
    for (const char *name : {"txtPreavviso", "txtPartitaIva", "txtImporto"}) {
        f.field(name)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(f.field(name), Qt::Key_Tab);
        QCOMPARE(f.focused(), f.widget(name));
    }
}

void TestMovementFields::codeAndEmailCleanUp_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("tax code upper-cased and trimmed") << "txtCodFisc" << " abc12" << "ABC12";
    QTest::newRow("accented letters keep their case") << "txtCodFisc" << "rèx" << "RèX";
    QTest::newRow("e-mail trimmed, case kept") << "txtEmail" << " Mario@Example.it " << "Mario@Example.it";
}

void TestMovementFields::codeAndEmailCleanUp()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    MovementFixture f;
    f.type(field.toLatin1().constData(), typed);
    QCOMPARE(f.field(field.toLatin1().constData())->text(), shown);
}

void TestMovementFields::amountNormalisedOnLeaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("7") << "7" << "7,00";
    QTest::newRow("7,5") << "7,5" << "7,50";
    QTest::newRow(",5") << ",5" << "0,50";
    QTest::newRow("1234,567") << "1234,567" << "1234,57";
    QTest::newRow("12,344") << "12,344" << "12,34";
    QTest::newRow("1,005") << "1,005" << "1,00";
    QTest::newRow("0012") << "0012" << "12,00";
    QTest::newRow("only a comma") << "," << "0,00";
    QTest::newRow("two commas") << "1,2,3" << "0,00";
    QTest::newRow("empty") << "" << "0,00";
}

void TestMovementFields::amountNormalisedOnLeaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    MovementFixture f;
    FieldEdit *amount = f.field("txtImporto");
    amount->setFocus(Qt::MouseFocusReason);
    amount->selectAll();
    QTest::keyClick(amount, Qt::Key_Backspace);
    typeText(amount, typed);
    QVERIFY(f.widget("effImporto")->isVisible());
    QTest::keyClick(amount, Qt::Key_Return); // Enter leads to the payer
    QCOMPARE(f.focused(), f.widget("txtPagatore"));
    QCOMPARE(amount->text(), shown);
    QVERIFY(!f.widget("effImporto")->isVisible());
    // A second pass changes nothing.
    amount->setFocus(Qt::MouseFocusReason);
    f.field("txtPagatore")->setFocus(Qt::MouseFocusReason);
    QCOMPARE(amount->text(), shown);
}

void TestMovementFields::movementTypeCaption()
{
    MovementFixture f;
    QLabel *caption = f.label("lblImporto");
    QCOMPARE(f.label("titTipo")->text(), QStringLiteral("Tipo movimento:"));
    QCOMPARE(f.radio("optEntrata")->text(), QStringLiteral("Entrata"));
    QCOMPARE(f.radio("optUscita")->text(), QStringLiteral("Uscita"));
    QCOMPARE(f.label("lblGiorni")->text(), QStringLiteral("giorni prima della scadenza."));
    QCOMPARE(f.settled()->text(), QStringLiteral("Saldato"));
    QCOMPARE(caption->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(caption->font().pointSize(), 14);
    QVERIFY(caption->font().bold());
    QCOMPARE(int(caption->alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignRight));
    QTest::mouseClick(f.radio("optUscita"), Qt::LeftButton);
    QVERIFY(f.radio("optUscita")->isChecked());
    QVERIFY(!f.radio("optEntrata")->isChecked());
    QCOMPARE(caption->text(), QStringLiteral("Importo in uscita: €"));
    QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QTest::mouseClick(f.radio("optEntrata"), Qt::LeftButton);
    QVERIFY(!f.radio("optUscita")->isChecked());
    QCOMPARE(caption->text(), QStringLiteral("Importo in entrata: €"));
    QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    // The signed amount is decided at save time, not here.
    QCOMPARE(f.label("txtTotale")->text(), QStringLiteral("+0,00"));
}

void TestMovementFields::enterTable()
{
    MovementFixture f;
    const char *const cycle[][2] = {
        {"txtCausale", "txtPromemoria"},     {"txtPromemoria", "txtDataSca"},    {"txtPreavviso", "txtImporto"},
        {"txtImporto", "txtPagatore"},       {"txtPagatore", "txtRecapitoPag"},  {"txtRecapitoPag", "txtCodFisc"},
        {"txtCodFisc", "txtPartitaIva"},     {"txtPartitaIva", "txtCategoria"},  {"txtCategoria", "txtEmail"},
        {"txtEmail", "txtPagamento"},        {"txtPagamento", "txtBeneficiario"}, {"txtBeneficiario", "txtRecapitoBen"},
        {"txtRecapitoBen", "txtRicevuta"},   {"txtRicevuta", "txtNote"},         {"txtNote", "txtTariffa"},
        {"txtTariffa", "txtData"},
    };
    for (const auto &step : cycle) {
        f.field(step[0])->setFocus(Qt::MouseFocusReason);
        QVERIFY(f.widget(Form::frameName(QString::fromLatin1(step[0])).toLatin1().constData())->isVisible());
        QTest::keyClick(f.field(step[0]), Qt::Key_Return);
        QVERIFY2(f.focused() == f.widget(step[1]), step[0]);
        QVERIFY(!f.widget(Form::frameName(QString::fromLatin1(step[0])).toLatin1().constData())->isVisible());
        QVERIFY(f.widget(Form::frameName(QString::fromLatin1(step[1])).toLatin1().constData())->isVisible());
    }
    // Arriving at the operation date by Enter does not open the picker.
    QVERIFY(f.app.platform.modal.opened.isEmpty());
    QVERIFY(f.messages().shown.isEmpty());
}

void TestMovementFields::tabOrder()
{
    MovementFixture f;
    const QStringList expected = {
        "optEntrata",     "optUscita",     "txtData",     "txtCausale",   "txtPromemoria", "txtDataSca",
        "txtPreavviso",   "txtImporto",    "txtPagatore", "txtRecapitoPag", "txtCodFisc",  "txtPartitaIva",
        "txtCategoria",   "txtEmail",      "txtPagamento", "txtBeneficiario", "txtRecapitoBen", "txtRicevuta",
        "txtNote",        "txtTariffa",    "chkSaldato",
    };
    QStringList chain;
    QWidget *w = f.radio("optEntrata");
    for (int i = 0; i < expected.size(); ++i) {
        chain.append(w->objectName());
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible());
    }
    QCOMPARE(chain, expected);
}

void TestMovementFields::dateFieldKeys_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("mode");
    QTest::newRow("operation date") << "txtData" << "movimenti_data";
    QTest::newRow("due date") << "txtDataSca" << "movimenti_scadenza";
}

void TestMovementFields::dateFieldKeys()
{
    QFETCH(QString, field);
    QFETCH(QString, mode);
    MovementFixture f;
    FieldEdit *date = f.field(field.toLatin1().constData());
    date->setText(QStringLiteral("01/01/2015"));
    QVERIFY(date->isReadOnly());
    QStringList modes;
    for (int i = 0; i < 2; ++i)
        f.app.platform.modal.handlers.append([&](QDialog *d) { modes.append(control<QLabel>(d, "lblMemory")->text()); });

    date->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(date, Qt::Key_A);
    QCOMPARE(date->text(), QStringLiteral("01/01/2015"));
    QTest::keyClick(date, Qt::Key_Return);
    QCOMPARE(modes, QStringList({mode, mode}));
    QCOMPARE(f.app.platform.modal.opened, QStringList({"TfrmCalendario", "TfrmCalendario"}));
    QCOMPARE(date->text(), QStringLiteral("01/01/2015"));

    QTest::keyClick(date, Qt::Key_Backspace);
    QCOMPARE(date->text(), QString());
    date->setText(QStringLiteral("01/01/2015"));
    QTest::keyClick(date, Qt::Key_Delete);
    QCOMPARE(date->text(), QString());
    QCOMPARE(f.app.platform.modal.opened.size(), 2);
}

void TestMovementFields::pickerWritesTheDate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("other");
    QTest::newRow("operation date") << "txtData" << "txtDataSca";
    QTest::newRow("due date") << "txtDataSca" << "txtData";
}

// The picker starts at today whatever the field holds; the chosen day goes into
// the field that asked for it, and the card saves it as a valid date.
void TestMovementFields::pickerWritesTheDate()
{
    QFETCH(QString, field);
    QFETCH(QString, other);
    MovementFixture f;
    f.fillRequired();
    FieldEdit *date = f.field(field.toLatin1().constData());
    const QString otherBefore = f.field(other.toLatin1().constData())->text();
    date->setText(QStringLiteral("01/01/2015"));
    f.app.platform.modal.handlers.append([](QDialog *d) {
        auto *cal = d->findChild<QCalendarWidget *>(QStringLiteral("calAppuntamenti"));
        QCOMPARE(cal->selectedDate(), QDate(2024, 3, 15));
        cal->setSelectedDate(QDate(2014, 4, 5));
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("btnImportaData")), Qt::LeftButton);
    });
    date->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(date, Qt::Key_Space);
    QCOMPARE(date->text(), QStringLiteral("05/04/2014"));
    QCOMPARE(f.field(other.toLatin1().constData())->text(), otherBefore);
    f.click("cmdSalva");
    QCOMPARE(f.messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    const TSchedaMovimento stored = f.storedRecord(1);
    QCOMPARE(field == QLatin1String("txtData") ? stored.Data : stored.DataSca, QStringLiteral("05/04/2014"));
}

void TestMovementFields::erasersEmptyTheDates()
{
    MovementFixture f;
    f.field("txtDataSca")->setText(QStringLiteral("31/03/2014"));
    f.field("txtCausale")->setFocus(Qt::MouseFocusReason);
    f.click("impData");
    QCOMPARE(f.field("txtData")->text(), QString());
    QCOMPARE(f.field("txtDataSca")->text(), QStringLiteral("31/03/2014"));
    f.click("impDataSca");
    QCOMPARE(f.field("txtDataSca")->text(), QString());
    // The pictures never take the focus from the field being typed in.
    QCOMPARE(f.focused(), f.widget("txtCausale"));
}

void TestMovementFields::taxCodeButtonRouting_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("codFisc");
    QTest::addColumn<QString>("partitaIva");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("passed");
    QTest::newRow("empty tax code") << "chkCodFisc" << "" << "01234567890" << "TfrmCodFisc" << "txtCodFisc" << "";
    QTest::newRow("tax code") << "chkCodFisc" << "rssmra80a01h501u" << "" << "TfrmCodFisc" << "txtCodFisc"
                              << "RSSMRA80A01H501U";
    QTest::newRow("digits only: a company's VAT number") << "chkCodFisc" << "01234567890" << "" << "TfrmPartitaIva"
                                                        << "txtPartitaIva" << "01234567890";
    QTest::newRow("VAT button") << "chkIva" << "RSSMRA80A01H501U" << "01234567890" << "TfrmPartitaIva"
                                << "txtPartitaIva" << "01234567890";
}

void TestMovementFields::taxCodeButtonRouting()
{
    QFETCH(QString, button);
    QFETCH(QString, codFisc);
    QFETCH(QString, partitaIva);
    QFETCH(QString, screen);
    QFETCH(QString, edit);
    QFETCH(QString, passed);
    MovementFixture f;
    f.type("txtCodFisc", codFisc);
    f.type("txtPartitaIva", partitaIva);
    const MovementCardValues before = f.card->values();
    QString got;
    f.app.platform.modal.handlers.append([&](QDialog *d) { got = lineEditText(d, edit.toLatin1().constData()); });
    f.click(button.toLatin1().constData());
    QCOMPARE(f.app.platform.modal.opened, QStringList{screen});
    QCOMPARE(got, passed);
    QVERIFY(f.card->values() == before);
}

void TestMovementFields::emailButton()
{
    MovementFixture f;
    f.field("txtCausale")->setFocus(Qt::MouseFocusReason);
    f.click("sndEmail");
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, MessageBoxes::Kind::Warning);
    QCOMPARE(f.messages().shown[0].text, QStringLiteral("Attenzione: indicare l'indirizzo e-mail del tesserato."));
    QCOMPARE(f.focused(), f.widget("txtEmail"));
    QVERIFY(f.app.platform.shell.opened.isEmpty());

    f.type("txtEmail", QStringLiteral("tesoriere@circolo.it"));
    f.click("sndEmail");
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.app.platform.shell.opened.size(), 1);
    QCOMPARE(f.app.platform.shell.opened[0].scheme(), QStringLiteral("mailto"));
    QCOMPARE(f.app.platform.shell.opened[0].path(), QStringLiteral("tesoriere@circolo.it"));
}

void TestMovementFields::importFromMemberArchive_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("mode");
    QTest::newRow("payer") << "impPagatore" << "movimenti_pagatore";
    QTest::newRow("beneficiary") << "impBeneficiario" << "movimenti_beneficiario";
}

// Only the fields of the chosen role change; nothing is saved.
void TestMovementFields::importFromMemberArchive()
{
    QFETCH(QString, button);
    QFETCH(QString, mode);
    MovementFixture f;
    MemberFixtures::write({fullMember(QStringLiteral("Bianchi Anna"), QStringLiteral("T-1")),
                           fullMember(QStringLiteral("Verdi Carlo"), QStringLiteral("T-2"))});
    f.fillRequired();
    f.type("txtRecapitoPag", QStringLiteral("vecchio recapito"));
    f.type("txtCategoria", QStringLiteral("vecchia tessera"));
    f.type("txtRecapitoBen", QStringLiteral("sede"));
    const MovementCardValues before = f.card->values();

    QString shownMode;
    f.app.platform.modal.handlers.append([&](QDialog *d) {
        shownMode = control<QLabel>(d, "lblMemory")->text();
        QTest::mouseClick(control<QPushButton>(d, "btnCerca"), Qt::LeftButton);
        auto *list = control<QListView>(d, "lstRecords");
        QCOMPARE(ShownRows::count(list), 2);
        MemberFixtures::doubleClickRow(list, 1); // Verdi Carlo
    });
    f.click(button.toLatin1().constData());
    QCOMPARE(f.app.platform.modal.opened, QStringList{QStringLiteral("TfrmTrovaAnagrafica")});
    QCOMPARE(shownMode, mode);

    MovementCardValues expected = before;
    if (mode == QLatin1String("movimenti_pagatore")) {
        expected.texts.Pagatore = QStringLiteral("Verdi Carlo");
        expected.texts.RecapitoPag = QStringLiteral("075 123456");
        expected.texts.CodFisc = QStringLiteral("RSSMRA80A01H501U");
        expected.texts.PartitaIva = QStringLiteral("01234567890");
        expected.texts.Categoria = QStringLiteral("T-2");
        expected.texts.Email = QStringLiteral("mario@example.it");
    } else {
        expected.texts.Beneficiario = QStringLiteral("Verdi Carlo");
        expected.texts.RecapitoBen = QStringLiteral("075 123456");
    }
    QVERIFY(f.card->values() == expected);
    QCOMPARE(f.field("txtPagatore")->text(), expected.texts.Pagatore);
    QCOMPARE(f.field("txtRecapitoBen")->text(), expected.texts.RecapitoBen);
    QVERIFY(!QFile::exists(f.yearFile()));

    // The next save stores the imported member with what was typed before.
    f.click("cmdSalva");
    QCOMPARE(f.messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    const TSchedaMovimento stored = f.storedRecord(1);
    QCOMPARE(stored.Causale, QStringLiteral("Quota sociale"));
    QCOMPARE(stored.Pagatore, expected.texts.Pagatore);
    QCOMPARE(stored.RecapitoPag, expected.texts.RecapitoPag);
    QCOMPARE(stored.CodFisc, expected.texts.CodFisc);
    QCOMPARE(stored.PartitaIva, expected.texts.PartitaIva);
    QCOMPARE(stored.Categoria, expected.texts.Categoria);
    QCOMPARE(stored.Email, expected.texts.Email);
    QCOMPARE(stored.Beneficiario, expected.texts.Beneficiario);
    QCOMPARE(stored.RecapitoBen, expected.texts.RecapitoBen);
    QCOMPARE(QFileInfo(f.yearFile()).size(), qint64(TSchedaMovimento::Size));
}

void TestMovementFields::attachmentsAreStoredWithTheNextSave()
{
    MovementFixture f;
    TSchedaMovimento r = movement(QStringLiteral("Con allegati"));
    r.File01 = QStringLiteral("fattura.pdf");
    r.Desc01 = QStringLiteral("Fattura");
    r.File02 = QStringLiteral("contratto.pdf");
    f.writeYear({r});
    f.click("cmdPrimo");
    QStringList opened;
    f.app.platform.modal.handlers.append([&](QDialog *d) {
        QCOMPARE(control<QLabel>(d, "lblMemory")->text(), QStringLiteral("movimenti"));
        opened << lineEditText(d, "txtFile01") << lineEditText(d, "txtDesc01") << lineEditText(d, "txtFile02");
        // The second slot cleared with its eraser, the third given a description.
        QTest::mouseClick(control<PictureButton>(d, "imgCancella02"), Qt::LeftButton);
        d->findChild<QLineEdit *>(QStringLiteral("txtDesc03"))->setText(QStringLiteral("  nota  "));
        QTest::mouseClick(control<QPushButton>(d, "btnApplica"), Qt::LeftButton);
    });
    f.click("cmdFile");
    QCOMPARE(opened, QStringList({"fattura.pdf", "Fattura", "contratto.pdf"}));
    QCOMPARE(f.label("lblFile02")->text(), QString());
    QCOMPARE(f.label("lblDesc03")->text(), QStringLiteral("nota"));
    QCOMPARE(f.storedRecord(1).File02, QStringLiteral("contratto.pdf"));

    f.click("cmdSalva");
    TSchedaMovimento expected = r;
    expected.File02.clear();
    expected.Desc03 = QStringLiteral("nota");
    QCOMPARE(f.storedBytes(1), RecordCodec::encode(expected));
}

void TestMovementFields::commandsOpenTheirScreens_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("screen");
    QTest::newRow("search") << "cmdTrova" << "TfrmTrovaMovimenti";
    QTest::newRow("payments due") << "cmdScadenze" << "TfrmSospesiMov";
    QTest::newRow("print") << "cmdStampa" << "TfrmStampaMovimento";
    QTest::newRow("export") << "cmdEsporta" << "TfrmExpMovimenti";
    QTest::newRow("attachments") << "cmdFile" << "TfrmAllegaCartella";
    QTest::newRow("help") << "cmdGuida" << "TfrmGuida";
}

void TestMovementFields::commandsOpenTheirScreens()
{
    QFETCH(QString, button);
    QFETCH(QString, screen);
    MovementFixture f;
    f.type("txtCausale", QStringLiteral("in corso"));
    const MovementCardValues before = f.card->values();
    f.click(button.toLatin1().constData());
    QCOMPARE(f.app.platform.modal.opened, QStringList{screen});
    QVERIFY(f.card->isVisible());
    QVERIFY(f.card->values() == before);
    // The screens that read the year may create it; none writes a card into it.
    QVERIFY(f.bytes().isEmpty());
}

void TestMovementFields::hintsFollowTheMouse()
{
    MovementFixture f;
    // The offscreen screen is smaller than the card; give the window room for the whole panel.
    f.card->showNormal();
    f.card->resize(1280, 800);
    QLabel *info = f.label("panInfo");
    const struct
    {
        const char *control;
        const char *hint;
    } hints[] = {
        {"cmdNuovo", "Predispone la schermata per l'inserimento di una nuova scheda."},
        {"cmdDuplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
        {"cmdSalva", "Salva la scheda corrente in archivio."},
        {"cmdTrova", "Trova una scheda in archivio."},
        {"cmdFile", "Allega file alla scheda corrente."},
        {"cmdStampa", "Stampa la scheda corrente."},
        {"cmdPrimo", "Visualizza la prima scheda in archivio."},
        {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
        {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
        {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
        {"cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel."},
        {"cmdScadenze", "Visualizza il riepilogo dei pagamenti in scadenza o scaduti e non saldati."},
        {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
        {"cmdEsci", "Esci da questa schermata di lavoro."},
        {"optEntrata", "Spunta questa casella per registrare un importo in entrata."},
        {"optUscita", "Spunta questa casella per registrare un importo in uscita."},
        {"txtData", "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario."},
        {"txtDataSca", "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario."},
        {"impData", "Cancella la data."},
        {"impDataSca", "Cancella la data."},
        {"impPagatore", "Importa i dati dall'archivio anagrafico dei Soci."},
        {"impBeneficiario", "Importa i dati dall'archivio anagrafico dei Soci."},
        {"chkCodFisc", "Controlla il codice fiscale."},
        {"chkIva", "Controlla il numero di partita IVA."},
        {"sndEmail", "Invia una e-mail all'indirizzo indicato."},
        {"chkSaldato", "Spunta questa casella per indicare che il pagamento è stato saldato."},
    };
    for (const auto &h : hints) {
        hover(f.widget("shpRiga01"));
        QCOMPARE(info->text(), QString());
        hover(f.widget(h.control));
        QVERIFY2(info->text() == QString::fromUtf8(h.hint), qPrintable(QString::fromLatin1(h.control) + info->text()));
        // An edit without a hint of its own leaves the line as it is.
        hover(f.widget("txtCausale"));
        QVERIFY2(info->text() == QString::fromUtf8(h.hint), h.control);
    }
    // The row pictures, the panel of the two choices, a free spot of the toolbar
    // and of the status line.
    const struct
    {
        const char *name;
        QPoint at;
    } background[] = {
        {"imgRiga03", {20, 20}}, {"panTipo", {122, 18}}, {"shpToolbar", {420, 28}}, {"shpInfo", {600, 16}},
    };
    for (const auto &b : background) {
        hover(f.widget("cmdSalva"));
        hover(f.widget(b.name), b.at);
        QVERIFY2(info->text().isEmpty(), b.name);
    }
}

QTEST_MAIN(TestMovementFields)
#include "tst_movement_fields.moc"
