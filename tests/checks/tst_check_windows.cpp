// The three code check windows driven through their controls, opened the way
// the cards open them.
#include "checks/ui/TfrmCodFisc.h"
#include "checks/ui/TfrmIban.h"
#include "checks/ui/TfrmPartitaIva.h"
#include "common/ui/FieldEdit.h"
#include "support/TestPlatform.h"

#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(MessageBoxes::Kind)

namespace {

using Kind = MessageBoxes::Kind;

struct Window
{
    const char *edit;
};

Window windowInfo(const QString &which)
{
    if (which == QLatin1String("codfisc"))
        return {"txtCodFisc"};
    if (which == QLatin1String("piva"))
        return {"txtPartitaIva"};
    return {"txtIban"};
}

// Opens the named check window as a card does, hands it `input`, and lets
// `drive` work it while it is on screen.
void openCheck(TestPlatform &platform, const QString &which, const QString &input,
               const std::function<void(QDialog *, FieldEdit *)> &drive)
{
    QWidget owner;
    const char *edit = windowInfo(which).edit;
    bool driven = false;
    platform.modal.handlers.append([&](QDialog *d) {
        auto *entry = d->findChild<FieldEdit *>(QString::fromLatin1(edit));
        QVERIFY(entry);
        driven = true;
        drive(d, entry);
    });
    if (which == QLatin1String("codfisc"))
        openDialog<TfrmCodFisc>(&owner, [&](TfrmCodFisc &d) { d.setInput(input); });
    else if (which == QLatin1String("piva"))
        openDialog<TfrmPartitaIva>(&owner, [&](TfrmPartitaIva &d) { d.setInput(input); });
    else
        openDialog<TfrmIban>(&owner, [&](TfrmIban &d) { d.setInput(input); });
    QVERIFY(driven);
}

void click(QDialog *d, const char *name)
{
    auto *b = d->findChild<QPushButton *>(QString::fromLatin1(name));
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

const QString kVatValidHead = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                             "E' stato rilasciato dall'Ufficio IVA del Comune di ");

} // namespace

