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
// cell source, another caller (a statement of a year, say) its rows as texts in
// `rows`, in both cases with the sheet's name and each column's header and kind.
namespace XlsxWorkbook {

// The workbook's file name beside the document's: "Soci.xls" gives "Soci.xlsx".
QString fileName(const QString &documentName);

// Writes the workbook of the description to path, through a new file beside the
// old one that is checked, synced and swapped in only once complete, as every
// save of the program: on failure the old file stays as it was, nothing is left
// beside it, and *error says why. A link, a folder or a special file at path is
// refused.
bool save(const QString &path, const ExportDescription &description, QString *error = nullptr);

// The same, with the rows written on that many threads, each taking the next run
// of rows; 0 leaves it to the program, which takes one per core for a large
// sheet. The workbook is the same whatever the number.
bool save(const QString &path, const ExportDescription &description, int threads, QString *error);

} // namespace XlsxWorkbook
