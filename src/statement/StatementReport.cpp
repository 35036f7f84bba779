#include "StatementReport.h"

#include "StatementSheet.h"

#include "output/ReportLayout.h"
#include "output/ReportTemplate.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>
#include <vector>

using namespace ReportBuild;
using ReportUnits::mm;
using Kind = CashStatement::Line::Kind;

namespace StatementReport {

namespace {

const QColor kNavy(0x1B, 0x33, 0x58);
const QColor kPale(0xDD, 0xEA, 0xF7);
const QColor kRed(0xB0, 0x1E, 0x1E);
constexpr qreal kWidth = 190;
constexpr qreal kTextWidth = 128;
// Room kept free at the foot of every page for its number.
constexpr qreal kFootRoom = 8;
// Distance between the tops of two lines of text, and the box's gaps above and below them.
constexpr qreal kPitch = 4.2;
constexpr qreal kGaps = 0.6;
const QString kFont = QStringLiteral("Arial");

using Band = std::unique_ptr<ReportObject>;
// Bands printed together on one page.
using Block = std::vector<Band>;

// The lines a text takes in a box of that width, wrapped as the printout wraps it.
int linesOf(const QString &text, qreal width, qreal points, bool bold)
{
    QTextLayout layout(text, ReportLayout::font(kFont, points, bold), ReportLayout::measuringDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int n = 0;
    // The printout keeps an inner gap of two units on each side.
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++n)
        line.setLineWidth(std::max<qreal>(mm(width) - 4, 1));
    layout.endLayout();
    return std::max(n, 1);
}

ReportObject &textIn(ReportObject &band, const QString &name, qreal left, qreal top, qreal width, qreal height,
                     const QString &text, qreal size = 8, bool bold = false)
{
    ReportObject &t = band.add(ReportBuild::text(name, left, top, width, height));
    t.SetText(text);
    t.fontSize = size;
    t.bold = bold;
    return t;
}

// A band of wrapped text exactly as tall as its lines.
Band paragraph(const QString &name, const QString &text, const QColor &color, bool bold, bool canSplit)
{
    const qreal height = linesOf(text, kWidth, 8, bold) * kPitch + kGaps;
    Band b = band(name, BandKind::Data, height + 1, canSplit);
    ReportObject &t = textIn(*b, name + QStringLiteral("Testo"), 0, 0.5, kWidth, height, text, 8, bold);
    t.linePitch = mm(kPitch);
    t.color = color;
    return b;
}

Band columnHeads(int year)
{
    Band cols = band(QStringLiteral("Colonne"), BandKind::Data, 7, false);
    textIn(*cols, QStringLiteral("txtColVoce"), 0, 1, kTextWidth, 5, QStringLiteral("Voce"), 9, true);
    ReportObject &c1 = textIn(*cols, QStringLiteral("txtColAnno"), 130, 1, 30, 5, QString::number(year), 9, true);
    ReportObject &c2 = textIn(*cols, QStringLiteral("txtColPrecedente"), 160, 1, 30, 5, QString::number(year - 1), 9, true);
    c1.hAlign = c2.hAlign = Qt::AlignRight;
    cols->add(hline(QStringLiteral("linColonne"), 0, 6.5, kWidth));
    return cols;
}

Band heading(const QString &name, const QString &text)
{
    Band b = band(name, BandKind::Data, 6.5, false);
    ReportObject &h = textIn(*b, QStringLiteral("txtSezione"), 0, 1, kWidth, 5, text, 8.5, true);
    h.fill = kPale;
    h.color = kNavy;
    return b;
}

Band line(const QString &name, const CashStatement::Line &l)
{
    const bool bold = l.kind != Kind::Item;
    const QString text = l.kind == Kind::Item ? l.id + QStringLiteral("  ") + l.text : l.text;
    const qreal left = l.kind == Kind::Item ? 2 : 0;
    const qreal height = linesOf(text, kTextWidth - left, 8, bold) * kPitch + kGaps;
    Band b = band(name, BandKind::Data, height, false);
    textIn(*b, QStringLiteral("txtVoce"), left, 0, kTextWidth - left, height, text, 8, bold).linePitch = mm(kPitch);
    ReportObject &a = textIn(*b, QStringLiteral("txtAnno"), 130, 0, 30, kPitch + kGaps, CashStatement::amount(l.current), 8, bold);
    ReportObject &p = textIn(*b, QStringLiteral("txtPrecedente"), 160, 0, 30, kPitch + kGaps,
                             CashStatement::amount(l.previous), 8, bold);
    a.hAlign = p.hAlign = Qt::AlignRight;
    return b;
}

Block titleBlock(const CashStatement &s, const EnteData &e)
{
    Block out;
    Band head = band(QStringLiteral("Intestazione"), BandKind::Data, 30, false);
    ReportObject &name = textIn(*head, QStringLiteral("txtDenominazione"), 0, 0, kWidth, 7,
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
    textIn(*head, QStringLiteral("txtDatiEnte"), 0, 7.5, kWidth, 5, id.join(QStringLiteral(" - ")), 9);
    textIn(*head, QStringLiteral("txtIndirizzo"), 0, 12, kWidth, 5, e.indirizzo, 9);
    ReportObject &t = textIn(*head, QStringLiteral("txtTitolo"), 0, 19, kWidth, 8, StatementSheet::title(s.year()), 13, true);
    t.fill = kNavy;
    t.color = Qt::white;
    t.hAlign = Qt::AlignHCenter;
    t.vAlign = Qt::AlignVCenter;
    out.push_back(std::move(head));
    if (!s.complete())
        out.push_back(paragraph(QStringLiteral("Incompleto"), StatementSheet::incompleteNotice(), kRed, true, false));
    return out;
}

Band signatures(const EnteData &e)
{
    Band sign = band(QStringLiteral("Firme"), BandKind::Data, 34, false);
    const auto who = [](const QString &role, const QString &name) {
        return name.isEmpty() ? role : role + QStringLiteral(" (") + name + QLatin1Char(')');
    };
    const QString line = QStringLiteral("______________________________");
    textIn(*sign, QStringLiteral("txtLuogoData"), 0, 6, 90, 5, QStringLiteral("Luogo e data: ______________________"), 9);
    textIn(*sign, QStringLiteral("txtPresidente"), 0, 16, 90, 5, who(QStringLiteral("Il Presidente"), e.presidente), 9);
    textIn(*sign, QStringLiteral("txtFirmaPresidente"), 0, 26, 90, 5, line, 9);
    textIn(*sign, QStringLiteral("txtTesoriere"), 100, 16, 90, 5, who(QStringLiteral("Il Tesoriere"), e.tesoriere), 9);
    textIn(*sign, QStringLiteral("txtFirmaTesoriere"), 100, 26, 90, 5, line, 9);
    return sign;
}

qreal heightOf(const Block &b)
{
    qreal h = 0;
    for (const Band &band : b)
        h += band->rect.height();
    return h;
}

// The pages one template lays out.
QList<PreparedPage> laidOut(const QString &title, Block bands)
{
    ReportTemplate t(QStringLiteral("frxRendiconto"), title);
    for (Band &b : bands)
        t.add(std::move(b));
    return t.PrepareReport(true).pages;
}

// "Pagina n di m" at the foot of each page, in the same letters on every page.
void numbered(QList<PreparedPage> &pages, qsizetype from, const QString &prefix)
{
    const qsizetype count = pages.size() - from;
    const QFontMetricsF fm(ReportLayout::font(kFont, 8, false), ReportLayout::measuringDevice());
    for (qsizetype i = 0; i < count; ++i) {
        PreparedPage &page = pages[from + i];
        PreparedItem it;
        it.kind = ReportKind::Text;
        it.name = QStringLiteral("txtPagina");
        it.fontFamily = kFont;
        it.fontSize = 8;
        it.color = Qt::black;
        it.hAlign = Qt::AlignRight;
        it.vAlign = Qt::AlignTop;
        it.lineHeight = fm.height();
        it.pitch = fm.height() + 2;
        const qreal area = page.paper.height() - 2 * page.margin;
        it.rect = QRectF(0, area - mm(5), page.paper.width() - 2 * page.margin, mm(5));
        it.lines = {prefix + QStringLiteral("Pagina %1 di %2").arg(i + 1).arg(count)};
        page.items.append(it);
    }
}

} // namespace

QString notesTitle(int year)
{
    return QStringLiteral("Note di controllo del rendiconto %1 (non fanno parte del rendiconto)").arg(year);
}

PreparedReport prepare(const CashStatement &s, const EnteData &e, bool withNotes)
{
    const QString title = StatementSheet::title(s.year());
    // Each heading opens a block that holds its lines; the last block also
    // holds the signatures, so that they never stand on a page alone.
    std::vector<Block> blocks;
    int n = 0;
    for (const CashStatement::Line &l : s.lines()) {
        const QString name = QStringLiteral("Riga%1").arg(++n, 3, 10, QLatin1Char('0'));
        if (l.kind == Kind::Heading || blocks.empty())
            blocks.emplace_back();
        blocks.back().push_back(l.kind == Kind::Heading ? heading(name, l.text) : line(name, l));
    }
    if (blocks.empty())
        blocks.emplace_back();
    blocks.back().push_back(signatures(e));

    const qreal room = ReportTemplate(QString(), QString()).printableArea().height() - mm(kFootRoom);
    PreparedReport out;
    out.documentTitle = title;
    out.orientation = QPageLayout::Portrait;
    Block page = titleBlock(s, e);
    page.push_back(columnHeads(s.year()));
    bool pageHasLines = false;
    for (Block &b : blocks) {
        if (pageHasLines && heightOf(page) + heightOf(b) > room) {
            out.pages += laidOut(title, std::move(page));
            page = Block();
            page.push_back(columnHeads(s.year()));
        }
        for (Band &band : b)
            page.push_back(std::move(band));
        pageHasLines = true;
    }
    out.pages += laidOut(title, std::move(page));
    numbered(out.pages, 0, QString());

    if (withNotes) {
        const qsizetype first = out.pages.size();
        Block notes;
        notes.push_back(heading(QStringLiteral("Note"), notesTitle(s.year())));
        notes.push_back(paragraph(QStringLiteral("Verifica"), s.checkText(), s.checkHolds() ? Qt::black : kRed, true, true));
        int w = 0;
        for (const QString &warning : s.warnings())
            notes.push_back(paragraph(QStringLiteral("Avviso%1").arg(++w), warning,
                                      warning.startsWith(QStringLiteral("Attenzione")) ? kRed : Qt::black, false, true));
        out.pages += laidOut(title, std::move(notes));
        numbered(out.pages, first, QStringLiteral("Note di controllo - "));
    }
    return out;
}

} // namespace StatementReport