class TestCheckWindows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // "Controlla" on the text a card put in: the box, and whether the window
    // closes or waits with the focus back in the entry line.
    void controlla_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("input");
        QTest::addColumn<MessageBoxes::Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("staysOpen");

        QTest::newRow("tax code valid") << "codfisc" << "RSSMRA85T10A562S" << Kind::Information
                                        << "Il codice fiscale digitato è VALIDO." << false;
        QTest::newRow("tax code wrong") << "codfisc" << "RSSMRA85T10A562T" << Kind::Warning
                                        << "Attenzione: il codice fiscale digitato è ERRATO." << false;
        QTest::newRow("tax code of 15")
            << "codfisc" << "RSSMRA85T10A562" << Kind::Warning
            << "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici." << true;
        QTest::newRow("empty tax code")
            << "codfisc" << "" << Kind::Warning
            << "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici." << true;
        QTest::newRow("VAT Milano 1") << "piva" << "12345670157" << Kind::Information
                                      << kVatValidHead + QStringLiteral("Milano 1.") << false;
        QTest::newRow("VAT unknown office") << "piva" << "12345671106" << Kind::Information
                                            << kVatValidHead + QStringLiteral(".") << false;
        QTest::newRow("VAT wrong")
            << "piva" << "12345670158" << Kind::Warning
            << "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon è quindi possibile "
               "fornire informazioni relative all'Ufficio IVA che lo ha rilasciato."
            << false;
        QTest::newRow("VAT with a letter from the card")
            << "piva" << "1234567015A" << Kind::Warning
            << "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon è quindi possibile "
               "fornire informazioni relative all'Ufficio IVA che lo ha rilasciato."
            << false;
        QTest::newRow("VAT of 10 digits")
            << "piva" << "1234567015" << Kind::Warning
            << "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici." << true;
        QTest::newRow("tax code of digits checked as VAT")
            << "piva" << "00000000638" << Kind::Information << kVatValidHead + QStringLiteral("Napoli 1.")
            << false;
        QTest::newRow("IBAN valid") << "iban" << "IT60X0542811101000000123456" << Kind::Information
                                    << "L'IBAN digitato è VALIDO." << false;
        QTest::newRow("IBAN wrong") << "iban" << "IT60X0542811101000000123457" << Kind::Warning
                                    << "Attenzione: l'IBAN digitato è ERRATO!" << false;
        QTest::newRow("IBAN blank inside") << "iban" << "IT60X0542811101000000 12345" << Kind::Warning
                                           << "Attenzione: l'IBAN digitato è ERRATO!" << false;
        QTest::newRow("IBAN of 26")
            << "iban" << "IT60X054281110100000012345" << Kind::Warning
            << "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici." << true;
    }
    void controlla()
    {
        QFETCH(QString, window);
        QFETCH(QString, input);
        QFETCH(MessageBoxes::Kind, kind);
        QFETCH(QString, text);
        QFETCH(bool, staysOpen);

        TestPlatform platform;
        openCheck(platform, window, input, [&](QDialog *d, FieldEdit *entry) {
            QCOMPARE(entry->text(), input);
            click(d, "btnControlla");
            QCOMPARE(platform.messages.shown.size(), 1);
            QCOMPARE(platform.messages.shown.first().text, text);
            QCOMPARE(platform.messages.shown.first().kind, kind);
            QCOMPARE(d->isVisible(), staysOpen);
            if (staysOpen) {
                QCOMPARE(d->focusWidget(), entry);
                QCOMPARE(entry->text(), input);
            }
        });
    }

    // What the user types is filtered as it is typed; the check then sees the result.
    void typing_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");

        QTest::newRow("tax code lower case with blanks")
            << "codfisc" << "  rssmra85t10a562s " << "RSSMRA85T10A562S" << "Il codice fiscale digitato è VALIDO.";
        QTest::newRow("tax code stops at 16")
            << "codfisc" << "RSSMRA85T10A562SXYZ" << "RSSMRA85T10A562S" << "Il codice fiscale digitato è VALIDO.";
        QTest::newRow("IBAN lower case") << "iban" << "it60x0542811101000000123456"
                                         << "IT60X0542811101000000123456" << "L'IBAN digitato è VALIDO.";
        QTest::newRow("IBAN stops at 27") << "iban" << " IT60X05428111010000001234567"
                                          << "IT60X0542811101000000123456" << "L'IBAN digitato è VALIDO.";
        QTest::newRow("VAT takes digits only")
            << "piva" << "12a3b45-67,0 1.57x" << "12345670157" << kVatValidHead + QStringLiteral("Milano 1.");
        QTest::newRow("VAT stops at 11") << "piva" << "1234567015799" << "12345670157"
                                         << kVatValidHead + QStringLiteral("Milano 1.");
    }
    void typing()
    {
        QFETCH(QString, window);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);

        TestPlatform platform;
        openCheck(platform, window, QString(), [&](QDialog *d, FieldEdit *entry) {
            QCOMPARE(d->focusWidget(), entry);
            QTest::keyClicks(entry, typed);
            QCOMPARE(entry->text(), shown);
            click(d, "btnControlla");
            QCOMPARE(platform.messages.lastText(), message);
        });
    }

    // Text handed over by a card is tidied as soon as a key is touched in it.
    void keyReleaseTidiesHandedText_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("tidy");
        QTest::newRow("tax code") << "codfisc" << " rssmra85t10a562s" << "RSSMRA85T10A562S";
        QTest::newRow("IBAN") << "iban" << "it60x0542811101000000123456 " << "IT60X0542811101000000123456";
        // No tidying in the VAT window: what the card gave is checked as it is.
        QTest::newRow("VAT") << "piva" << " 1234567015a" << " 1234567015a";
    }
    void keyReleaseTidiesHandedText()
    {
        QFETCH(QString, window);
        QFETCH(QString, input);
        QFETCH(QString, tidy);
        TestPlatform platform;
        openCheck(platform, window, input, [&](QDialog *, FieldEdit *entry) {
            QTest::keyClick(entry, Qt::Key_Left);
            QCOMPARE(entry->text(), tidy);
        });
    }

    void enterMovesToControllaWithoutChecking_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("tax code") << "codfisc";
        QTest::newRow("VAT") << "piva";
        QTest::newRow("IBAN") << "iban";
    }
    void enterMovesToControllaWithoutChecking()
    {
        QFETCH(QString, window);
        TestPlatform platform;
        openCheck(platform, window, QStringLiteral("123"), [&](QDialog *d, FieldEdit *entry) {
            QTest::keyClick(entry, Qt::Key_Return);
            QCOMPARE(d->focusWidget(), d->findChild<QPushButton *>(QStringLiteral("btnControlla")));
            QVERIFY(platform.messages.shown.isEmpty());
            QVERIFY(d->isVisible());
            // A second Enter presses the button that now has the focus.
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
            QCOMPARE(platform.messages.shown.size(), 1);
        });
    }

    void chiudiClosesWithoutChecking_data() { enterMovesToControllaWithoutChecking_data(); }
    void chiudiClosesWithoutChecking()
    {
        QFETCH(QString, window);
        TestPlatform platform;
        openCheck(platform, window, QStringLiteral("RSSMRA85T10A562S"), [&](QDialog *d, FieldEdit *) {
            click(d, "btnChiudi");
            QVERIFY(!d->isVisible());
            QVERIFY(platform.messages.shown.isEmpty());
        });
    }

    // Letters and Tab never reach the VAT entry line: the key is swallowed.
    void vatEntrySwallowsOtherKeys()
    {
        TestPlatform platform;
        openCheck(platform, QStringLiteral("piva"), QStringLiteral("123"), [&](QDialog *d, FieldEdit *entry) {
            entry->deselect();
            entry->end(false);
            QTest::keyClick(entry, Qt::Key_Tab);
            QCOMPARE(d->focusWidget(), entry);
            QTest::keyClick(entry, Qt::Key_A);
            QTest::keyClick(entry, Qt::Key_Backspace);
            QCOMPARE(entry->text(), QStringLiteral("12"));
        });
    }

    // Every control at its place in the window's panel: (x, y, width, height).
    void layout_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        const struct
        {
            const char *which, *entry;
            int inner, titleY, containerH, entryW, controllaX, chiudiX;
        } windows[] = {
            {"codfisc", "txtCodFisc", 421, 95, 169, 233, 268, 170},
            {"piva", "txtPartitaIva", 421, 95, 169, 233, 268, 170},
            {"iban", "txtIban", 545, 111, 185, 359, 392, 232},
        };
        for (const auto &w : windows) {
            const int frameY = w.titleY + 23;
            auto row = [&](const char *control, QRect r) {
                QTest::addRow("%s %s", w.which, control) << w.which << control << r;
            };
            row("shpContainer", QRect(8, 8, w.inner + 16, w.containerH));
            row("lblTitolo", QRect(16, w.titleY, w.inner, 20));
            row("shpCodFisc", QRect(16, frameY, w.inner, 50));
            row(w.entry, QRect(26, frameY + 10, w.entryW, 28));
            row("btnControlla", QRect(w.controllaX, frameY + 10, 160, 28));
            row("btnChiudi", QRect(w.chiudiX, 8 + w.containerH + 7, 116, 28));
        }
    }
    void layout()
    {
        QFETCH(QString, which);
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        TestPlatform platform;
        openCheck(platform, which, QString(), [&](QDialog *d, FieldEdit *) {
            auto *w = d->findChild<QWidget *>(control);
            QVERIFY2(w, qPrintable(control));
            QCOMPARE(w->geometry(), geometry);
        });
    }
};

QTEST_MAIN(TestCheckWindows)
#include "tst_check_windows.moc"
