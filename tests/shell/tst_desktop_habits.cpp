// The program on a desktop whose language is English: Qt's own windows (message
// boxes, the print dialog, the file dialogs, the edits' menus) speak Italian, and
// Enter presses the button that has the focus, while Enter in an edit keeps the
// behaviour its screen gives it.
#include "support/TestPlatform.h"

#include "checks/ui/TfrmCodFisc.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmCalendario.h"
#include "common/ui/TfrmGuida.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmExpAnagrafica.h"
#include "members/ui/TfrmSospesi.h"
#include "members/ui/TfrmTrovaAnagrafica.h"
#include "movements/ui/TfrmSospesiMov.h"
#include "movements/ui/TfrmTrovaMovimenti.h"
#include "output/ui/PrinterOutput.h"
#include "output/ui/TfrmAllegaCartella.h"
#include "shell/ui/AppSetup.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmPassword.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// While `trigger` runs and waits in a modal window of type T, `act` is run on that
// window and should close it. False when no such window came up.
template <class T>
bool whileShown(const std::function<void()> &trigger, const std::function<void(T *)> &act)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (T *shown = qobject_cast<T *>(QApplication::activeModalWidget()); shown && shown->isVisible() && !seen) {
            seen = true;
            poll.stop();
            act(shown);
            // A failed check must not leave the window waiting for ever.
            if (auto *dialog = qobject_cast<QDialog *>(shown); dialog && dialog->isVisible())
                dialog->reject();
        }
    });
    poll.start();
    trigger();
    poll.stop();
    return seen;
}

// A caption as the user reads it: without the shortcut underline or the shortcut key.
QString shown(QString text)
{
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
    return text;
}

// Every text a window holds on its buttons (their hints too), labels, group frames
// and tabs, those of its other tabs and folded parts included.
QStringList textsOf(QWidget *w)
{
    QStringList out;
    for (auto *b : w->findChildren<QAbstractButton *>()) {
        if (!b->text().isEmpty())
            out << shown(b->text());
        if (!b->toolTip().isEmpty())
            out << b->toolTip();
    }
    for (auto *l : w->findChildren<QLabel *>())
        if (!l->text().isEmpty())
            out << shown(l->text());
    for (auto *g : w->findChildren<QGroupBox *>())
        if (!g->title().isEmpty())
            out << shown(g->title());
    for (auto *t : w->findChildren<QTabWidget *>())
        for (int i = 0; i < t->count(); ++i)
            out << shown(t->tabText(i));
    return out;
}

QAbstractButton *buttonShowing(QWidget *w, const QString &caption)
{
    for (auto *b : w->findChildren<QAbstractButton *>())
        if (b->isVisible() && shown(b->text()) == caption)
            return b;
    return nullptr;
}

// Gives the focus to a control the way the user's Tab would, in an active window.
void focus(QWidget *w)
{
    QWidget *window = w->window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    if (QApplication::activeWindow() != window)
        QApplication::setActiveWindow(window); // a modal dialog inside its own loop, offscreen
    w->setFocus(Qt::TabFocusReason);
    QVERIFY(w->hasFocus());
}

// The member card opened from the start menu.
TfrmAnagrafica *openCard(TestApp &app)
{
    ScreenSet::handOver(app.screens->password(), app.screens->avvio());
    QTest::mouseClick(control<PictureButton>(app.screens->avvio(), "btnSoci"), Qt::LeftButton);
    TfrmAnagrafica *card = app.screens->anagrafica();
    if (!QTest::qWaitForWindowExposed(card))
        return nullptr;
    return card;
}

} // namespace

using Scenario = std::function<void(TestPlatform &)>;
Q_DECLARE_METATYPE(Scenario)

