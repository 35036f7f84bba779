#include "RegisterList.h"

#include "common/TextRules.h"
#include "members/MemberArchive.h"
#include "output/ReportTemplate.h"

#include <QHash>

using namespace ReportBuild;

namespace RegisterList {

namespace {

const QColor kNavy(0x1B, 0x33, 0x58);
constexpr qreal kWidth = 277;
// Each column's width in millimetres, in the order of headers().
constexpr qreal kColumns[] = {12, 44, 40, 56, 33, 24, 19, 15, 19, 15};
constexpr qreal kRowHeight = 8.2;

QString dateText(const QDate &d) { return d.isValid() ? TextRules::formatDate(d) : QString(); }

QString joined(const QStringList &parts, const QString &separator)
{
    QStringList kept;
    for (const QString &p : parts)
        if (!TextRules::trim(p).isEmpty())
            kept.append(TextRules::trim(p));
    return kept.join(separator);
}

ReportObject &textIn(ReportObject &band, const QString &name, qreal left, qreal top, qreal width, qreal height,
                     const QString &text, qreal size, bool bold = false)
{
    ReportObject &t = band.add(ReportBuild::text(name, left, top, width, height));
    t.SetText(text);
    t.fontSize = size;
    t.bold = bold;
    return t;
}

} // namespace

QStringList headers()
{
    return {QStringLiteral("N."),           QStringLiteral("Cognome e nome"), QStringLiteral("Nascita"),
            QStringLiteral("Indirizzo"),    QStringLiteral("Codice fiscale"), QStringLiteral("Categoria"),
            QStringLiteral("Ammissione"),   QStringLiteral("Quota"),          QStringLiteral("Uscita"),
            QStringLiteral("Causa")};
}

QStringList Row::cells() const
{
    const TSchedaSocio &m = member;
    const QString town = joined({m.Cap, m.Citta, m.Prov.isEmpty() ? QString() : QStringLiteral("(%1)").arg(m.Prov)},
                                QStringLiteral(" "));
    return {QString::number(entry.number),
            TextRules::trim(m.Dipendente),
            joined({m.Luogo, m.DataNasc}, QStringLiteral(", ")),
            joined({m.Indirizzo, town}, QStringLiteral(", ")),
            TextRules::trim(m.CodFisc),
            entry.category,
            dateText(entry.admitted),
            TextRules::trim(m.Stipendio),
            dateText(entry.left),
            MemberRegister::causeText(entry.cause)};
}

ArchiveResult<QList<Row>> read(const QString &registerPath, const QString &membersPath)
{
    using Out = ArchiveResult<QList<Row>>;
    const auto book = MemberRegister::read(registerPath);
    if (!book)
        return Out::failure(book.error());
    QHash<qint64, TSchedaSocio> cards;
    if (!book->entries.isEmpty()) {
        const auto all = MemberArchive(membersPath).readAll([](qint64) {}, [&](const StoredMember &m) {
            cards.insert(m.position, m.record);
        });
        if (!all)
            return Out::failure(all.error());
    }
    QList<Row> rows;
    rows.reserve(book->entries.size());
    for (const MemberRegister::Entry &e : book->entries)
        rows.append({e, cards.value(e.position)});
    return Out::success(rows);
}

QList<Row> select(const QList<Row> &rows, const Query &query)
{
    const QString wanted = TextRules::trim(query.search);
    QList<Row> out;
    for (const Row &r : rows) {
        if (query.filter == Filter::InForce && !r.entry.inForceOn(query.day))
            continue;
        if (query.filter == Filter::Left && !r.entry.left.isValid())
            continue;
        if (!wanted.isEmpty()) {
            bool found = false;
            for (const QString &cell : r.cells())
                found = found || cell.contains(wanted, Qt::CaseInsensitive);
            if (!found)
                continue;
        }
        out.append(r);
    }
    return out;
}

QString title(const Query &query)
{
    switch (query.filter) {
    case Filter::All:
        return QStringLiteral("Libro soci");
    case Filter::InForce:
        return QStringLiteral("Libro soci - soci in carica al %1").arg(dateText(query.day));
    case Filter::Left:
        return QStringLiteral("Libro soci - soci usciti");
    }
    return {};
}

PreparedReport report(const QList<Row> &rows, const QString &title, const EnteData &ente)
{
    ReportTemplate r(QStringLiteral("frxLibroSoci"), title);
    r.SetOrientation(QPageLayout::Landscape);

    ReportObject &head = r.add(band(QStringLiteral("Intestazione"), BandKind::Title, 27, false));
    ReportObject &name = textIn(head, QStringLiteral("txtDenominazione"), 0, 0, kWidth, 7,
                                ente.denominazione.isEmpty() ? QStringLiteral("(denominazione non indicata)")
                                                             : ente.denominazione,
                                13, true);
    name.color = kNavy;
    QStringList id;
    if (!ente.codiceFiscale.isEmpty())
        id.append(QStringLiteral("Codice fiscale ") + ente.codiceFiscale);
    if (!ente.runts.isEmpty())
        id.append(QStringLiteral("RUNTS n. ") + ente.runts);
    id.append(ente.indirizzo);
    textIn(head, QStringLiteral("txtDatiEnte"), 0, 7.5, kWidth, 5, joined(id, QStringLiteral(" - ")), 9);
    ReportObject &t = textIn(head, QStringLiteral("txtTitolo"), 0, 15, kWidth, 8, title, 12, true);
    t.fill = kNavy;
    t.color = Qt::white;
    t.hAlign = Qt::AlignHCenter;
    t.vAlign = Qt::AlignVCenter;

    ReportObject &cols = r.add(band(QStringLiteral("Colonne"), BandKind::Data, 7, false));
    const QStringList heads = headers();
    qreal x = 0;
    for (int i = 0; i < heads.size(); ++i) {
        textIn(cols, QStringLiteral("txtColonna%1").arg(i + 1), x, 1, kColumns[i], 5, heads[i], 7.5, true);
        x += kColumns[i];
    }
    cols.add(hline(QStringLiteral("linColonne"), 0, 6.5, kWidth));

    int n = 0;
    for (const Row &row : rows) {
        ReportObject &b = r.add(band(QStringLiteral("Socio%1").arg(++n, 5, 10, QLatin1Char('0')), BandKind::Data,
                                     kRowHeight, false));
        const QStringList cells = row.cells();
        x = 0;
        for (int i = 0; i < cells.size(); ++i) {
            // A little white between the columns, so a right-aligned figure never touches the next cell.
            ReportObject &c = textIn(b, QStringLiteral("txtCella%1").arg(i + 1), x, 0.5, kColumns[i] - 1.5,
                                     kRowHeight - 0.5, cells[i], 7);
            if (i == 0 || i == 7)
                c.hAlign = Qt::AlignRight;
            x += kColumns[i];
        }
        b.add(hline(QStringLiteral("linSocio"), 0, kRowHeight - 0.2, kWidth));
    }

    PreparedReport out = r.PrepareReport(true);
    // The print job's name becomes a file name when printed to a file: no '/'.
    out.documentTitle.replace(QLatin1Char('/'), QLatin1Char('-'));
    // "Pagina n di N" at the foot of every page, for a register to be bound.
    const qsizetype pages = out.pages.size();
    for (qsizetype i = 0; i < pages; ++i) {
        PreparedPage &page = out.pages[i];
        PreparedItem it;
        if (const PreparedItem *model = page.find(QStringLiteral("txtColonna1")))
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

ExportDescription exportDescription(const QList<Row> &rows)
{
    using Kind = ExportColumn::Kind;
    ExportDescription d;
    d.fileName = QStringLiteral("LibroSoci.xls");
    d.sheetName = QStringLiteral("Libro soci");
    const QStringList heads = headers();
    const Kind kinds[] = {Kind::Text, Kind::Text, Kind::Text, Kind::Text, Kind::Text,
                          Kind::Text, Kind::Date, Kind::Amount, Kind::Date, Kind::Text};
    const int widths[] = {50, 200, 180, 260, 140, 120, 90, 80, 90, 90};
    for (int i = 0; i < heads.size(); ++i)
        d.columns.append({heads[i], widths[i], kinds[i]});
    for (const Row &r : rows)
        d.rows.append(r.cells());
    return d;
}

} // namespace RegisterList
