#pragma once

#include "CashStatement.h"
#include "common/EnteData.h"
#include "output/ExportDescription.h"

#include <QString>


// The statement as a worksheet: one row per line of the form, the amounts as
// typed numbers, written as ".xls" by the program's document writer and as
// ".xlsx" by its workbook writer.
namespace StatementSheet {

using Cell = ExportCell;
using Row = ExportRow;

QString fileName(int year);
QString sheetName(int year);

// Heading rows (association, title, a notice when incomplete), the column
// heads (the sheet's headerRow), the lines of the form, then the check and the
// warnings; the file is Rendiconto<year>.xls.
ExportDescription sheet(const CashStatement &statement, const EnteData &ente);

// Writes Rendiconto<year>.xls at `path` through the checked save.
bool save(const QString &path, const CashStatement &statement, const EnteData &ente, QString *error = nullptr);

// The same sheet as an Office Open XML workbook, "Rendiconto<year>.xlsx": the
// column heads are its bold, frozen header; every other row comes as on the
// sheet, the amounts of the two year columns as numbers.
QString workbookFileName(int year);
ExportDescription workbook(const CashStatement &statement, const EnteData &ente);
bool saveWorkbook(const QString &path, const CashStatement &statement, const EnteData &ente,
                  QString *error = nullptr);

// The title every output carries, and the notice of an unfinished statement.
QString title(int year);
QString incompleteNotice();

} // namespace StatementSheet
