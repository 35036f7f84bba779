// The printed receipt: the same receipt twice on one A4 portrait page, the
// association's copy above the cut line and the payer's below, and the same
// page as a PDF holding the payer, the amount in words and the number.
#include "support/Poppler.h"
#include "support/TestPlatform.h"

#include "output/ReportRenderer.h"
#include "receipts/ReceiptReport.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using ReportUnits::mm;

namespace {

ReceiptContent receipt(bool donation, const QString &payment, bool duplicate = false,
                       const QString &amount = QStringLiteral("120,50"))
{
    TSchedaMovimento m;
    m.Entrata = kYes;
    m.Uscita = kNo;
    m.Data = QStringLiteral("10/01/2014");
    m.Causale = QStringLiteral("Erogazione liberale per il restauro della sede");
    m.Importo = amount;
    m.Totale = QLatin1Char('+') + amount;
    m.Pagatore = QStringLiteral("Bianchi Anna");
    m.CodFisc = QStringLiteral("BNCNNA70A41G478X");
    m.PartitaIva = QStringLiteral("01234567890");
    m.RecapitoPag = QStringLiteral("Via Roma 3, 06100 Perugia");
    m.Pagamento = payment;
    const ReceiptContent::Issuer issuer{QStringLiteral("Circolo Culturale Il Ponte APS"),
                                        QStringLiteral("Piazza Grande 1, 06100 Perugia"),
                                        QStringLiteral("94012345678"), QStringLiteral("Verdi Paolo")};
    return ReceiptContent::of(m, QStringLiteral("3/2014"), issuer, duplicate, donation);
}

QString textOf(const PreparedPage &page, const QString &name)
{
    const PreparedItem *item = page.find(name);
    return item ? item->lines.join(QLatin1Char('\n')) : QStringLiteral("<missing %1>").arg(name);
}

} // namespace

