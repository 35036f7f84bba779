// The member card while the user types: key filters, the Enter cycle with its
// focus frames, the code and e-mail rules, the fee normalisation, the expiry
// date field and the hints of the status line.
#include "CardFixture.h"

#include "common/ui/TfrmCalendario.h"

#include <QCalendarWidget>
#include <QMimeData>
#include <QMenu>
#include <QClipboard>
#include <QDialog>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace {

const char *const kCycle[] = {"txtDipendente", "txtCittadinanza", "txtStipendio", "txtLuogo", "txtDataNasc",
                              "txtCodFisc", "txtPartitaIva", "txtIndirizzo", "txtCitta", "txtProv",
                              "txtCap", "txtQualifiche", "txtFamiliari", "txtIban", "txtNote",
                              "txtDataSca", "txtPreavviso", "txtRecapito", "txtEmail"};

QString frameOf(const char *edit) { return QStringLiteral("eff") + QString::fromLatin1(edit + 3); }

// Moves the mouse over a control as the windowing system reports it: a move
// event to the window, which finds the control under the mouse and sends it the
// enter and leave events on the way.
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

} // namespace

class TestCardFields : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keyFilters_data();
    void keyFilters();
    void tabIsSwallowedInNumericFields();
    void enterCycleMovesFocusAndFrames();
    void tabOrderFollowsTheCycle();
    void refusedSaveWithARealBoxLeavesTheFieldTypedIn();
    void reopenedCardShowsOneFrame();
    void codeAndEmailRules_data();
    void codeAndEmailRules();
    void typedTextStopsAtMaximumButLoadedTextIsWhole();
    void pastedTextObeysLimitsAndFilters_data();
    void pastedTextObeysLimitsAndFilters();
    void feeNormalisedOnLeaving_data();
    void feeNormalisedOnLeaving();
    void feeSavedWithoutLeavingIsStoredAsTyped();
    void longFeeIsStoredCutToTwelve();
    void expiryDateKeys();
    void eraserEmptiesExpiryDate();
    void hintsFollowTheMouse();
};

void TestCardFields::keyFilters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("fee: letters, minus and point do nothing") << "txtStipendio" << "1a2-3.4,5x" << "1234,5";
    QTest::newRow("fee: comma works") << "txtStipendio" << ",5" << ",5";
    QTest::newRow("VAT number: digits only") << "txtPartitaIva" << "IT 0123,4" << "01234";
    QTest::newRow("notice days: digits only") << "txtPreavviso" << "1g5" << "15";
    QTest::newRow("name takes anything") << "txtDipendente" << "D'Amico-Rè, 3." << "D'Amico-Rè, 3.";
}

void TestCardFields::keyFilters()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    CardFixture f;
    FieldEdit *e = f.field(field.toLatin1().constData());
    e->clear();
    f.type(field.toLatin1().constData(), typed);
    QCOMPARE(e->text(), shown);
}

void TestCardFields::tabIsSwallowedInNumericFields()
{
    CardFixture f;
    for (const char *name : {"txtStipendio", "txtPartitaIva", "txtPreavviso"}) {
        f.type(name, QStringLiteral("1"));
        QTest::keyClick(f.field(name), Qt::Key_Tab);
        QCOMPARE(f.focused(), f.widget(name));
        QTest::keyClick(f.field(name), Qt::Key_Home);
        QTest::keyClick(f.field(name), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.focused(), f.widget(name));
    }
}

void TestCardFields::enterCycleMovesFocusAndFrames()
{
    CardFixture f;
    QCOMPARE(f.focused(), f.widget("txtDipendente"));
    const int n = int(std::size(kCycle));
    for (int i = 0; i < n; ++i) {
        const char *from = kCycle[i];
        if (QByteArrayView(from) == "txtDataSca")
            continue; // Enter there opens the picker
        const char *to = kCycle[(i + 1) % n];
        f.field(from)->setFocus(Qt::MouseFocusReason);
        QVERIFY(f.widget(frameOf(from).toLatin1().constData())->isVisible());
        QTest::keyClick(f.field(from), Qt::Key_Return);
        QVERIFY2(f.focused() == f.widget(to), from);
        QVERIFY2(f.widget(frameOf(to).toLatin1().constData())->isVisible(), to);
        QVERIFY2(!f.widget(frameOf(from).toLatin1().constData())->isVisible(), from);
    }
    // From the e-mail back to the name, with only the name's frame showing.
    QCOMPARE(f.focused(), f.widget("txtDipendente"));
    int visibleFrames = 0;
    for (const char *name : kCycle)
        visibleFrames += f.widget(frameOf(name).toLatin1().constData())->isVisible() ? 1 : 0;
    QCOMPARE(visibleFrames, 1);
    QVERIFY(f.app.platform.modal.opened.isEmpty());
}

