#include "StatementSheet.h"

#include "common/SafeSave.h"
#include "common/TextRules.h"
#include "common/Win1252.h"
#include "output/XlsxWorkbook.h"

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

QList<Row> rows(const CashStatement &s, const EnteData &e)
{
    QList<Row> out;
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
    out.append({Cell::of(QStringLiteral("Codice"), true), Cell::of(QStringLiteral("Voce"), true),
                Cell::of(QString::number(s.year()), true), Cell::of(QString::number(s.year() - 1), true)});
    using Kind = CashStatement::Line::Kind;
    for (const CashStatement::Line &l : s.lines()) {
        if (l.kind == Kind::Heading) {
            out.append({Cell::of({}), Cell::of(l.text, true)});
            continue;
        }
        const bool bold = l.kind != Kind::Item;
        out.append({Cell::of(l.kind == Kind::Item ? l.id : QString()), Cell::of(l.text, bold),
                    amountCell(l.current, bold), amountCell(l.previous, bold)});
    }
    out.append(Row());
    out.append({Cell::of({}), Cell::of(s.checkText())});
    for (const QString &w : s.warnings())
        out.append({Cell::of({}), Cell::of(w)});
    return out;
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
    d.columns = {{QStringLiteral("Codice"), 70, Kind::Text},
                 {QStringLiteral("Voce"), 520, Kind::Text},
                 {QString::number(s.year()), 110, Kind::Amount},
                 {QString::number(s.year() - 1), 110, Kind::Amount}};
    for (const Row &r : rows(s, e)) {
        // The row of column heads is the workbook's header.
        if (!r.isEmpty() && r.first().bold && r.first().text == d.columns.first().header)
            continue;
        QStringList cells;
        for (const Cell &c : r)
            cells.append(c.number ? TextRules::formatTwoDecimals(*c.number) : c.text);
        while (cells.size() < d.columns.size())
            cells.append(QString());
        d.rows.append(cells);
    }
    return d;
}

bool saveWorkbook(const QString &path, const CashStatement &s, const EnteData &e, QString *error)
{
    return XlsxWorkbook::save(path, workbook(s, e), error);
}

} // namespace StatementSheet
