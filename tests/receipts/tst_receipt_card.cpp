// The receipt from the movement card: the command's refusals, a new number
// written into the stored movement and shown on the card, a reprint marked as
// a duplicate that says what the original said, the gift tick preset from the
// classification, the missing association name, and the list of the year's
// receipts.
#include "movements/MovementFixture.h"

#include "members/MemberFixtures.h"

#include "receipts/ReceiptReport.h"
#include "receipts/ReceiptRules.h"
#include "receipts/ui/TfrmRicevuta.h"
#include "statement/Classification.h"
#include "common/EnteData.h"
#include "support/ShownRows.h"

#include <QFileInfo>
#include <QListView>

namespace {

constexpr qint64 kRicevutaOffset = 1152;
constexpr qint64 kRicevutaWidth = 251;

void writeAssociation(const TestPlatform &platform, const QString &name)
{
    EnteData data;
    data.denominazione = name;
    data.indirizzo = QStringLiteral("Piazza Grande 1, 06100 Perugia");
    data.codiceFiscale = QStringLiteral("94012345678");
    data.tesoriere = QStringLiteral("Verdi Paolo");
    QString error;
    QVERIFY2(data.save(platform.folder.path(), &error), qPrintable(error));
}

// An income movement stored as settled: one that may have its receipt.
TSchedaMovimento paid(const QString &causale)
{
    TSchedaMovimento m = movement(causale);
    m.Saldato = kYes;
    return m;
}

// Shows the stored movement at the position on the card, as browsing does.
void showStored(MovementFixture &f, qint64 position)
{
    f.click("cmdPrimo");
    for (qint64 p = 1; p < position; ++p)
        f.click("cmdAvanti");
    QCOMPARE(f.position(), QString::number(position));
}

// The receipt dialog's answer: checks what it shows, then presses the button.
struct DialogSeen
{
    QString numberLine;
    bool giftTicked = false;
};

void answerReceipt(MovementFixture &f, const char *button, DialogSeen *seen, bool tickGift = false)
{
    f.app.platform.modal.handlers.append([=](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral(" Ricevuta"));
        auto *gift = control<QCheckBox>(d, "chkErogazione");
        QCOMPARE(gift->text(), QStringLiteral("Erogazione liberale"));
        seen->numberLine = control<QLabel>(d, "lblNumero")->text();
        seen->giftTicked = gift->isChecked();
        // The box is clicked on its own square, at its left.
        if (tickGift)
            QTest::mouseClick(gift, Qt::LeftButton, {}, QPoint(8, gift->height() / 2));
        QTest::mouseClick(control<QPushButton>(d, button), Qt::LeftButton);
    });
}

QString printed(const PrintJob &job) { return job.report.pages.first().texts().join(QLatin1Char('\n')); }

} // namespace

