#pragma once

#include "CashStatement.h"
#include "EnteData.h"
#include "output/ExportDescription.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The statement as a worksheet: one row per line of the form, the amounts as
// numbers. The rows are plain typed cells, so any spreadsheet writer can take
// them; xls() writes them in the program's spreadsheet format.
namespace StatementSheet {

struct Cell
{
    QString text;
    std::optional<double> number; // euro; the text then shows it in the Italian form
    bool bold = false;

    static Cell of(const QString &text, bool bold = false) { return {text, std::nullopt, bold}; }
};
using Row = QList<Cell>;

QString fileName(int year);
QString sheetName(int year);

// The sheet in its three parts: the heading rows (association, title, a notice
// when incomplete, an empty row), the row of column heads, and the body (the
// lines of the form, then the check and the warnings).
struct Parts
{
    QList<Row> heading;
    Row heads;
    QList<Row> body;
};
Parts parts(const CashStatement &statement, const EnteData &ente);
// The parts one after the other.
QList<Row> rows(const CashStatement &statement, const EnteData &ente);

// The most characters a cell of a workbook holds; a longer text is cut to end
// with cutNote().
constexpr qsizetype kLongestCell = 32767;
QString cutNote();

// The worksheet document (".xls": an HTML table in Windows-1252 that
// spreadsheet programs open), numbers marked as numbers.
QByteArray xls(const QList<Row> &rows, const QString &sheetName);

// Writes Rendiconto<year>.xls at `path` through the checked save.
bool save(const QString &path, const CashStatement &statement, const EnteData &ente, QString *error = nullptr);

// The same sheet as an Office Open XML workbook, "Rendiconto<year>.xlsx": the
// heading rows first, then the column heads as its frozen header, then the body,
// bold where the sheet is bold and the amounts of the two year columns as numbers.
QString workbookFileName(int year);
ExportDescription workbook(const CashStatement &statement, const EnteData &ente);
bool saveWorkbook(const QString &path, const CashStatement &statement, const EnteData &ente,
                  QString *error = nullptr);

// The title every output carries, and the notice of an unfinished statement.
QString title(int year);
QString incompleteNotice();

} // namespace StatementSheet
