// The printout of the movement card: the print screen, the sheet's twenty rows
// and footer as prepared for the printer, and the same sheet as a PDF.
#include "MovementFixture.h"
#include "support/Poppler.h"

#include "movements/MovementCardReport.h"
#include "movements/ui/TfrmStampaMovimento.h"
#include "output/ReportRenderer.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using ReportUnits::mm;

namespace {

// Row, rectangle, caption box, caption, value box.
const struct
{
    const char *shape, *caption, *text, *value;
} kRows[] = {
    {"Shape2", "Memo1", "Tipo movimento:", "txtTipo"},
    {"Shape3", "Memo2", "Data operazione:", "txtData"},
    {"Shape4", "Memo3", "Causale:", "txtCausale"},
    {"Shape6", "Memo4", "Promemoria:", "txtPromemoria"},
    {"Shape7", "Memo5", "Data scadenza:", "txtDataSca"},
    {"Shape8", "Memo6", "Giorni preavviso:", "txtPreavviso"},
    {"Shape9", "Memo7", "Importo in euro:", "txtImporto"},
    {"Shape10", "Memo8", "Pagatore:", "txtPagatore"},
    {"Shape11", "Memo9", "Recapito:", "txtRecapitoPag"},
    {"Shape12", "Memo10", "Codice fiscale:", "txtCodFisc"},
    {"Shape13", "Memo11", "Partita IVA:", "txtPartitaIva"},
    {"Shape14", "Memo12", "Tessera n.", "txtCategoria"},
    {"Shape15", "Memo13", "E-mail:", "txtEmail"},
    {"Shape16", "Memo14", "Modalità pagamento:", "txtPagamento"},
    {"Shape17", "Memo15", "Beneficiario:", "txtBeneficiario"},
    {"Shape18", "Memo16", "Recapito:", "txtRecapitoBen"},
    {"Shape20", "Memo35", "CRO / Ricevuta n.", "txtRicevuta"},
    {"Shape21", "Memo36", "Tariffa applicata:", "txtTariffa"},
    {"Shape22", "Memo37", "Note:", "txtNote"},
    {"Shape24", "Memo38", "Saldato:", "txtSaldato"},
};

TSchedaMovimento fullExpense()
{
    TSchedaMovimento r;
    r.Entrata = kNo;
    r.Uscita = kYes;
    r.Data = QStringLiteral("05/03/2014");
    r.Causale = QStringLiteral("Affitto palestra <marzo> & pulizie");
    r.Promemoria = QStringLiteral("seconda rata");
    r.DataSca = QStringLiteral("31/03/2014");
    r.Preavviso = QStringLiteral("7");
    r.Importo = QStringLiteral("12,50");
    r.Totale = QStringLiteral("-12,50");
    r.Pagatore = QStringLiteral("Associazione Sportiva");
    r.RecapitoPag = QStringLiteral("075 111222");
    r.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    r.PartitaIva = QStringLiteral("01234567890");
    r.Categoria = QStringLiteral("T-77");
    r.Email = QStringLiteral("segreteria@esempio.it");
    r.Pagamento = QStringLiteral("Bonifico bancario");
    r.Beneficiario = QStringLiteral("Comune di Perugia");
    r.RecapitoBen = QStringLiteral("075 5771");
    r.Ricevuta = QStringLiteral("CRO 0042");
    r.Note = QStringLiteral("pagato in anticipo");
    r.Tariffa = QStringLiteral("ridotta");
    r.Saldato = kYes;
    r.File01 = QStringLiteral("non-stampato.pdf");
    return r;
}

// The twenty printed values of fullExpense(), in printed order.
const QStringList kExpenseValues = {
    "Uscita", "05/03/2014", "Affitto palestra <marzo> & pulizie", "seconda rata", "31/03/2014", "7", "12,50",
    "Associazione Sportiva", "075 111222", "RSSMRA80A01H501U", "01234567890", "T-77", "segreteria@esempio.it",
    "Bonifico bancario", "Comune di Perugia", "075 5771", "CRO 0042", "ridotta", "pagato in anticipo", "Sì",
};

QString single(const PreparedPage &page, const QString &name)
{
    const PreparedItem *item = page.find(name);
    if (!item)
        return QStringLiteral("<missing %1>").arg(name);
    return item->lines.join(QLatin1Char('|'));
}

QStringList printedValues(const PreparedPage &page)
{
    QStringList out;
    for (const auto &row : kRows)
        out.append(single(page, QString::fromLatin1(row.value)));
    return out;
}

bool near(qreal units, qreal millimetres) { return qAbs(units - mm(millimetres)) < 0.01; }

// Opens the print screen from the card and answers it with the given button.
void printFromCard(MovementFixture &f, const char *answer)
{
    f.app.platform.modal.handlers.append([answer](QDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral(" Stampa scheda corrente"));
        QCOMPARE(d->size(), QSize(364, 287));
        QVERIFY(control<QPushButton>(d, "btnAnnulla")->x() < control<QPushButton>(d, "btnStampa")->x());
        QVERIFY(control<QWidget>(d, "imgStampante"));
        QTest::mouseClick(control<QPushButton>(d, answer), Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    f.click("cmdStampa");
}

} // namespace

class TestMovementPrint : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sheetLayout();
    void printedFromTheCard_data();
    void printedFromTheCard();
    void annullaPrintsNothing();
    void longReasonIsCutOnOneLine();
    void pdfOfTheSheet();
};

void TestMovementPrint::sheetLayout()
{
    TestPlatform platform;
    auto report = MovementCardReport::create();
    QCOMPARE(report->name(), QStringLiteral("repDocumento"));
    QCOMPARE(report->documentTitle(), QStringLiteral("Scheda Movimento"));
    MovementCardReport::fill(*report, MovementCardRules::show(fullExpense(), {}), platform.clock.now());
    const PreparedReport &r = report->PrepareReport(true);
    QCOMPARE(r.pages.size(), 1);
    QCOMPARE(r.orientation, QPageLayout::Portrait);
    const PreparedPage &page = r.pages.first();
    QVERIFY(near(page.margin, 10));

    QCOMPARE(single(page, QStringLiteral("titArcataSup")), QStringLiteral("SCHEDA INFORMATIVA MOVIMENTO"));
    QCOMPARE(page.find(QStringLiteral("Shape1"))->fill, QColor(0xB0, 0xC4, 0xDE));
    QCOMPARE(page.find(QStringLiteral("Shape23"))->fill, QColor(0xFF, 0xD7, 0x00));
    const PreparedItem *divider = page.find(QStringLiteral("Line2"));
    QVERIFY(divider->vertical);
    QVERIFY(near(divider->rect.left(), 42) && near(divider->rect.top(), 7) && near(divider->rect.height(), 99.6));
    const PreparedItem *foot = page.find(QStringLiteral("txtCalce"));
    QCOMPARE(foot->lines, QStringList{QStringLiteral("Stampa eseguita in data 15/03/2024 alle ore 10:30:00")});
    QVERIFY(near(foot->rect.top(), 110) && foot->hAlign == Qt::AlignHCenter && foot->fontSize == 8);

    for (int n = 0; n < 20; ++n) {
        const auto &row = kRows[n];
        const qreal top = 7 + 5 * n;
        const PreparedItem *shape = page.find(QString::fromLatin1(row.shape));
        QVERIFY2(shape && shape->kind == ReportKind::Rectangle, row.shape);
        QVERIFY(near(shape->rect.left(), 1) && near(shape->rect.top(), top) && near(shape->rect.width(), 188) &&
                near(shape->rect.height(), 4.6));
        const PreparedItem *caption = page.find(QString::fromLatin1(row.caption));
        QCOMPARE(caption->lines, QStringList{QString::fromUtf8(row.text)});
        QVERIFY(near(caption->rect.left(), 2) && near(caption->rect.top(), top + 0.5) &&
                near(caption->rect.width(), 37.8) && near(caption->rect.height(), 3.5));
        const PreparedItem *value = page.find(QString::fromLatin1(row.value));
        QVERIFY(near(value->rect.left(), 44) && near(value->rect.top(), top + 0.5) && near(value->rect.width(), 144));
        for (const PreparedItem *box : {caption, value}) {
            QCOMPARE(box->fontFamily, QStringLiteral("Arial"));
            QCOMPARE(box->fontSize, 7.0);
            QVERIFY(!box->bold);
            QCOMPARE(box->color, QColor(Qt::black));
        }
    }
    QCOMPARE(printedValues(page), kExpenseValues);
    // Neither the attachments nor the signed amount are printed.
    QVERIFY(!page.texts().join(QLatin1Char('\n')).contains(QStringLiteral("non-stampato.pdf")));
    QVERIFY(!page.texts().contains(QStringLiteral("-12,50")));
}

void TestMovementPrint::printedFromTheCard_data()
{
    QTest::addColumn<bool>("stored");
    QTest::newRow("a new card never saved") << false;
    QTest::newRow("a stored expense with unsaved edits") << true;
}

// The sheet shows what the card shows, saved or not.
void TestMovementPrint::printedFromTheCard()
{
    QFETCH(bool, stored);
    MovementFixture f;
    QStringList expected(20);
    if (stored) {
        f.writeYear({fullExpense()});
        f.click("cmdPrimo");
        FieldEdit *note = f.field("txtNote");
        note->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(note, Qt::Key_End);
        typeText(note, QStringLiteral(" e saldato"));
        expected = kExpenseValues;
        expected[18] = QStringLiteral("pagato in anticipo e saldato");
    } else {
        expected[0] = QStringLiteral("Entrata");
        expected[1] = QStringLiteral("15/03/2024");
        expected[5] = QStringLiteral("0");
        expected[6] = QStringLiteral("0,00");
        expected[19] = QStringLiteral("No");
    }
    const QByteArray before = f.bytes();
    printFromCard(f, "btnStampa");
    QCOMPARE(f.app.platform.printer.jobs.size(), 1);
    const PrintJob &job = f.app.platform.printer.jobs.first();
    QVERIFY(!job.preview);
    QCOMPARE(job.documentTitle, QStringLiteral("Scheda Movimento"));
    QCOMPARE(job.report.pages.size(), 1);
    QCOMPARE(printedValues(job.report.pages.first()), expected);
    QCOMPARE(single(job.report.pages.first(), QStringLiteral("txtCalce")),
             QStringLiteral("Stampa eseguita in data 15/03/2024 alle ore 10:30:00"));
    QVERIFY(f.messages().shown.isEmpty());
    QCOMPARE(f.bytes(), before);
}

void TestMovementPrint::annullaPrintsNothing()
{
    MovementFixture f;
    printFromCard(f, "btnAnnulla");
    QCOMPARE(f.app.platform.modal.opened, QStringList{QStringLiteral("TfrmStampaMovimento")});
    QVERIFY(f.app.platform.printer.jobs.isEmpty());
    QVERIFY(f.messages().shown.isEmpty());
}

void TestMovementPrint::longReasonIsCutOnOneLine()
{
    TestPlatform platform;
    TSchedaMovimento r = fullExpense();
    r.Causale.clear();
    for (int i = 0; r.Causale.size() < 250; ++i)
        r.Causale += QStringLiteral("parola%1 ").arg(i);
    r.Causale = r.Causale.left(250);
    auto report = MovementCardReport::create();
    MovementCardReport::fill(*report, MovementCardRules::show(r, {}), platform.clock.now());
    const PreparedItem *item = report->PrepareReport(true).pages.first().find(QStringLiteral("txtCausale"));
    QCOMPARE(item->lines.size(), 1);
    QVERIFY(item->lines.first().size() < 250);
    QVERIFY(item->lines.first().size() > 60);
    QVERIFY(r.Causale.startsWith(item->lines.first()));
}

void TestMovementPrint::pdfOfTheSheet()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF text cannot be checked");
    TestPlatform platform;
    auto report = MovementCardReport::create();
    MovementCardReport::fill(*report, MovementCardRules::show(fullExpense(), {}), platform.clock.now());
    const PreparedReport &r = report->PrepareReport(true);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("movimento.pdf"));
    QVERIFY(ReportRenderer::writePdf(r, pdf));

    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Scheda Movimento"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("595 x 842 pts (A4)")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))), qPrintable(info));

    const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QStringList lines;
    for (const QString &l : text.split(QLatin1Char('\n')))
        lines.append(l.simplified());
    qsizetype at = lines.indexOf(QStringLiteral("SCHEDA INFORMATIVA MOVIMENTO"));
    QVERIFY2(at >= 0, qPrintable(text));
    for (int n = 0; n < 20; ++n) {
        // Each row reads as its caption followed by its value, rows in order.
        const QString row = (QString::fromUtf8(kRows[n].text) + QLatin1Char(' ') + kExpenseValues[n]).simplified();
        const qsizetype found = lines.indexOf(row, at + 1);
        QVERIFY2(found > at, qPrintable(row + QStringLiteral("\n") + text));
        at = found;
    }
    QVERIFY(lines.indexOf(QStringLiteral("Stampa eseguita in data 15/03/2024 alle ore 10:30:00"), at + 1) > at);

    if (qEnvironmentVariableIsSet("QUINTARA_SAVE_PAGES"))
        ReportRenderer::pageImage(r, 0, 100).save(qEnvironmentVariable("QUINTARA_SAVE_PAGES") +
                                                  QStringLiteral("/scheda_movimento.png"));
}

QTEST_MAIN(TestMovementPrint)
#include "tst_movement_print.moc"
