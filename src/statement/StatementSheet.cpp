#include "StatementSheet.h"

#include "common/SafeSave.h"
#include "common/TextRules.h"
#include "common/Win1252.h"
#include "output/XlsxWorkbook.h"

#include <algorithm>

namespace StatementSheet {

namespace {

QByteArray escaped(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('&'), QStringLiteral("&amp;"))
        .replace(QLatin1Char('<'), QStringLiteral("&lt;"))
        .replace(QLatin1Char('>'), QStringLiteral("&gt;"))
        .replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    return Win1252::encode(t);
}

// A text a workbook's cell can hold.
QString fitted(const QString &text)
{
    if (text.size() <= kLongestCell)
        return text;
    QString kept = text.left(kLongestCell - cutNote().size());
    if (kept.back().isHighSurrogate())
        kept.chop(1);
    return kept + cutNote();
}

Cell amountCell(qint64 cents, bool bold)
{
    return {CashStatement::amount(cents), double(cents) / 100.0, bold};
}

} // namespace

QString fileName(int year) { return QStringLiteral("Rendiconto%1.xls").arg(year); }
QString sheetName(int year) { return QStringLiteral("Rendiconto %1").arg(year); }
QString title(int year) { return QStringLiteral("Rendiconto per cassa dell'esercizio %1").arg(year); }
QString incompleteNotice()
{
    return QStringLiteral("RENDICONTO INCOMPLETO: non tutti i movimenti sono stati letti o classificati; non è un "
                          "rendiconto definitivo.");
}

Parts parts(const CashStatement &s, const EnteData &e)
{
    Parts p;
    QList<Row> &out = p.heading;
    out.append({Cell::of(e.denominazione.isEmpty() ? QStringLiteral("(denominazione non indicata)") : e.denominazione,
                         true)});
    QStringList id;
    if (!e.codiceFiscale.isEmpty())
        id.append(QStringLiteral("C.F. ") + e.codiceFiscale);
    if (!e.runts.isEmpty())
        id.append(QStringLiteral("RUNTS n. ") + e.runts);
    if (!e.tipologia.isEmpty())
        id.append(e.tipologia);
    if (!e.indirizzo.isEmpty())
        id.append(e.indirizzo);
    if (!id.isEmpty())
        out.append({Cell::of(id.join(QStringLiteral(" - ")))});
    out.append({Cell::of(title(s.year()), true)});
    if (!s.complete())
        out.append({Cell::of(incompleteNotice(), true)});
    out.append(Row());
    p.heads = {Cell::of(QStringLiteral("Codice"), true), Cell::of(QStringLiteral("Voce"), true),
               Cell::of(QString::number(s.year()), true), Cell::of(QString::number(s.year() - 1), true)};
    QList<Row> &body = p.body;
    using Kind = CashStatement::Line::Kind;
    for (const CashStatement::Line &l : s.lines()) {
        if (l.kind == Kind::Heading) {
            body.append({Cell::of({}), Cell::of(l.text, true)});
            continue;
        }
        const bool bold = l.kind != Kind::Item;
        body.append({Cell::of(l.kind == Kind::Item ? l.id : QString()), Cell::of(l.text, bold),
                    amountCell(l.current, bold), amountCell(l.previous, bold)});
    }
    body.append(Row());
    body.append({Cell::of({}), Cell::of(s.checkText())});
    for (const QString &w : s.warnings())
        body.append({Cell::of({}), Cell::of(w)});
    return p;
}

QList<Row> rows(const CashStatement &s, const EnteData &e)
{
    const Parts p = parts(s, e);
    return p.heading + QList<Row>{p.heads} + p.body;
}

QString cutNote()
{
    return QStringLiteral(" [...] (testo tagliato: una cella del foglio di calcolo contiene al massimo 32.767 "
                          "caratteri)");
}

QByteArray xls(const QList<Row> &rows, const QString &sheetName)
{
    QByteArray w;
    w += "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""
         " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
         " xmlns=\"http://www.w3.org/TR/REC-html40\">"
         "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
         "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>";
    w += escaped(sheetName);
    w += "</x:Name><x:WorksheetOptions><x:Selected/></x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets>"
         "</x:ExcelWorkbook></xml><![endif]--></head><body><table>"
         "<col width=70><col width=520><col width=110><col width=110>";
    for (const Row &r : rows) {
        w += "<tr>";
        for (const Cell &c : r) {
            if (c.number) {
                // The value for the programs that read it (x:num for one family of
                // spreadsheets, sdval for the other); the text for one that only shows it.
                const QByteArray value = QByteArray::number(*c.number, 'f', 2);
                w += "<td x:num=\"" + value + "\" sdval=\"" + value +
                     "\" style=\"text-align: right; mso-number-format:'\\#\\,\\#\\#0\\.00';";
            } else {
                w += "<td x:str style=\"text-align: left;";
            }
            if (c.bold)
                w += " font-weight: bold;";
            w += "\">";
            w += escaped(c.text);
            w += "</td>";
        }
        w += "</tr>";
    }
    w += "</table></body></html>";
    return w;
}

bool save(const QString &path, const CashStatement &s, const EnteData &e, QString *error)
{
    return SafeSave::saveBytes(path, xls(rows(s, e), sheetName(s.year())), error);
}

QString workbookFileName(int year) { return XlsxWorkbook::fileName(fileName(year)); }

ExportDescription workbook(const CashStatement &s, const EnteData &e)
{
    using Kind = ExportColumn::Kind;
    ExportDescription d;
    d.fileName = workbookFileName(s.year());
    d.sheetName = sheetName(s.year());
    const Parts p = parts(s, e);
    d.columns = {{p.heads.at(0).text, 70, Kind::Text},
                 {p.heads.at(1).text, 520, Kind::Text},
                 {p.heads.at(2).text, 110, Kind::Amount},
                 {p.heads.at(3).text, 110, Kind::Amount}};
    const auto texts = [&](const Row &r) {
        QStringList cells;
        for (const Cell &c : r)
            cells.append(c.number ? TextRules::formatTwoDecimals(*c.number) : fitted(c.text));
        while (cells.size() < d.columns.size())
            cells.append(QString());
        return cells;
    };
    for (const Row &r : p.heading)
        d.titleRows.append(texts(r));
    for (const Row &r : p.body) {
        if (std::any_of(r.cbegin(), r.cend(), [](const Cell &c) { return c.bold; }))
            d.boldRows.insert(d.rows.size());
        d.rows.append(texts(r));
    }
    return d;
}

bool saveWorkbook(const QString &path, const CashStatement &s, const EnteData &e, QString *error)
{
    return XlsxWorkbook::save(path, workbook(s, e), error);
}

} // namespace StatementSheet