namespace {

QStringList visibleFrames(const CardFixture &f)
{
    QStringList out;
    for (const char *name : kCycle)
        if (f.widget(frameOf(name).toLatin1().constData())->isVisible())
            out.append(frameOf(name));
    return out;
}

} // namespace

void TestCardFields::refusedSaveWithARealBoxLeavesTheFieldTypedIn()
{
    CardFixture f;
    writeArchive({});
    f.field("txtStipendio")->clear();
    f.type("txtStipendio", QStringLiteral("12,5"));
    // The check on the missing name shows its box as a real window, which takes
    // the activation from the card while it is up.
    QStringList framesWhileBoxUp;
    f.messages().onShow = [&](const ShownMessage &) {
        QDialog box(f.card);
        box.show();
        box.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &box);
        QVERIFY(!f.card->isActiveWindow());
        framesWhileBoxUp = visibleFrames(f);
        box.hide();
    };
    f.click("btnSalva");
    QCOMPARE(f.messages().shown.size(), 1);
    f.card->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.card));
    QCoreApplication::processEvents();

    // While the box was up the user had not left the fee; once the card is back the
    // focus is in the name, alone in its frame, and the fee was normalised on leaving.
    QCOMPARE(framesWhileBoxUp, QStringList{QStringLiteral("effStipendio")});
    QCOMPARE(f.focused(), f.widget("txtDipendente"));
    QCOMPARE(visibleFrames(f), QStringList{QStringLiteral("effDipendente")});
    QCOMPARE(f.field("txtStipendio")->text(), QStringLiteral("12,50"));
    QCOMPARE(QFileInfo(f.file(QStringLiteral("Soci.pro"))).size(), 0);
}

void TestCardFields::reopenedCardShowsOneFrame()
{
    CardFixture f;
    f.field("txtStipendio")->clear();
    f.type("txtStipendio", QStringLiteral("7"));
    QCOMPARE(visibleFrames(f), QStringList{QStringLiteral("effStipendio")});
    // Leaving the card from the field, then coming back from the start menu.
    f.click("btnEsci");
    QVERIFY(f.app.screens->avvio()->isVisible());
    f.openFromStartMenu();
    QCOMPARE(f.focused(), f.widget("txtDipendente"));
    QCOMPARE(visibleFrames(f), QStringList{QStringLiteral("effDipendente")});
    QCOMPARE(f.field("txtStipendio")->text(), QStringLiteral("0,00"));
}

void TestCardFields::tabOrderFollowsTheCycle()
{
    CardFixture f;
    const int n = int(std::size(kCycle));
    for (int i = 0; i < n; ++i) {
        QWidget *next = f.widget(kCycle[i])->nextInFocusChain();
        while (next && next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        if (i + 1 < n)
            QCOMPARE(next, f.widget(kCycle[i + 1]));
    }
}

void TestCardFields::codeAndEmailRules_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("province") << "txtProv" << "mi" << "MI";
    QTest::newRow("tax code") << "txtCodFisc" << " rssmra80a01h501u" << "RSSMRA80A01H501U";
    QTest::newRow("IBAN: a blank typed at the end goes at once") << "txtIban" << "it60 x054 " << "IT60X054";
    QTest::newRow("e-mail keeps case, loses the trailing blank") << "txtEmail" << "Mario.Rossi@Example.it "
                                                                  << "Mario.Rossi@Example.it";
    QTest::newRow("accented letters keep their case") << "txtCodFisc" << "àb" << "àB";
}

void TestCardFields::codeAndEmailRules()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    CardFixture f;
    f.type(field.toLatin1().constData(), typed);
    QCOMPARE(f.field(field.toLatin1().constData())->text(), shown);
}

void TestCardFields::typedTextStopsAtMaximumButLoadedTextIsWhole()
{
    CardFixture f;
    f.type("txtProv", QStringLiteral("rmx"));
    QCOMPARE(f.field("txtProv")->text(), QStringLiteral("RM"));

    TSchedaSocio m = member("Alfa");
    m.Note = QString(250, QLatin1Char('n'));
    m.Prov = QStringLiteral("TO");
    f.card->loadRecord(1, m);
    QCOMPARE(f.field("txtNote")->text().size(), 250);
    f.field("txtStipendio")->setText(QStringLiteral("1234567890,50"));
    QCOMPARE(f.field("txtStipendio")->text().size(), 13);
}

