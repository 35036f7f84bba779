#pragma once

#include "ExportDescription.h"

#include <QString>

// An export as an Office Open XML workbook (".xlsx") of one worksheet, beside the
// ".xls" document that spreadsheet programs open with a warning: the same sheet
// name, the same header and the same cells, typed-over ones included, written by
// Debian's workbook library. What differs is that each cell keeps its kind:
// - a text stays a text, exactly as the ".xls" shows it ("0612" keeps its zero,
//   "1-2" never becomes a date);
// - in an amount column, a cell that reads strictly as an amount is a number
//   shown with two decimals and the euro sign;
// - in a date column, a real day written dd/mm/yyyy is a date shown dd/mm/yyyy;
// - any other cell of those columns stays its text, so nothing is lost.
// The header row is bold and stays on screen while scrolling; every column is as
// wide as its longest cell, within a sensible limit.
//
// Any export can be written so: a grid hands its cells through the description's
// cell source, a list its rows as texts, a form (a statement of a year) its
// typed cells, whose amounts are numbers already and whose named row of column
// heads becomes the header.
namespace XlsxWorkbook {

// The workbook's file name beside the document's: "Soci.xls" gives "Soci.xlsx".
QString fileName(const QString &documentName);

// Writes the workbook of the description to path, through a new file beside the
// old one that is read back, checked, synced and swapped in only once complete,
// as every save of the program: on failure (a full disk under the library's
// scratch files included) the old file stays as it was, nothing is left beside
// it, and *error says why. A link, a folder or a special file at path is refused.
bool save(const QString &path, const ExportDescription &description, QString *error = nullptr);

} // namespace XlsxWorkbook