class TestDesktopHabits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The test is about a desktop in another language.
        QVERIFY2(QLocale::system().language() != QLocale::Italian, qPrintable(QLocale::system().name()));
        // What the program does before it creates its first screen.
        AppSetup::configure(*qApp);
        QVERIFY(AppSetup::installQtTranslation());
        // The keys are the program's from its start-up, before any test double exists.
        QWidget window;
        auto *button = new QPushButton(QStringLiteral("Premi"), &window);
        int clicks = 0;
        connect(button, &QPushButton::clicked, [&] { ++clicks; });
        window.show();
        focus(button);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicks, 1);
    }

    void messageBoxesShowItalianButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<int>("answer");
        using K = MessageBoxes::Kind;
        using A = MessageBoxes::Answer;
        QTest::newRow("question, Sì") << int(K::Question) << QStringList{"No", "Sì"} << "Sì" << int(A::Yes);
        QTest::newRow("question, No") << int(K::Question) << QStringList{"No", "Sì"} << "No" << int(A::No);
        QTest::newRow("warning") << int(K::Warning) << QStringList{"Annulla", "OK"} << "Annulla" << int(A::Cancel);
        QTest::newRow("information") << int(K::Information) << QStringList{"Annulla", "OK"} << "OK" << int(A::Ok);
        QTest::newRow("plain") << int(K::Plain) << QStringList{"OK"} << "OK" << int(A::Ok);
    }
    void messageBoxesShowItalianButtons()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, captions);
        QFETCH(QString, pressed);
        QFETCH(int, answer);
        TestPlatform platform;
        UiPlatform::setMessages(nullptr); // the real boxes
        QWidget owner;
        owner.show();
        QStringList seen;
        MessageBoxes::Answer got{};
        const bool came = whileShown<QMessageBox>(
            [&] { got = UiPlatform::messages().show(&owner, MessageBoxes::Kind(kind), QStringLiteral("Prova")); },
            [&](QMessageBox *box) {
                for (QAbstractButton *b : box->buttons())
                    seen << shown(b->text());
                // The button the user picks is pressed with Enter once it has the focus.
                QAbstractButton *b = buttonShowing(box, pressed);
                QVERIFY(b);
                focus(b);
                QTest::keyClick(b, Qt::Key_Return);
            });
        QVERIFY(came);
        seen.sort();
        QCOMPARE(seen, captions);
        QCOMPARE(int(got), answer);
    }

    // "Stampa" on the member card's print screen brings up the print dialog.
    void printDialogIsItalian()
    {
        TestApp app;
        PrinterOutput::install(nullptr); // the real print dialog
        TfrmAnagrafica *card = openCard(app);
        QVERIFY(card);
        QStringList texts, propertiesTexts;
        bool came = false;
        app.platform.modal.handlers << [&](QDialog *printScreen) {
            came = whileShown<QPrintDialog>(
                [&] { QTest::mouseClick(control<QPushButton>(printScreen, "btnStampa"), Qt::LeftButton); },
                [&](QPrintDialog *d) {
                    texts = textsOf(d);
                    // "Opzioni >>" shows the rest of the dialog: its texts too are Italian.
                    if (QAbstractButton *more = buttonShowing(d, QStringLiteral("Opzioni >>"))) {
                        more->click();
                        texts += textsOf(d);
                    }
                    // "Proprietà" opens the printer's properties on top.
                    QTimer poll;
                    poll.setInterval(10);
                    connect(&poll, &QTimer::timeout, [&] {
                        auto *properties = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                        if (properties && properties != d && properties->isVisible()) {
                            poll.stop();
                            propertiesTexts = textsOf(properties);
                            properties->reject();
                        }
                    });
                    poll.start();
                    QAbstractButton *more = buttonShowing(d, QStringLiteral("Proprietà"));
                    QVERIFY(more);
                    more->click();
                    poll.stop();
                    QAbstractButton *cancel = buttonShowing(d, QStringLiteral("Annulla"));
                    QVERIFY(cancel);
                    cancel->click();
                });
        };
        QTest::mouseClick(control<PictureButton>(card, "btnStampa"), Qt::LeftButton);
        QVERIFY(came);
        for (const char *italian : {"Stampa", "Annulla", "Proprietà", "Copie:", "Opzioni >>", "Pagine",
                                    "Stampa fronte-retro", "Solo fronte"})
            QVERIFY2(texts.contains(QString::fromUtf8(italian)), italian);
        for (const char *english : {"Print", "Cancel", "Properties", "Copies:", "Options >>", "Print range",
                                    "Name:", "Collate", "Reverse", "Pages", "Color Mode", "Double Sided Printing", "Off",
                                    "Long side binding", "Short side binding"})
            QVERIFY2(!texts.contains(QString::fromLatin1(english)), english);
        for (const char *italian : {"Pagina", "Carta", "Orientamento", "Verticale", "Margini", "Avanzate", "OK",
                                    "Annulla"})
            QVERIFY2(propertiesTexts.contains(QString::fromUtf8(italian)), italian);
        for (const char *english : {"Page", "Paper", "Orientation", "Portrait", "Margins", "Advanced", "Cancel"})
            QVERIFY2(!propertiesTexts.contains(QString::fromLatin1(english)), english);
    }

    // "Carica foto" and the photo's disk button bring up Qt's own file dialogs.
    void fileDialogsAreItalian_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("accept");
        QTest::newRow("load a photo") << "btnCaricaFoto" << "Apri";
        QTest::newRow("save the photo") << "btnSalvaFoto" << "Salva";
    }
    void fileDialogsAreItalian()
    {
        QFETCH(QString, button);
        QFETCH(QString, accept);
        TestApp app;
        UiPlatform::setFiles(nullptr); // the real dialogs
        TfrmAnagrafica *card = openCard(app);
        QVERIFY(card);
        const QImage before = card->photo();
        QStringList texts;
        bool ownDialog = false;
        const bool came = whileShown<QFileDialog>(
            [&] { QTest::mouseClick(control<PictureButton>(card, button.toLatin1().constData()), Qt::LeftButton); },
            [&](QFileDialog *d) {
                // The desktop's own dialog would speak the system's language.
                ownDialog = d->testOption(QFileDialog::DontUseNativeDialog);
                texts = textsOf(d);
                QAbstractButton *cancel = buttonShowing(d, QStringLiteral("Annulla"));
                QVERIFY(cancel);
                focus(cancel);
                QTest::keyClick(cancel, Qt::Key_Return);
            });
        QVERIFY(came);
        QVERIFY(ownDialog);
        QVERIFY2(texts.contains(accept), qPrintable(texts.join(QLatin1Char('|'))));
        QVERIFY(texts.contains(QStringLiteral("Annulla")));
        for (const char *english : {"Cancel", "Open", "Save", "File name:", "Files of type:", "Look in:", "Back",
                                    "Parent Directory", "Create New Folder", "Detail View"})
            QVERIFY2(!texts.contains(QString::fromLatin1(english)), english);
        // Cancelled: the photo is as it was and no file was written.
        QCOMPARE(card->photo(), before);
        QVERIFY(!QFile::exists(app.platform.file(QStringLiteral("Foto.jpg"))));
    }

    void editMenusAreItalianAndFollowTheFieldRules_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("pasted");
        const QStringList editable{"Annulla", "Rifai", "Taglia", "Copia", "Incolla", "Elimina", "Seleziona tutto"};
        QTest::newRow("name") << "txtDipendente" << editable << QString(60, QLatin1Char('x')) << QString(50, QLatin1Char('x'));
        QTest::newRow("fee") << "txtStipendio" << editable << "€ 1.234,50" << "1234,50";
        // A read-only date offers nothing that would change it.
        QTest::newRow("expiry date") << "txtDataSca" << QStringList{"Copia", "Seleziona tutto"} << "31/12/2024"
                                     << QString();
    }
    void editMenusAreItalianAndFollowTheFieldRules()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, entries);
        QFETCH(QString, clipboard);
        QFETCH(QString, pasted);
        TestApp app;
        TfrmAnagrafica *card = openCard(app);
        QVERIFY(card);
        auto *edit = control<FieldEdit>(card, field.toLatin1().constData());
        edit->clear();
        focus(edit);
        QApplication::clipboard()->setText(clipboard);
        // The right mouse button, as the windowing system reports it: the edit pops its menu up.
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(edit, &click);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList seen;
        QAction *paste = nullptr;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator())
                continue;
            seen << shown(a->text());
            if (shown(a->text()) == QLatin1String("Incolla"))
                paste = a;
        }
        if (paste)
            paste->trigger();
        menu->close();
        QVERIFY2(seen == entries, qPrintable(seen.join(QLatin1Char('|'))));
        QCOMPARE(edit->text(), pasted);
        // No picker came up and nothing else changed on the card.
        QVERIFY(app.platform.modal.opened.isEmpty());
    }

    // Enter on the focused button does what a click does, on every kind of window;
    // Space keeps doing it too.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<Scenario>("scenario");
        QTest::addColumn<int>("key");
        const QList<QPair<const char *, Scenario>> scenarios{
            {"date picker, Importa",
             [](TestPlatform &) {
                 TfrmCalendario d;
                 d.setField(TfrmCalendario::Field::MemberExpiry);
                 press(d, "btnImportaData");
                 QCOMPARE(d.imported(), std::optional<QDate>(QDate(2024, 3, 15)));
                 QVERIFY(!d.isVisible());
             }},
            {"date picker, Annulla",
             [](TestPlatform &) {
                 TfrmCalendario d;
                 d.setField(TfrmCalendario::Field::MemberExpiry);
                 press(d, "btnAnnulla");
                 QVERIFY(!d.imported());
                 QVERIFY(!d.isVisible());
             }},
            {"tax code check, Controlla",
             [](TestPlatform &p) {
                 TfrmCodFisc d;
                 d.setInput(QStringLiteral("RSSMRA80A01H501U"));
                 press(d, "btnControlla");
                 QCOMPARE(p.messages.shown.size(), 1);
             }},
            {"tax code check, Chiudi",
             [](TestPlatform &p) {
                 TfrmCodFisc d;
                 press(d, "btnChiudi");
                 QVERIFY(!d.isVisible());
                 QVERIFY(p.messages.shown.isEmpty());
             }},
            {"member search, Cerca",
             [](TestPlatform &) {
                 TfrmTrovaAnagrafica d;
                 d.setMode(TfrmTrovaAnagrafica::Mode::MemberCard);
                 press(d, "btnCerca");
                 QVERIFY(control<QWidget>(&d, "panContainer")->isVisible());
                 QCOMPARE(control<QLabel>(&d, "lblTrovate")->text(),
                          QStringLiteral("Il presente riepilogo contiene 0 schede."));
             }},
            {"member search, Chiudi",
             [](TestPlatform &) {
                 TfrmTrovaAnagrafica d;
                 d.setMode(TfrmTrovaAnagrafica::Mode::MemberCard);
                 press(d, "btnAnnulla");
                 QVERIFY(!d.isVisible());
             }},
            {"subscription list, Trova",
             [](TestPlatform &p) {
                 TfrmSospesi d;
                 press(d, "btnTrova");
                 QCOMPARE(p.messages.lastText(),
                          QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
             }},
            {"subscription list, Stampa",
             [](TestPlatform &p) {
                 TfrmSospesi d;
                 press(d, "btnStampa");
                 QCOMPARE(p.printer.jobs.size(), 1);
             }},
            {"subscription list, Chiudi",
             [](TestPlatform &) {
                 TfrmSospesi d;
                 press(d, "btnChiudi");
                 QVERIFY(!d.isVisible());
             }},
            {"movement search, Chiudi",
             [](TestPlatform &p) {
                 TfrmTrovaMovimenti d;
                 d.setMode(TfrmTrovaMovimenti::Mode::MovementCard);
                 d.setYearFile(p.file(QStringLiteral("2024.eur")));
                 press(d, "btnAnnulla");
                 QVERIFY(!d.isVisible());
                 QVERIFY(!d.chosen());
             }},
            {"payments due, Stampa",
             [](TestPlatform &p) {
                 TfrmSospesiMov d;
                 d.setYearFile(p.file(QStringLiteral("2024.eur")));
                 press(d, "btnStampa");
                 QCOMPARE(p.printer.jobs.size(), 1);
             }},
            {"payments due, Chiudi",
             [](TestPlatform &p) {
                 TfrmSospesiMov d;
                 d.setYearFile(p.file(QStringLiteral("2024.eur")));
                 press(d, "btnChiudi");
                 QVERIFY(!d.isVisible());
             }},
            {"attachments, Applica e chiudi",
             [](TestPlatform &) {
                 TfrmAllegaCartella d;
                 d.setCard(TfrmAllegaCartella::Card::Member);
                 d.setSlot(1, QStringLiteral("domanda.pdf"), QStringLiteral("Domanda"));
                 press(d, "btnApplica");
                 QVERIFY(d.applied());
                 QCOMPARE(d.applied()->items[0].description, QStringLiteral("Domanda"));
                 QVERIFY(!d.isVisible());
             }},
            {"help page, Chiudi",
             [](TestPlatform &) {
                 TfrmGuida d;
                 d.setPage(HelpPage::Members);
                 press(d, "btnChiudi");
                 QVERIFY(!d.isVisible());
             }},
        };
        const QList<QPair<const char *, int>> keys{
            {"Enter", Qt::Key_Return}, {"keypad Enter", Qt::Key_Enter}, {"Space", Qt::Key_Space}};
        for (const auto &[name, scenario] : scenarios)
            for (const auto &[keyName, key] : keys)
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(name), QLatin1String(keyName))))
                    << scenario << key;
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(Scenario, scenario);
        QFETCH(int, key);
        TestPlatform platform;
        s_key = key;
        scenario(platform);
    }

    // The export window's pictures take no focus; its questions are real boxes
    // whose focused button Enter presses.
    void exportQuestionsAnswerToEnter_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("No") << "No" << false;
        QTest::newRow("Sì") << "Sì" << true;
    }
    void exportQuestionsAnswerToEnter()
    {
        QFETCH(QString, answer);
        QFETCH(bool, written);
        TestPlatform platform;
        UiPlatform::setMessages(nullptr);
        TfrmExpAnagrafica window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList asked;
        // The first question asks whether to export; after an export a second one
        // offers to open the file, and "No" leaves it closed.
        std::function<void(QMessageBox *)> reply = [&](QMessageBox *box) {
            asked << box->text();
            QAbstractButton *b = buttonShowing(box, asked.size() == 1 ? answer : QStringLiteral("No"));
            QVERIFY(b);
            focus(b);
            QTest::keyClick(b, Qt::Key_Return);
        };
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); box && box->isVisible())
                reply(box);
        });
        poll.start();
        QTest::mouseClick(control<PictureButton>(&window, "cmdEsporta"), Qt::LeftButton);
        poll.stop();
        QCOMPARE(asked.size(), written ? 2 : 1);
        QCOMPARE(QFile::exists(platform.file(QStringLiteral("Soci.xls"))), written);
        QVERIFY(platform.shell.opened.isEmpty());
    }

    // Enter typed in an edit does what the edit's screen gives it and presses no
    // button of the window.
    void enterInAnEditPressesNoButton()
    {
        TestPlatform platform;
        {
            TfrmTrovaAnagrafica search;
            search.setMode(TfrmTrovaAnagrafica::Mode::MemberCard);
            search.show();
            auto *name = control<QLineEdit>(&search, "txtDipendente");
            focus(name);
            QTest::keyClick(name, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(&search, "txtCittadinanza"));
            QVERIFY(control<QWidget>(&search, "panAvvio")->isVisible());
            QVERIFY(!control<QWidget>(&search, "panContainer")->isVisible());
        }
        {
            TfrmAllegaCartella attachments;
            attachments.setCard(TfrmAllegaCartella::Card::Member);
            attachments.show();
            auto *description = attachments.txtDesc[0];
            focus(description);
            QTest::keyClick(description, Qt::Key_Return);
            QVERIFY(attachments.isVisible());
            QVERIFY(!attachments.applied());
        }
        {
            TfrmCalendario picker;
            picker.setField(TfrmCalendario::Field::MemberExpiry);
            picker.show();
            QWidget *calendar = control<QWidget>(&picker, "calAppuntamenti");
            QVERIFY(QTest::qWaitForWindowExposed(&picker));
            picker.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&picker));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : calendar, Qt::Key_Return);
            QVERIFY(picker.isVisible());
            QVERIFY(!picker.imported());
        }
        QVERIFY(platform.messages.shown.isEmpty());
    }

private:
    static inline int s_key = Qt::Key_Return;

    // Shows the window, gives the named button the focus and presses the key of
    // the row on it.
    static void press(QDialog &window, const char *button)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *b = control<QPushButton>(&window, button);
        focus(b);
        QTest::keyClick(b, Qt::Key(s_key), s_key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
};

QTEST_MAIN(TestDesktopHabits)
#include "tst_desktop_habits.moc"