void TestCardFields::pastedTextObeysLimitsAndFilters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    const QString seventy = QString(35, QLatin1Char('a')) + QString(35, QLatin1Char('b'));
    const QString fifty = seventy.left(50);
    for (const char *how : {"Ctrl+V", "menu", "drop"}) {
        const QByteArray h(how);
        QTest::newRow(h + ": name cut at its maximum") << "txtDipendente" << how << seventy << fifty;
        // In the numeric fields the clipboard keys are swallowed like every other key.
        const bool keys = h == "Ctrl+V";
        QTest::newRow(h + ": fee keeps digits and one comma")
            << "txtStipendio" << how << "-1.234,5,6 €" << (keys ? "" : "1234,56");
        QTest::newRow(h + ": VAT number keeps digits") << "txtPartitaIva" << how << "IT 012-345" << (keys ? "" : "012345");
        QTest::newRow(h + ": notice days keep digits") << "txtPreavviso" << how << "15 giorni" << (keys ? "" : "15");
        QTest::newRow(h + ": province upper-cased and cut") << "txtProv" << how << " rm x" << "RM";
    }
}

void TestCardFields::pastedTextObeysLimitsAndFilters()
{
    QFETCH(QString, field);
    QFETCH(QString, how);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    CardFixture f;
    writeArchive({member("Alfa")});
    f.card->loadRecord(1, member("Alfa"));
    FieldEdit *e = f.field(field.toLatin1().constData());
    e->setFocus();
    e->clear();
    if (how == QLatin1String("drop")) {
        QMimeData data;
        data.setText(pasted);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &drop);
    } else {
        QApplication::clipboard()->setText(pasted);
        if (how == QLatin1String("menu")) {
            std::unique_ptr<QMenu> menu(e->createStandardContextMenu());
            // The paste entry is the one that names the paste shortcut.
            const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
            QAction *paste = nullptr;
            for (QAction *a : menu->actions())
                if (a->text().endsWith(QLatin1Char('\t') + shortcut))
                    paste = a;
            QVERIFY(paste);
            QVERIFY(paste->isEnabled());
            paste->trigger();
        } else {
            QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        }
    }
    QCOMPARE(e->text(), shown);
    // What the user sees is what lands on disk.
    if (field == QLatin1String("txtDipendente")) {
        f.click("btnSalva");
        QCOMPARE(storedRecord(1).Dipendente, shown);
    }
}

void TestCardFields::feeNormalisedOnLeaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole") << "12" << "12,00";
    QTest::newRow("one decimal") << "12,5" << "12,50";
    QTest::newRow("two decimals") << "12,50" << "12,50";
    QTest::newRow("lone decimals") << ",5" << "0,50";
    QTest::newRow("leading zeros") << "007" << "7,00";
    QTest::newRow("three decimals kept") << "12,345" << "12,345";
    QTest::newRow("rounded to four") << "12,34567" << "12,3457";
    QTest::newRow("two commas") << "1,2,3" << "0,00";
    QTest::newRow("lone comma") << "," << "0,00";
    QTest::newRow("emptied") << "" << "0,00";
}

void TestCardFields::feeNormalisedOnLeaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    CardFixture f;
    FieldEdit *fee = f.field("txtStipendio");
    // Reached through Enter, the fee is selected whole and the typing replaces it.
    f.field("txtCittadinanza")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(f.field("txtCittadinanza"), Qt::Key_Return);
    QCOMPARE(f.focused(), fee);
    QTest::keyClick(fee, Qt::Key_Backspace);
    QCOMPARE(fee->text(), QString());
    QTest::keyClicks(fee, typed);
    QCOMPARE(fee->text(), typed);
    QTest::keyClick(fee, Qt::Key_Return);
    QCOMPARE(f.focused(), f.widget("txtLuogo"));
    QCOMPARE(fee->text(), shown);
}

void TestCardFields::feeSavedWithoutLeavingIsStoredAsTyped()
{
    CardFixture f;
    f.type("txtDipendente", QStringLiteral("Rossi"));
    f.field("txtDataSca")->setText(QStringLiteral("01/01/2025"));
    FieldEdit *fee = f.field("txtStipendio");
    fee->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(fee, QStringLiteral("12,5"));
    f.click("btnSalva");
    QCOMPARE(f.focused(), fee);
    QCOMPARE(f.messages().lastText(), QStringLiteral("La scheda corrente è stata inserita in archivio."));
    QCOMPARE(storedRecord(1).Stipendio, QStringLiteral("12,5"));
}

void TestCardFields::longFeeIsStoredCutToTwelve()
{
    CardFixture f;
    f.type("txtDipendente", QStringLiteral("Rossi"));
    f.field("txtDataSca")->setText(QStringLiteral("01/01/2025"));
    FieldEdit *fee = f.field("txtStipendio");
    fee->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(fee, QStringLiteral("1234567890,5"));
    QTest::keyClick(fee, Qt::Key_Return);
    QCOMPARE(fee->text(), QStringLiteral("1234567890,50"));
    f.click("btnSalva");
    const QByteArray raw = storedBytes(1);
    QCOMPARE(int(quint8(raw.at(102))), 12);
    QCOMPARE(raw.mid(103, 12), QByteArray("1234567890,5"));
}