class TestReceiptCard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void command()
    {
        MovementFixture f;
        QWidget *cmd = f.widget("cmdRicevuta");
        QVERIFY(cmd->isVisible());
        QCOMPARE(cmd->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(cmd->focusPolicy(), Qt::NoFocus);
        // Its hint, as every command of the card has.
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(cmd, &enter);
        QCOMPARE(f.label("panInfo")->text(), QStringLiteral("Stampa la ricevuta della quota o dell'erogazione "
                                                             "liberale registrata nella scheda corrente."));
        QCoreApplication::sendEvent(f.widget("cmdElencoRicevute"), &enter);
        QCOMPARE(f.label("panInfo")->text(), QStringLiteral("Visualizza l'elenco delle ricevute emesse nell'anno."));
    }

    // The card refuses, says why, and neither the file nor the card changes.
    void refused_data()
    {
        QTest::addColumn<int>("situation");
        QTest::addColumn<QString>("message");
        QTest::newRow("an expense") << 0 << ReceiptRules::expenseRefused();
        QTest::newRow("a card not saved yet") << 1 << ReceiptRules::unsavedRefused();
        QTest::newRow("an amount of 0,00") << 2 << ReceiptRules::zeroRefused();
        QTest::newRow("edits not saved") << 3 << ReceiptRules::changedRefused();
        QTest::newRow("an income not settled") << 4 << ReceiptRules::unsettledRefused();
    }
    void refused()
    {
        QFETCH(int, situation);
        QFETCH(QString, message);
        MovementFixture f;
        writeAssociation(f.app.platform, QStringLiteral("Circolo Il Ponte"));
        TSchedaMovimento zero = paid(QStringLiteral("Quota"));
        zero.Importo = QStringLiteral("0,00");
        zero.Totale = QStringLiteral("+0,00");
        f.writeYear({movement(QStringLiteral("Affitto"), false), paid(QStringLiteral("Quota")), zero,
                     movement(QStringLiteral("Quota da incassare"))});
        switch (situation) {
        case 0:
            showStored(f, 1);
            break;
        case 1:
            f.fillRequired();
            f.field("txtImporto")->setText(QStringLiteral("25,00"));
            break;
        case 2:
            showStored(f, 3);
            break;
        case 3:
            showStored(f, 2);
            f.field("txtImporto")->setText(QStringLiteral("45,00"));
            break;
        case 4:
            showStored(f, 4);
            QVERIFY(!f.settled()->isChecked());
            break;
        }
        const QByteArray before = f.bytes();
        f.messages().clear();
        f.click("cmdRicevuta");
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.messages().shown.first().kind, MessageBoxes::Kind::Warning);
        QCOMPARE(f.messages().lastText(), message);
        QVERIFY(f.app.platform.modal.opened.isEmpty());
        QVERIFY(f.app.platform.printer.jobs.isEmpty());
        QCOMPARE(f.bytes(), before);
        QCOMPARE(f.field("txtRicevuta")->text(), QString());
    }

    // The first receipt of the year is number 1: written into the stored
    // movement and nowhere else, shown on the card, printed twice on the page.
    // Asking again prints the same number as a duplicate and writes nothing.
    void issueThenReprint()
    {
        MovementFixture f;
        writeAssociation(f.app.platform, QStringLiteral("Circolo Il Ponte"));
        TSchedaMovimento fee = paid(QStringLiteral("Quota sociale 2014"));
        fee.Importo = QStringLiteral("120,50");
        fee.Totale = QStringLiteral("+120,50");
        fee.Pagatore = QStringLiteral("Bianchi Anna");
        fee.Pagamento = QStringLiteral("Bonifico bancario");
        f.writeYear({paid(QStringLiteral("Iscrizione")), fee});
        showStored(f, 2);
        const QByteArray before = f.bytes();

        DialogSeen seen;
        answerReceipt(f, "btnStampa", &seen);
        f.click("cmdRicevuta");
        QCOMPARE(f.app.platform.modal.opened, QStringList{QStringLiteral("TfrmRicevuta")});
        QCOMPARE(seen.numberLine, QStringLiteral("Nuova ricevuta: il numero è assegnato alla stampa."));
        QVERIFY(!seen.giftTicked);
        QCOMPARE(f.app.platform.printer.jobs.size(), 1);
        const PrintJob &job = f.app.platform.printer.jobs.first();
        QVERIFY(!job.preview);
        QCOMPARE(job.documentTitle, QStringLiteral("Ricevuta"));
        const QString page = printed(job);
        QCOMPARE(page.count(QStringLiteral("Ricevuta n. 1/2014")), 2);
        QCOMPARE(page.count(QStringLiteral("Bianchi Anna")), 2);
        QCOMPARE(page.count(QStringLiteral("centoventi/50")), 2);
        QCOMPARE(page.count(QStringLiteral("Circolo Il Ponte")), 2);
        QVERIFY(!page.contains(ReceiptReport::kDuplicate));
        QVERIFY(!page.contains(QStringLiteral("Terzo settore")));

        // On disk: the movement's Ricevuta field, and nothing else.
        const QByteArray after = f.bytes();
        const qint64 start = TSchedaMovimento::Size + kRicevutaOffset;
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.left(start), before.left(start));
        QCOMPARE(after.mid(start + kRicevutaWidth), before.mid(start + kRicevutaWidth));
        QCOMPARE(f.storedRecord(2).Ricevuta, QStringLiteral("1/2014"));
        // The card shows the stored movement with its number.
        QCOMPARE(f.field("txtRicevuta")->text(), QStringLiteral("1/2014"));
        QCOMPARE(f.position(), QStringLiteral("2"));

        // Again: the same number, marked as a duplicate; the file stays as it is.
        answerReceipt(f, "btnStampa", &seen);
        f.click("cmdRicevuta");
        QCOMPARE(seen.numberLine, QStringLiteral("Ricevuta n. 1/2014 - Duplicato"));
        QCOMPARE(f.app.platform.printer.jobs.size(), 2);
        const QString reprint = printed(f.app.platform.printer.jobs.last());
        QCOMPARE(reprint.count(QStringLiteral("Ricevuta n. 1/2014")), 2);
        QCOMPARE(reprint.count(ReceiptReport::kDuplicate), 2);
        QCOMPARE(f.bytes(), after);

        // The other movement gets the next number; a preview then the print
        // within one dialog are the same receipt.
        showStored(f, 1);
        answerReceipt(f, "btnAnteprima", &seen);
        f.app.platform.modal.handlers.append([](QDialog *) {});
        f.click("cmdRicevuta");
        QCOMPARE(f.storedRecord(1).Ricevuta, QStringLiteral("2/2014"));
        QCOMPARE(f.field("txtRicevuta")->text(), QStringLiteral("2/2014"));
        QVERIFY(f.app.platform.printer.jobs.last().preview);
        QVERIFY(printed(f.app.platform.printer.jobs.last()).contains(QStringLiteral("Ricevuta n. 2/2014")));
    }

    // A reprint says what the original said: a gift ticked by the user at the
    // first print is printed again as that gift, in the association's name of
    // then, with the tick shown and locked, whatever is ticked or saved later.
    void reprintSaysWhatTheOriginalSaid()
    {
        MovementFixture f;
        writeAssociation(f.app.platform, QStringLiteral("Circolo Il Ponte"));
        TSchedaMovimento gift = paid(QStringLiteral("Contributo restauro"));
        gift.Pagamento = QStringLiteral("Contanti");
        gift.Importo = QStringLiteral("100000,00");
        gift.Totale = QStringLiteral("+100000,00");
        f.writeYear({gift});
        showStored(f, 1);
        DialogSeen seen;
        answerReceipt(f, "btnStampa", &seen, true);
        f.click("cmdRicevuta");
        QVERIFY(!seen.giftTicked);
        const PreparedPage original = f.app.platform.printer.jobs.last().report.pages.first();
        const QString first = printed(f.app.platform.printer.jobs.last());
        QCOMPARE(first.simplified().count(ReceiptReport::cashNote().simplified()), 2);
        QVERIFY(!first.contains(ReceiptReport::kDuplicate));
        QVERIFY(QFileInfo(f.app.platform.file(QStringLiteral("Ricevute2014.ini"))).isFile());

        writeAssociation(f.app.platform, QStringLiteral("Circolo Il Ponte APS"));
        bool tickEnabled = true;
        f.app.platform.modal.handlers.append([&](QDialog *d) {
            auto *tick = control<QCheckBox>(d, "chkErogazione");
            seen.giftTicked = tick->isChecked();
            tickEnabled = tick->isEnabled();
            QTest::mouseClick(control<QPushButton>(d, "btnStampa"), Qt::LeftButton);
        });
        f.click("cmdRicevuta");
        QVERIFY(seen.giftTicked);
        QVERIFY(!tickEnabled);
        QCOMPARE(f.app.platform.printer.jobs.size(), 2);
        const PreparedPage reprint = f.app.platform.printer.jobs.last().report.pages.first();
        // Every text of the page as the original had it, but the DUPLICATO mark.
        for (const PreparedItem &item : original.items) {
            if (item.kind != ReportKind::Text)
                continue;
            const PreparedItem *again = reprint.find(item.name);
            QVERIFY2(again, qPrintable(item.name));
            if (item.name.startsWith(QLatin1String("txtDuplicato")))
                QCOMPARE(again->lines.join(QLatin1Char(' ')), ReceiptReport::kDuplicate);
            else
                QCOMPARE(again->lines, item.lines);
        }
        QCOMPARE(first.count(QStringLiteral("100.000,00")), 2);
    }

    // The first print of a number is its original, whether it was made from the
    // preview or with "Stampa"; every print after it is a duplicate.
    void previewThenPrint_data()
    {
        QTest::addColumn<bool>("printedFromPreview");
        QTest::newRow("preview only looked at") << false;
        QTest::newRow("printed from the preview") << true;
    }
    void previewThenPrint()
    {
        QFETCH(bool, printedFromPreview);
        MovementFixture f;
        writeAssociation(f.app.platform, QStringLiteral("Circolo Il Ponte"));
        f.writeYear({paid(QStringLiteral("Quota sociale"))});
        showStored(f, 1);
        f.app.platform.printer.previewPrints = printedFromPreview;
        QString numberLine;
        f.app.platform.modal.handlers.append([&numberLine](QDialog *d) {
            QTest::mouseClick(control<QPushButton>(d, "btnAnteprima"), Qt::LeftButton);
            numberLine = control<QLabel>(d, "lblNumero")->text();
            QTest::mouseClick(control<QPushButton>(d, "btnStampa"), Qt::LeftButton);
        });
        f.click("cmdRicevuta");
        QStringList papers; // what went to the printer, in order
        for (const PrintJob &job : f.app.platform.printer.jobs)
            if (!job.preview)
                papers.append(printed(job).contains(ReceiptReport::kDuplicate) ? QStringLiteral("duplicato")
                                                                                : QStringLiteral("originale"));
        QCOMPARE(papers, printedFromPreview ? (QStringList{QStringLiteral("originale"), QStringLiteral("duplicato")})
                                            : QStringList{QStringLiteral("originale")});
        QCOMPARE(numberLine, printedFromPreview ? QStringLiteral("Ricevuta n. 1/2014 - Duplicato")
                                                : QStringLiteral("Ricevuta n. 1/2014"));
        QCOMPARE(f.storedRecord(1).Ricevuta, QStringLiteral("1/2014"));
    }

    // A reason the classification counts among the gifts ticks "Erogazione
    // liberale"; the user may tick it for any other reason.
    void giftTick_data()
    {
        QTest::addColumn<QString>("causale");
        QTest::addColumn<bool>("preset");
        QTest::addColumn<bool>("userTicks");
        QTest::newRow("classified as a gift") << "Donazione restauro" << true << false;
        QTest::newRow("a fee, ticked by the user") << "Quota sociale" << false << true;
        QTest::newRow("a fee") << "Quota sociale" << false << false;
    }
    void giftTick()
    {
        QFETCH(QString, causale);
        QFETCH(bool, preset);
        QFETCH(bool, userTicks);
        MovementFixture f;
        writeAssociation(f.app.platform, QStringLiteral("Circolo Il Ponte"));
        Classification classes;
        classes.setItem(StatementItems::Side::Income, QStringLiteral("Donazione restauro"), ReceiptRules::kDonationItem);
        QString error;
        QVERIFY2(classes.save(f.app.platform.folder.path(), &error), qPrintable(error));
        TSchedaMovimento m = paid(causale);
        m.Pagamento = QStringLiteral("Contanti");
        f.writeYear({m});
        showStored(f, 1);

        DialogSeen seen;
        answerReceipt(f, "btnStampa", &seen, userTicks);
        f.click("cmdRicevuta");
        QCOMPARE(seen.giftTicked, preset);
        const QString page = printed(f.app.platform.printer.jobs.last());
        const bool gift = preset || userTicks;
        QCOMPARE(page.simplified().count(QStringLiteral("art. 83 D.Lgs. 117/2017")), gift ? 2 : 0);
        QCOMPARE(page.simplified().count(ReceiptReport::cashNote().simplified()), gift ? 2 : 0);
    }

    // Without the association's name the receipt cannot be printed: the user is
    // asked whether to open the association's data; "No" ends there.
    void missingAssociationName()
    {
        MovementFixture f;
        writeAssociation(f.app.platform, QString());
        f.writeYear({paid(QStringLiteral("Quota"))});
        showStored(f, 1);
        const QByteArray before = f.bytes();
        f.messages().clear();
        f.messages().answers = {MessageBoxes::Answer::No};
        f.click("cmdRicevuta");
        QCOMPARE(f.messages().shown.size(), 1);
        QCOMPARE(f.messages().shown.first().kind, MessageBoxes::Kind::Question);
        QCOMPARE(f.messages().lastText(), ReceiptRules::noAssociationName());
        QVERIFY(f.app.platform.modal.opened.isEmpty());

        // "Sì" opens the association's data screen; closed without a name, still no receipt.
        f.messages().answers = {MessageBoxes::Answer::Yes};
        f.click("cmdRicevuta");
        QCOMPARE(f.app.platform.modal.opened, QStringList{QStringLiteral("TfrmEnte")});
        QVERIFY(f.app.platform.printer.jobs.isEmpty());
        QCOMPARE(f.bytes(), before);
    }

    // The year's receipts in number order; printed on a portrait page under the
    // year and the association's name; a double click shows the movement.
    void yearList()
    {
        MovementFixture f;
        writeAssociation(f.app.platform, QStringLiteral("Circolo Il Ponte"));
        TSchedaMovimento a = movement(QStringLiteral("Quota A"));
        a.Ricevuta = QStringLiteral("10/2014");
        a.Pagatore = QStringLiteral("Rossi Mario");
        TSchedaMovimento b = movement(QStringLiteral("Quota B"));
        b.Ricevuta = QStringLiteral("CRO 55");
        TSchedaMovimento c = movement(QStringLiteral("Dono C"));
        c.Ricevuta = QStringLiteral("2/2014 - CRO 9");
        c.Pagatore = QStringLiteral("Bianchi Anna");
        c.Importo = QStringLiteral("1250,00");
        TSchedaMovimento wide = movement(QStringLiteral("Quota D"));
        wide.Ricevuta = QStringLiteral("1000000000/2014");
        wide.Pagatore = QStringLiteral("Neri Luca");
        f.writeYear({a, b, c, wide});

        QStringList rows;
        f.app.platform.modal.handlers.append([&rows](QDialog *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral(" Elenco ricevute"));
            auto *list = control<QListView>(d, "lstRecords");
            for (int i = 0; i < ShownRows::count(list); ++i)
                rows.append(ShownRows::text(list, i));
            QTest::mouseClick(control<QPushButton>(d, "btnStampa"), Qt::LeftButton);
            MemberFixtures::doubleClickRow(list, 1);
        });
        f.click("cmdElencoRicevute");
        QCOMPARE(rows.size(), 3);
        QVERIFY2(rows[0].simplified().startsWith(QStringLiteral("2/2014 10/01/2014 Bianchi Anna 1.250,00")),
                 qPrintable(rows[0]));
        QVERIFY2(rows[1].simplified().startsWith(QStringLiteral("10/2014 10/01/2014 Rossi Mario 40,00")),
                 qPrintable(rows[1]));
        QVERIFY2(rows[2].simplified().startsWith(QStringLiteral("1000000000/2014 10/01/2014 Neri Luca 40,00")),
                 qPrintable(rows[2]));
        QCOMPARE(f.app.platform.printer.jobs.size(), 1);
        const PrintJob &job = f.app.platform.printer.jobs.first();
        QCOMPARE(job.report.orientation, QPageLayout::Portrait);
        const QString list = printed(job);
        QVERIFY2(list.contains(QStringLiteral("Elenco delle ricevute dell'anno 2014 - Circolo Il Ponte")),
                 qPrintable(list));
        // Every row whole on the page.
        for (const QString &row : rows)
            QVERIFY2(list.contains(row.trimmed()), qPrintable(row + QLatin1Char('\n') + list));
        QVERIFY(list.indexOf(QStringLiteral("Bianchi Anna")) < list.indexOf(QStringLiteral("Rossi Mario")));
        // The double click carried movement 1 (receipt 10/2014) back to the card.
        QCOMPARE(f.position(), QStringLiteral("1"));
        QCOMPARE(f.field("txtCausale")->text(), QStringLiteral("Quota A"));
    }
};

QTEST_MAIN(TestReceiptCard)
#include "tst_receipt_card.moc"
