#pragma once

#include "common/TSchedaMovimento.h"
#include "output/ExportDescription.h"

#include <QList>
#include <QString>
#include <QStringList>

// A year's movements as a worksheet: the grid of the export window and the
// description of "Movimenti.xls" written from it. Column 0 of the grid is the
// record number and is not exported; columns 1 to 20 are the movement's type
// and fields.
namespace MovementExport {

struct Column
{
    const char *name; // grid column name, col<Field>
    QString gridHeader;
    int gridWidth;
    bool editable; // the user may type over the cell before exporting
    QString exportHeader; // empty for the record number
    int exportWidth;
    QString (*value)(const TSchedaMovimento &record); // nullptr for the record number
};

// The 21 grid columns in order.
const QList<Column> &columns();

// The 20 exported cells of a record, each trimmed.
QStringList cells(const TSchedaMovimento &record);

// The export of the given rows, each the 20 exported cells in column order.
ExportDescription description(const QList<QStringList> &rows);

} // namespace MovementExport
