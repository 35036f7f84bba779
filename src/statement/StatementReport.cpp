#include "StatementReport.h"

#include "StatementSheet.h"

using namespace ReportBuild;
using Kind = CashStatement::Line::Kind;

namespace StatementReport {

namespace {

const QColor kNavy(0x1B, 0x33, 0x58);
const QColor kPale(0xDD, 0xEA, 0xF7);
const QColor kRed(0xB0, 0x1E, 0x1E);
constexpr qreal kWidth = 190;
// Characters of 8-point Arial that fit on one line of the full width, for
// sizing the bands of wrapped text.
constexpr int kCharsPerLine = 125;

ReportObject &textIn(ReportObject &band, const QString &name, qreal left, qreal top, qreal width, qreal height,
                     const QString &text, qreal size = 8, bool bold = false)
{
    ReportObject &t = band.add(ReportBuild::text(name, left, top, width, height));
    t.SetText(text);
    t.fontSize = size;
    t.bold = bold;
    return t;
}

// A band of wrapped text tall enough for it.
void paragraph(ReportTemplate &r, const QString &name, const QString &text, const QColor &color = Qt::black,
               bool bold = false)
{
    const int lines = int(text.size()) / kCharsPerLine + 1;
    const qreal height = lines * 4.0 + 1.5;
    ReportObject &b = r.add(band(name, BandKind::Data, height, false));
    ReportObject &t = textIn(b, name + QStringLiteral("Testo"), 0, 0.5, kWidth, height - 0.5, text, 8, bold);
    t.color = color;
}

} // namespace

std::unique_ptr<ReportTemplate> create(const CashStatement &s, const EnteData &e)
{
    const QString title = StatementSheet::title(s.year());
    auto r = std::make_unique<ReportTemplate>(QStringLiteral("frxRendiconto"), title);

    // The association's data, then the title.
    ReportObject &head = r->add(band(QStringLiteral("Intestazione"), BandKind::Title, 30, false));
    ReportObject &name = textIn(head, QStringLiteral("txtDenominazione"), 0, 0, kWidth, 7,
                                e.denominazione.isEmpty() ? QStringLiteral("(denominazione non indicata)")
                                                          : e.denominazione,
                                13, true);
    name.color = kNavy;
    QStringList id;
    if (!e.codiceFiscale.isEmpty())
        id.append(QStringLiteral("Codice fiscale ") + e.codiceFiscale);
    if (!e.runts.isEmpty())
        id.append(QStringLiteral("RUNTS n. ") + e.runts);
    if (!e.tipologia.isEmpty())
        id.append(e.tipologia);
    textIn(head, QStringLiteral("txtDatiEnte"), 0, 7.5, kWidth, 5, id.join(QStringLiteral(" - ")), 9);
    textIn(head, QStringLiteral("txtIndirizzo"), 0, 12, kWidth, 5, e.indirizzo, 9);
    ReportObject &t = textIn(head, QStringLiteral("txtTitolo"), 0, 19, kWidth, 8, title, 13, true);
    t.fill = kNavy;
    t.color = Qt::white;
    t.hAlign = Qt::AlignHCenter;
    t.vAlign = Qt::AlignVCenter;

    if (!s.complete())
        paragraph(*r, QStringLiteral("Incompleto"), StatementSheet::incompleteNotice(), kRed, true);

    ReportObject &cols = r->add(band(QStringLiteral("Colonne"), BandKind::Data, 7, false));
    textIn(cols, QStringLiteral("txtColVoce"), 0, 1, 130, 5, QStringLiteral("Voce"), 9, true);
    ReportObject &c1 = textIn(cols, QStringLiteral("txtColAnno"), 130, 1, 30, 5, QString::number(s.year()), 9, true);
    ReportObject &c2 =
        textIn(cols, QStringLiteral("txtColPrecedente"), 160, 1, 30, 5, QString::number(s.year() - 1), 9, true);
    c1.hAlign = c2.hAlign = Qt::AlignRight;
    cols.add(hline(QStringLiteral("linColonne"), 0, 6.5, kWidth));

    int n = 0;
    for (const CashStatement::Line &l : s.lines()) {
        const QString row = QStringLiteral("Riga%1").arg(++n, 3, 10, QLatin1Char('0'));
        if (l.kind == Kind::Heading) {
            ReportObject &b = r->add(band(row, BandKind::Data, 6.5, false));
            ReportObject &h = textIn(b, QStringLiteral("txtSezione"), 0, 1, kWidth, 5, l.text, 8.5, true);
            h.fill = kPale;
            h.color = kNavy;
            continue;
        }
        const bool bold = l.kind != Kind::Item;
        const QString text = l.kind == Kind::Item ? l.id + QStringLiteral("  ") + l.text : l.text;
        const int lines = int(text.size()) / 80 + 1;
        ReportObject &b = r->add(band(row, BandKind::Data, 4.3 * lines, false));
        textIn(b, QStringLiteral("txtVoce"), l.kind == Kind::Item ? 2 : 0, 0, 128, 4.3 * lines, text, 8, bold);
        ReportObject &a = textIn(b, QStringLiteral("txtAnno"), 130, 0, 30, 4.3, CashStatement::amount(l.current), 8, bold);
        ReportObject &p = textIn(b, QStringLiteral("txtPrecedente"), 160, 0, 30, 4.3,
                                 CashStatement::amount(l.previous), 8, bold);
        a.hAlign = p.hAlign = Qt::AlignRight;
    }

    paragraph(*r, QStringLiteral("Verifica"), s.checkText(), s.checkHolds() ? Qt::black : kRed, true);
    int w = 0;
    for (const QString &warning : s.warnings())
        paragraph(*r, QStringLiteral("Avviso%1").arg(++w), warning,
                  warning.startsWith(QStringLiteral("Attenzione")) ? kRed : Qt::black);

    // The date and the signatures.
    ReportObject &sign = r->add(band(QStringLiteral("Firme"), BandKind::Footer, 34, false));
    textIn(sign, QStringLiteral("txtLuogoData"), 0, 6, 90, 5, QStringLiteral("Luogo e data: ______________________"), 9);
    textIn(sign, QStringLiteral("txtPresidente"), 0, 16, 90, 5,
           QStringLiteral("Il Presidente") + (e.presidente.isEmpty() ? QString() : QStringLiteral(" (") + e.presidente + QLatin1Char(')')), 9);
    textIn(sign, QStringLiteral("txtFirmaPresidente"), 0, 26, 90, 5, QStringLiteral("______________________________"), 9);
    textIn(sign, QStringLiteral("txtTesoriere"), 100, 16, 90, 5,
           QStringLiteral("Il Tesoriere") + (e.tesoriere.isEmpty() ? QString() : QStringLiteral(" (") + e.tesoriere + QLatin1Char(')')), 9);
    textIn(sign, QStringLiteral("txtFirmaTesoriere"), 100, 26, 90, 5, QStringLiteral("______________________________"), 9);
    return r;
}

PreparedReport prepare(const CashStatement &s, const EnteData &e)
{
    auto r = create(s, e);
    PreparedReport out = r->PrepareReport(true);
    // "Pagina n di m" at the foot of every page, in the style of the page's own text.
    const qsizetype pages = out.pages.size();
    for (qsizetype i = 0; i < pages; ++i) {
        PreparedPage &page = out.pages[i];
        const PreparedItem *model = page.find(QStringLiteral("txtVoce"));
        if (!model)
            model = page.find(QStringLiteral("txtTitolo"));
        if (!model && !page.items.isEmpty())
            model = &page.items.first();
        PreparedItem it;
        if (model)
            it = *model;
        it.kind = ReportKind::Text;
        it.name = QStringLiteral("txtPagina");
        it.band = QString();
        it.bold = false;
        it.fill = QColor();
        it.color = Qt::black;
        it.hAlign = Qt::AlignRight;
        it.vAlign = Qt::AlignTop;
        const qreal h = ReportUnits::mm(5);
        const qreal area = page.paper.height() - 2 * page.margin;
        it.rect = QRectF(0, area - h + ReportUnits::mm(4), page.paper.width() - 2 * page.margin, h);
        it.lines = {QStringLiteral("Pagina %1 di %2").arg(i + 1).arg(pages)};
        page.items.append(it);
    }
    return out;
}

} // namespace StatementReport
