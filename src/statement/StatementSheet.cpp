#include "StatementSheet.h"

#include "output/ExportDocument.h"
#include "output/XlsxWorkbook.h"

namespace StatementSheet {

namespace {

// The most characters a workbook's cell holds; a longer text is cut with a note.
constexpr qsizetype kLongestCell = 32767;

QString fitted(const QString &text)
{
    if (text.size() <= kLongestCell)
        return text;
    const QString note = QStringLiteral(" [...] (testo tagliato: una cella del foglio di calcolo contiene al massimo "
                                        "32.767 caratteri)");
    QString kept = text.left(kLongestCell - note.size());
    if (kept.back().isHighSurrogate())
        kept.chop(1);
    return kept + note;
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

ExportDescription sheet(const CashStatement &s, const EnteData &e)
{
    using Column = ExportColumn::Kind;
    ExportDescription d;
    d.fileName = fileName(s.year());
    d.sheetName = sheetName(s.year());
    d.columns = {{QStringLiteral("Codice"), 70, Column::Text},
                 {QStringLiteral("Voce"), 520, Column::Text},
                 {QString::number(s.year()), 110, Column::Amount},
                 {QString::number(s.year() - 1), 110, Column::Amount}};
    QList<Row> &out = d.typedRows;
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
    d.headerRow = out.size();
    Row heads;
    for (const ExportColumn &c : d.columns)
        heads.append(Cell::of(c.header, true));
    out.append(heads);
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
    return d;
}

bool save(const QString &path, const CashStatement &s, const EnteData &e, QString *error)
{
    return ExportDocument::save(path, sheet(s, e), error);
}

QString workbookFileName(int year) { return XlsxWorkbook::fileName(fileName(year)); }

ExportDescription workbook(const CashStatement &s, const EnteData &e)
{
    ExportDescription d = sheet(s, e);
    d.fileName = workbookFileName(s.year());
    for (Row &r : d.typedRows)
        for (Cell &c : r)
            c.text = fitted(c.text);
    return d;
}

bool saveWorkbook(const QString &path, const CashStatement &s, const EnteData &e, QString *error)
{
    return XlsxWorkbook::save(path, workbook(s, e), error);
}

} // namespace StatementSheet
