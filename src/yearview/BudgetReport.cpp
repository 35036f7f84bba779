#include "BudgetReport.h"

#include "common/TextRules.h"
#include "output/ReportTemplate.h"

#include <functional>

using namespace ReportBuild;
using Kind = BudgetComparison::Line::Kind;

namespace BudgetReport {

namespace {

const QColor kNavy(0x1B, 0x33, 0x58);
const QColor kPale(0xDD, 0xEA, 0xF7);
const QColor kRed(0xB0, 0x1E, 0x1E);
const QColor kGreen(0x2A, 0x7D, 0x47);
constexpr qreal kWidth = 190;

ReportObject &textIn(ReportObject &band, const QString &name, qreal left, qreal top, qreal width, qreal height,
                     const QString &text, qreal size = 8, bool bold = false)
{
    ReportObject &t = band.add(ReportBuild::text(name, left, top, width, height));
    t.SetText(text);
    t.fontSize = size;
    t.bold = bold;
    return t;
}

QString amountOf(const std::optional<qint64> &cents) { return cents ? CashStatement::amount(*cents) : QString(); }

struct Column
{
    QString head;
    qreal width;
    std::function<QString(const BudgetComparison::Line &)> text;
};

// The heading, the column heads and a band per line; the columns share the
// width left of the item's words.
PreparedReport prepare(const QString &title, const QString &subtitle, const QList<BudgetComparison::Line> &lines,
                       const EnteData &e, const QList<Column> &columns, bool markOver)
{
    ReportTemplate r(QStringLiteral("frxPreventivo"), title);
    ReportObject &head = r.add(band(QStringLiteral("Intestazione"), BandKind::Title, subtitle.isEmpty() ? 30 : 36, false));
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
    if (!subtitle.isEmpty())
        textIn(head, QStringLiteral("txtSottotitolo"), 0, 29, kWidth, 5, subtitle, 9);

    qreal used = 0;
    for (const Column &c : columns)
        used += c.width;
    const qreal textWidth = kWidth - used;
    ReportObject &cols = r.add(band(QStringLiteral("Colonne"), BandKind::Data, 7, false));
    textIn(cols, QStringLiteral("txtColVoce"), 0, 1, textWidth, 5, QStringLiteral("Voce"), 9, true);
    qreal x = textWidth;
    for (const Column &c : columns) {
        ReportObject &h = textIn(cols, QStringLiteral("txtCol"), x, 1, c.width, 5, c.head, 9, true);
        h.hAlign = Qt::AlignRight;
        x += c.width;
    }
    cols.add(hline(QStringLiteral("linColonne"), 0, 6.5, kWidth));

    int n = 0;
    for (const BudgetComparison::Line &l : lines) {
        const QString row = QStringLiteral("Riga%1").arg(++n, 3, 10, QLatin1Char('0'));
        if (l.kind == Kind::Heading) {
            ReportObject &b = r.add(band(row, BandKind::Data, 6.5, false));
            ReportObject &h = textIn(b, QStringLiteral("txtSezione"), 0, 1, kWidth, 5, l.text, 8.5, true);
            h.fill = kPale;
            h.color = kNavy;
            continue;
        }
        const bool bold = l.kind == Kind::Total;
        const bool marked = markOver && l.over();
        const QColor mark = l.income ? kGreen : kRed;
        const QString words = l.kind == Kind::Item ? l.code + QStringLiteral("  ") + l.text : l.text;
        const int wrapped = int(words.size()) / int(textWidth / 1.5) + 1;
        ReportObject &b = r.add(band(row, BandKind::Data, 4.3 * wrapped, false));
        ReportObject &v = textIn(b, QStringLiteral("txtVoce"), l.kind == Kind::Item ? 2 : 0, 0, textWidth - 2,
                                 4.3 * wrapped, words, 8, bold || marked);
        if (marked)
            v.color = mark;
        qreal at = textWidth;
        for (const Column &c : columns) {
            ReportObject &a = textIn(b, QStringLiteral("txtImporto"), at, 0, c.width, 4.3, c.text(l), 8, bold || marked);
            a.hAlign = Qt::AlignRight;
            if (marked)
                a.color = mark;
            at += c.width;
        }
    }
    if (markOver) {
        ReportObject &b = r.add(band(QStringLiteral("Legenda"), BandKind::Data, 9, false));
        textIn(b, QStringLiteral("txtLegenda"), 0, 3, kWidth, 5,
               QStringLiteral("Con \"oltre\" le righe in cui la cifra effettiva supera il preventivo: in rosso le "
                              "uscite, in verde le entrate."),
               8);
    }

    PreparedReport out = r.PrepareReport(true);
    const qsizetype pages = out.pages.size();
    for (qsizetype i = 0; i < pages; ++i) {
        PreparedPage &page = out.pages[i];
        PreparedItem it;
        if (const PreparedItem *model = page.find(QStringLiteral("txtVoce")))
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

} // namespace

QString budgetTitle(int year) { return QStringLiteral("Bilancio preventivo dell'esercizio %1").arg(year); }
QString comparisonTitle(int year) { return QStringLiteral("Preventivo e consuntivo dell'esercizio %1").arg(year); }
QString comparisonFileName(int year) { return QStringLiteral("PreventivoConsuntivo%1.xls").arg(year); }

PreparedReport budget(int year, const QList<BudgetComparison::Line> &lines, const EnteData &ente)
{
    return prepare(budgetTitle(year), {}, lines, ente,
                   {{QStringLiteral("Preventivo"), 34,
                     [](const BudgetComparison::Line &l) { return amountOf(l.budget); }}},
                   false);
}

PreparedReport comparison(int year, const QList<BudgetComparison::Line> &lines, const EnteData &ente,
                          const QDate &asOf)
{
    using L = BudgetComparison::Line;
    return prepare(comparisonTitle(year),
                   QStringLiteral("Cifre effettive dai movimenti saldati registrati al %1.").arg(TextRules::formatDate(asOf)),
                   lines, ente,
                   {{QStringLiteral("Preventivo"), 24, [](const L &l) { return amountOf(l.budget); }},
                    {QStringLiteral("Effettivo"), 24, [](const L &l) { return CashStatement::amount(l.actual); }},
                    {QStringLiteral("Differenza"), 24,
                     [](const L &l) { return l.budget ? CashStatement::amount(l.difference()) : QString(); }},
                    {QStringLiteral("%"), 18, [](const L &l) { return BudgetComparison::percentText(l); }},
                    {QString(), 10, [](const L &l) { return l.over() ? QStringLiteral("oltre") : QString(); }}},
                   true);
}

ExportDescription comparisonSheet(int year, const QList<BudgetComparison::Line> &lines)
{
    using K = ExportColumn::Kind;
    ExportDescription d;
    d.fileName = comparisonFileName(year);
    d.sheetName = QStringLiteral("Preventivo %1").arg(year);
    d.columns = {{QStringLiteral("Codice"), 70, K::Text},
                 {QStringLiteral("Voce"), 480, K::Text},
                 {QStringLiteral("Preventivo"), 110, K::Amount},
                 {QStringLiteral("Effettivo"), 110, K::Amount},
                 {QStringLiteral("Differenza"), 110, K::Amount},
                 {QStringLiteral("Percentuale"), 90, K::Text},
                 {QStringLiteral("Oltre il preventivo"), 130, K::Text}};
    const auto money = [](qint64 cents) { return TextRules::formatTwoDecimals(double(cents) / 100.0); };
    for (const BudgetComparison::Line &l : lines) {
        if (l.kind == Kind::Heading) {
            d.rows.append({QString(), l.text, QString(), QString(), QString(), QString(), QString()});
            continue;
        }
        d.rows.append({l.code, l.text, l.budget ? money(*l.budget) : QString(), money(l.actual),
                       l.budget ? money(l.difference()) : QString(), BudgetComparison::percentText(l),
                       l.over() ? QStringLiteral("sì") : QString()});
    }
    return d;
}

} // namespace BudgetReport