class TestReceiptPrint : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Both copies say the same, each under its own heading, the cut line between them.
    void twoCopiesOnOnePage()
    {
        TestPlatform platform;
        const PreparedReport r = ReceiptReport::prepare(receipt(false, QStringLiteral("Contanti")),
                                                        platform.clock.now());
        QCOMPARE(r.documentTitle, QStringLiteral("Ricevuta"));
        QCOMPARE(r.orientation, QPageLayout::Portrait);
        QCOMPARE(r.pages.size(), 1);
        const PreparedPage &page = r.pages.first();
        QVERIFY(qAbs(page.margin - mm(10)) < 0.01);
        QCOMPARE(textOf(page, QStringLiteral("txtCopia1")), QStringLiteral("Copia per l'associazione"));
        QCOMPARE(textOf(page, QStringLiteral("txtCopia2")), QStringLiteral("Copia per il socio / donatore"));
        const struct
        {
            const char *box, *text;
        } expected[] = {
            {"txtEnte", "Circolo Culturale Il Ponte APS"},
            {"txtEnteIndirizzo", "Piazza Grande 1, 06100 Perugia"},
            {"txtEnteCodice", "Codice fiscale: 94012345678"},
            {"txtNumero", "Ricevuta n. 3/2014"},
            {"txtData", "del 10/01/2014"},
            {"txtDuplicato", ""},
            {"txtPagatore", "Bianchi Anna"},
            {"txtCodice", "BNCNNA70A41G478X"},
            {"txtRecapito", "Via Roma 3, 06100 Perugia"},
            {"txtImporto", "120,50"},
            {"txtLettere", "centoventi/50"},
            {"txtPagamento", "Contanti"},
            {"txtErogazione", ""},
            {"txtFirma", "Il tesoriere"},
            {"txtTesoriere", "Verdi Paolo"},
            {"txtCalce", "Stampa eseguita in data 15/03/2024 alle ore 10:30:00"},
        };
        for (int copy = 1; copy <= 2; ++copy)
            for (const auto &e : expected)
                QCOMPARE(textOf(page, QString::fromLatin1(e.box) + QString::number(copy)), QString::fromUtf8(e.text));
        // The reason wraps in its box rather than being cut.
        QCOMPARE(textOf(page, QStringLiteral("txtCausale1")).remove(QLatin1Char('\n')).remove(QLatin1Char(' ')),
                 QStringLiteral("Erogazione liberale per il restauro della sede").remove(QLatin1Char(' ')));

        // The association's copy ends above the cut line, the payer's starts below
        // it, and both fit the printable height of the page.
        const QRectF first = page.find(QStringLiteral("shpCopia1"))->rect;
        const QRectF second = page.find(QStringLiteral("shpCopia2"))->rect;
        const qreal cut = page.find(QStringLiteral("lnTaglio"))->rect.top();
        QVERIFY(first.bottom() < cut);
        QVERIFY(second.top() > cut);
        QVERIFY(second.bottom() <= mm(277) + 0.01);
        QCOMPARE(first.size(), second.size());
    }

    // A gift prints the tax sentence, and what the payment method means for it.
    void donationSentences_data()
    {
        QTest::addColumn<bool>("donation");
        QTest::addColumn<QString>("payment");
        QTest::addColumn<QString>("printed");
        const QString law = ReceiptReport::donationSentence();
        QTest::newRow("fee") << false << "Bonifico bancario" << "";
        QTest::newRow("gift by transfer")
            << true << "Bonifico bancario" << law + "\nVersamento eseguito con mezzo tracciabile (Bonifico bancario).";
        QTest::newRow("gift by card") << true << "Carta di credito"
                                      << law + "\nVersamento eseguito con mezzo tracciabile (Carta di credito).";
        QTest::newRow("gift in cash") << true << "Contanti" << ReceiptReport::cashNote();
        QTest::newRow("gift, method not given") << true << "" << law + "\n" + ReceiptReport::unknownPaymentNote();
    }
    void donationSentences()
    {
        QFETCH(bool, donation);
        QFETCH(QString, payment);
        QFETCH(QString, printed);
        TestPlatform platform;
        const PreparedReport r = ReceiptReport::prepare(receipt(donation, payment), platform.clock.now());
        const PreparedPage &page = r.pages.first();
        for (const char *box : {"txtErogazione1", "txtErogazione2"}) {
            // The box wraps; the words are those of the sentences, in order.
            const QString text = textOf(page, QString::fromLatin1(box));
            QCOMPARE(text.simplified(), printed.simplified());
        }
        if (donation)
            QVERIFY(printed.contains(QStringLiteral("art. 83 D.Lgs. 117/2017")));
        // Never a benefit granted and then denied on the same receipt.
        const QString text = textOf(page, QStringLiteral("txtErogazione1")).simplified();
        QVERIFY2(!(text.contains(QStringLiteral("può essere detratta")) && text.contains(QStringLiteral("non d"))),
                 qPrintable(text));
    }

    // The amount as everywhere else in the program, with the thousands marked.
    void amounts_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("words");
        QTest::newRow("hundreds") << "120,50" << "120,50" << "centoventi/50";
        QTest::newRow("thousands") << "1500,00" << "1.500,00" << "millecinquecento/00";
        QTest::newRow("hundred thousand") << "100000,00" << "100.000,00" << "centomila/00";
        QTest::newRow("millions") << "1234567,05" << "1.234.567,05" << "unmilioneduecentotrentaquattromilacinquecentosessantasette/05";
    }
    void amounts()
    {
        QFETCH(QString, stored);
        QFETCH(QString, printed);
        QFETCH(QString, words);
        TestPlatform platform;
        const PreparedReport r = ReceiptReport::prepare(receipt(false, QStringLiteral("Bonifico"), false, stored),
                                                        platform.clock.now());
        for (const char *copy : {"1", "2"}) {
            QCOMPARE(textOf(r.pages.first(), QStringLiteral("txtImporto") + QLatin1String(copy)), printed);
            QCOMPARE(textOf(r.pages.first(), QStringLiteral("txtLettere") + QLatin1String(copy)), words);
        }
    }

    void pdfOfTheReceipt_data()
    {
        QTest::addColumn<bool>("duplicate");
        QTest::newRow("original") << false;
        QTest::newRow("duplicate") << true;
    }
    void pdfOfTheReceipt()
    {
        QFETCH(bool, duplicate);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF text cannot be checked");
        TestPlatform platform;
        const PreparedReport r = ReceiptReport::prepare(receipt(true, QStringLiteral("Contanti"), duplicate),
                                                        platform.clock.now());
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("ricevuta.pdf"));
        QVERIFY(ReportRenderer::writePdf(r, pdf));
        const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Ricevuta"))), qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("595 x 842 pts (A4)")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))), qPrintable(info));

        const QString text = poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        for (const char *expected : {"Bianchi Anna", "centoventi/50", "Ricevuta n. 3/2014", "120,50",
                                     "Circolo Culturale Il Ponte APS", "BNCNNA70A41G478X"})
            QVERIFY2(text.count(QString::fromUtf8(expected)) == 2, qPrintable(QString::fromUtf8(expected) + "\n" + text));
        const qsizetype first = text.indexOf(QStringLiteral("Copia per l'associazione"));
        const qsizetype cut = text.indexOf(QStringLiteral("ritagliare lungo la linea"));
        const qsizetype second = text.indexOf(QStringLiteral("Copia per il socio / donatore"));
        QVERIFY2(first >= 0 && first < cut && cut < second, qPrintable(text));
        QCOMPARE(text.count(QStringLiteral("DUPLICATO")), duplicate ? 2 : 0);

        if (qEnvironmentVariableIsSet("QUINTARA_SAVE_PAGES"))
            ReportRenderer::pageImage(r, 0, 100).save(qEnvironmentVariable("QUINTARA_SAVE_PAGES") +
                                                      QStringLiteral("/ricevuta.png"));
    }
};

QTEST_MAIN(TestReceiptPrint)
#include "tst_receipt_print.moc"
