#pragma once

#include "common/TSchedaSocio.h"
#include "output/ExportSheet.h"

// The member archive as a worksheet: the grid of the export window and
// "Soci.xls" written from it. Column 0 of the grid is the record number and is
// not exported; columns 1 to 18 are the member's fields.
namespace MemberExport {

// The 19 grid columns, the file and the sheet.
const ExportSheet &sheet();

// The index of a grid column by name (colNum = 0 ... colEmail = 18); -1 if unknown.
int columnIndex(const QString &name);

} // namespace MemberExport
