#pragma once

#include "common/TSchedaMovimento.h"
#include "output/ExportSheet.h"

#include <QString>

// A year's movements as a worksheet: the grid of the export window and
// "Movimenti.xls" written from it. Column 0 of the grid is the record number
// and is not exported; columns 1 to 20 are the movement's type and fields.
namespace MovementExport {

// The 21 grid columns, the file and the sheet.
const ExportSheet &sheet();

// The index of a grid column by name (colNum = 0 ... colSaldato = 20); -1 if unknown.
int columnIndex(const QString &name);

} // namespace MovementExport