void TestCardFields::expiryDateKeys()
{
    CardFixture f;
    FieldEdit *date = f.field("txtDataSca");
    date->setText(QStringLiteral("01/01/2015"));
    date->setFocus(Qt::MouseFocusReason);

    // Typing never changes it; Backspace empties it without the picker.
    QTest::keyClick(date, Qt::Key_Backspace);
    QCOMPARE(date->text(), QString());
    QVERIFY(f.app.platform.modal.opened.isEmpty());

    // Enter opens the picker, which starts on today and imports it.
    QDate shownDate;
    f.app.platform.modal.handlers << [&](QDialog *d) {
        shownDate = control<QCalendarWidget>(d, "calAppuntamenti")->selectedDate();
        QTest::mouseClick(control<QPushButton>(d, "btnImportaData"), Qt::LeftButton);
    };
    QTest::keyClick(date, Qt::Key_Return);
    QCOMPARE(f.app.platform.modal.opened, QStringList{"TfrmCalendario"});
    QCOMPARE(shownDate, QDate(2024, 3, 15));
    QCOMPARE(date->text(), QStringLiteral("15/03/2024"));
    QCOMPARE(f.card->focusWidget(), date);

    // Any other key opens it too; "Annulla" leaves the date alone.
    f.app.platform.modal.handlers << [](QDialog *d) {
        QTest::mouseClick(control<QPushButton>(d, "btnAnnulla"), Qt::LeftButton);
    };
    QTest::keyClick(date, Qt::Key_5);
    QCOMPARE(f.app.platform.modal.opened.size(), 2);
    QCOMPARE(date->text(), QStringLiteral("15/03/2024"));
    QTest::keyClick(date, Qt::Key_Tab);
    QCOMPARE(f.app.platform.modal.opened.size(), 3);
    QCOMPARE(f.card->focusWidget(), date);

    QTest::keyClick(date, Qt::Key_Delete);
    QCOMPARE(date->text(), QString());
    QCOMPARE(f.app.platform.modal.opened.size(), 3);
}

void TestCardFields::eraserEmptiesExpiryDate()
{
    CardFixture f;
    f.field("txtNote")->setFocus();
    f.field("txtDataSca")->setText(QStringLiteral("31/12/2024"));
    f.click("delDataSca");
    QCOMPARE(f.field("txtDataSca")->text(), QString());
    QCOMPARE(f.focused(), f.widget("txtNote"));
    QVERIFY(f.app.platform.modal.opened.isEmpty());
}

void TestCardFields::hintsFollowTheMouse()
{
    CardFixture f;
    {
        TfrmAnagrafica fresh;
        QCOMPARE(control<QLabel>(&fresh, "panInfo")->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    }
    // The offscreen screen is smaller than the card; give the window room for the whole panel.
    f.card->showNormal();
    f.card->resize(1280, 800);
    QLabel *info = f.label("panInfo");

    hover(f.widget("btnSalva"));
    QCOMPARE(info->text(), QStringLiteral("Salva la scheda corrente in archivio."));
    hover(f.widget("txtDipendente"));
    QCOMPARE(info->text(), QStringLiteral("Salva la scheda corrente in archivio."));
    hover(f.widget("cmdUltimo"));
    QCOMPARE(info->text(), QStringLiteral("Visualizza l'ultima scheda in archivio."));
    hover(f.widget("txtDataSca"));
    QCOMPARE(info->text(), QStringLiteral("Fai clic su questo campo e premi un tasto qualsiasi per importare una "
                                          "data dal calendario."));
    hover(f.widget("btnEmail"));
    QCOMPARE(info->text(), QStringLiteral("Invia una e-mail all'indirizzo indicato."));
    hover(f.widget("txtEmail"));
    QCOMPARE(info->text(), QStringLiteral("Invia una e-mail all'indirizzo indicato."));

    // The photo is background.
    hover(f.widget("imgFoto"));
    QCOMPARE(info->text(), QString());
    hover(f.widget("btnCancFoto"));
    QCOMPARE(info->text(), QStringLiteral("Cancella la foto."));
    // An empty spot of the command column.
    hover(f.widget("bkgPulsanti"), QPoint(65, 460));
    QCOMPARE(info->text(), QString());
    hover(f.widget("btnEsci"));
    QCOMPARE(info->text(), QStringLiteral("Esci da questa schermata di lavoro."));
    // The status line itself.
    hover(f.widget("shpInfo"), QPoint(600, 16));
    QCOMPARE(info->text(), QString());
}

QTEST_MAIN(TestCardFields)
#include "tst_card_fields.moc"
