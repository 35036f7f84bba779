#include "MovementCardReport.h"

#include "common/TextRules.h"

using namespace ReportBuild;

namespace MovementCardReport {

namespace {

const QColor kLightSteelBlue(0xB0, 0xC4, 0xDE);
const QColor kGold(0xFF, 0xD7, 0x00);

// Row n (1-based) starts this many millimetres from the top of the printable area.
qreal rowTop(int n) { return 7 + 5 * (n - 1); }

ReportObject &arial(ReportObject &box, qreal points)
{
    box.fontFamily = QStringLiteral("Arial");
    box.fontSize = points;
    box.color = Qt::black;
    box.wordWrap = false;
    box.expressions = false;
    return box;
}

// The receipt, the tariff, the notes and the settled flag close the sheet in
// this order, unlike the card.
const std::array<Row, kRows> kRowTable = {{
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
}};

} // namespace

const std::array<Row, kRows> &rows() { return kRowTable; }

std::unique_ptr<ReportTemplate> create()
{
    auto report = std::make_unique<ReportTemplate>(QStringLiteral("repDocumento"), kDocumentTitle);

    report->add(rectangle(QStringLiteral("Shape1"), 1, 1, 188, 5.8)).fill = kLightSteelBlue;
    ReportObject &heading = arial(report->add(text(QStringLiteral("titArcataSup"), 2, 2, 185.8, 4.2, kHeading)), 9);
    heading.hAlign = Qt::AlignHCenter;

    for (int n = 1; n <= kRows; ++n) {
        const Row &row = kRowTable[n - 1];
        const qreal top = rowTop(n);
        report->add(rectangle(row.shape, 1, top, 188, 4.6));
        arial(report->add(text(row.caption, 2, top + 0.5, 37.8, 3.5, row.captionText)), 7);
        arial(report->add(text(row.value, 44, top + 0.5, 144, 3.5)), 7);
    }
    report->add(vline(QStringLiteral("Line2"), 42, 7, 99.6));

    report->add(rectangle(QStringLiteral("Shape23"), 1, 109, 188, 5.8)).fill = kGold;
    ReportObject &foot = arial(report->add(text(QStringLiteral("txtCalce"), 2, 110, 185.8, 4.2,
                                                QStringLiteral("Data e ora stampa"))), 8);
    foot.hAlign = Qt::AlignHCenter;
    return report;
}

QStringList values(const MovementCardValues &card)
{
    const TSchedaMovimento &t = card.texts;
    QStringList v = {
        card.entrata ? QStringLiteral("Entrata") : QStringLiteral("Uscita"),
        t.Data, t.Causale, t.Promemoria, t.DataSca, t.Preavviso, t.Importo, t.Pagatore, t.RecapitoPag, t.CodFisc,
        t.PartitaIva, t.Categoria, t.Email, t.Pagamento, t.Beneficiario, t.RecapitoBen, t.Ricevuta, t.Tariffa,
        t.Note,
        card.saldato ? kYes : kNo,
    };
    for (QString &s : v)
        s = TextRules::trim(s);
    return v;
}

void fill(ReportTemplate &report, const MovementCardValues &card, const QDateTime &when)
{
    report.SetOrientation(QPageLayout::Portrait);
    const QStringList v = values(card);
    for (int n = 0; n < kRows; ++n)
        report.FindObject(kRowTable[n].value)->SetText(v[n]);
    report.FindObject(QStringLiteral("txtCalce"))->SetText(printedAt(when));
}

} // namespace MovementCardReport
