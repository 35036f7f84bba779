#include "ReceiptReport.h"

#include "ReceiptRules.h"

using namespace ReportBuild;

namespace ReceiptReport {

namespace {

const QColor kLightSteelBlue(0xB0, 0xC4, 0xDE);
const QColor kDuplicateRed(0xC0, 0x00, 0x00);

// Millimetres from the top of the printable area to each copy.
constexpr qreal kCopyTop[2] = {0, 141};
constexpr qreal kCopyHeight = 134;
constexpr qreal kCaptionX = 3, kCaptionW = 45, kValueX = 50, kValueW = 137;

QString named(const char *base, int copy) { return QString::fromLatin1(base) + QString::number(copy); }

ReportObject &arial(ReportObject &box, qreal points, bool bold = false)
{
    box.fontFamily = QStringLiteral("Arial");
    box.fontSize = points;
    box.bold = bold;
    box.color = Qt::black;
    box.wordWrap = false;
    box.expressions = false;
    return box;
}

// The caption and value rows of a copy: caption box, caption, value box, top, lines.
const struct
{
    const char *caption, *text, *value;
    qreal top;
    int lines;
} kRows[] = {
    {"Memo1_", "Ricevuto da:", "txtPagatore", 27, 1},
    {"Memo2_", "Codice fiscale / P. IVA:", "txtCodice", 34, 1},
    {"Memo3_", "Recapito:", "txtRecapito", 41, 1},
    {"Memo4_", "La somma di euro:", "txtImporto", 48, 1},
    {"Memo5_", "In lettere:", "txtLettere", 55, 1},
    {"Memo6_", "Causale:", "txtCausale", 62, 2},
    {"Memo7_", "Modalità di pagamento:", "txtPagamento", 73, 1},
};

void addCopy(ReportTemplate &report, int copy)
{
    const qreal y = kCopyTop[copy - 1];
    report.add(rectangle(named("shpCopia", copy), 0, y, 190, kCopyHeight));
    report.add(rectangle(named("shpTestata", copy), 0, y, 190, 18)).fill = kLightSteelBlue;
    arial(report.add(text(named("txtEnte", copy), 3, y + 2, 118, 6)), 12, true);
    arial(report.add(text(named("txtEnteIndirizzo", copy), 3, y + 8.5, 118, 4)), 8);
    arial(report.add(text(named("txtEnteCodice", copy), 3, y + 12.5, 118, 4)), 8);
    ReportObject &which = arial(report.add(text(named("txtCopia", copy), 123, y + 2, 64, 4,
                                                copy == 1 ? kAssociationCopy : kPayerCopy)), 8);
    which.hAlign = Qt::AlignRight;
    arial(report.add(text(named("txtNumero", copy), 123, y + 6.5, 64, 6)), 12, true).hAlign = Qt::AlignRight;
    arial(report.add(text(named("txtData", copy), 123, y + 12.5, 64, 4)), 9).hAlign = Qt::AlignRight;
    ReportObject &dup = arial(report.add(text(named("txtDuplicato", copy), 123, y + 19.5, 64, 5)), 11, true);
    dup.hAlign = Qt::AlignRight;
    dup.color = kDuplicateRed;

    for (const auto &row : kRows) {
        arial(report.add(text(named(row.caption, copy), kCaptionX, y + row.top, kCaptionW, 4.5,
                              QString::fromUtf8(row.text))), 9);
        ReportObject &value = arial(report.add(text(named(row.value, copy), kValueX, y + row.top, kValueW,
                                                    4.5 * row.lines)), 10, true);
        value.wordWrap = row.lines > 1;
    }
    report.add(hline(named("lnDati", copy), 3, y + 80, 184));
    ReportObject &gift = arial(report.add(text(named("txtErogazione", copy), 3, y + 82, 184, 22)), 8);
    gift.wordWrap = true;

    arial(report.add(text(named("txtFirma", copy), 120, y + 106, 67, 4, QStringLiteral("Il tesoriere"))), 9)
        .hAlign = Qt::AlignHCenter;
    report.add(hline(named("lnFirma", copy), 120, y + 121, 67));
    arial(report.add(text(named("txtTesoriere", copy), 120, y + 122, 67, 4)), 8).hAlign = Qt::AlignHCenter;
    arial(report.add(text(named("txtCalce", copy), 3, y + 128, 110, 4)), 7);
}

} // namespace

QString donationSentence()
{
    return QStringLiteral("Erogazione liberale a favore di un ente del Terzo settore: può essere detratta "
                          "dall'imposta o dedotta dal reddito nei limiti e alle condizioni previsti dalla legge "
                          "(art. 83 D.Lgs. 117/2017).");
}

QString cashNote()
{
    return QStringLiteral("Erogazione liberale versata in contanti: non dà diritto ad alcun beneficio fiscale, né "
                          "detrazione dall'imposta né deduzione dal reddito (art. 83 D.Lgs. 117/2017).");
}

QString traceableNote(const QString &payment)
{
    return QStringLiteral("Versamento eseguito con mezzo tracciabile (%1).").arg(payment);
}

QString unknownPaymentNote()
{
    return QStringLiteral("Il beneficio fiscale spetta solo ai versamenti eseguiti con mezzi tracciabili (banca, "
                          "posta, carte di pagamento, assegni), non a quelli in contanti.");
}

QStringList giftSentences(const QString &payment)
{
    switch (ReceiptRules::paymentKind(payment)) {
    case ReceiptRules::Payment::Cash:
        return {cashNote()};
    case ReceiptRules::Payment::Traceable:
        return {donationSentence(), traceableNote(payment)};
    case ReceiptRules::Payment::Unknown:
        break;
    }
    return {donationSentence(), unknownPaymentNote()};
}

std::unique_ptr<ReportTemplate> create()
{
    auto report = std::make_unique<ReportTemplate>(QStringLiteral("repRicevuta"), kDocumentTitle);
    addCopy(*report, 1);
    ReportObject &cut = arial(report->add(text(QStringLiteral("txtTaglio"), 0, 135.2, 190, 3.5,
                                               QStringLiteral("- - - - - - - - - -  ritagliare lungo la linea  "
                                                              "- - - - - - - - - -"))), 7);
    cut.hAlign = Qt::AlignHCenter;
    report->add(hline(QStringLiteral("lnTaglio"), 0, 138.5, 190));
    addCopy(*report, 2);
    return report;
}

void fill(ReportTemplate &report, const ReceiptContent &r, const QDateTime &when)
{
    report.SetOrientation(QPageLayout::Portrait);
    const QString code = r.associationTaxCode.isEmpty() ? QString()
                                                        : QStringLiteral("Codice fiscale: ") + r.associationTaxCode;
    for (int copy = 1; copy <= 2; ++copy) {
        auto set = [&](const char *base, const QString &value) { report.FindObject(named(base, copy))->SetText(value); };
        set("txtEnte", r.association);
        set("txtEnteIndirizzo", r.associationAddress);
        set("txtEnteCodice", code);
        set("txtNumero", QStringLiteral("Ricevuta n. ") + r.number);
        set("txtData", QStringLiteral("del ") + r.date);
        set("txtDuplicato", r.duplicate ? kDuplicate : QString());
        set("txtPagatore", r.payer);
        set("txtCodice", r.payerCode);
        set("txtRecapito", r.payerAddress);
        set("txtImporto", r.amount);
        set("txtLettere", r.amountWords);
        set("txtCausale", r.reason);
        set("txtPagamento", r.payment);
        // Each sentence a paragraph of its own; the box wraps them.
        set("txtErogazione", r.gift.join(QLatin1Char('\n')));
        set("txtTesoriere", r.treasurer);
        set("txtCalce", printedAt(when));
    }
}

PreparedReport prepare(const ReceiptContent &receipt, const QDateTime &when)
{
    auto report = create();
    fill(*report, receipt, when);
    return report->PrepareReport(true);
}

} // namespace ReceiptReport
