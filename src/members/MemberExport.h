#pragma once

#include "common/TSchedaSocio.h"
#include "output/ExportDescription.h"

#include <QList>
#include <QString>
#include <QStringList>

// The member archive as a worksheet: the grid of the export window and the
// description of "Soci.xls" written from it. Column 0 of the grid is the record
// number and is not exported; columns 1 to 18 are the member's fields.
namespace MemberExport {

struct Column
{
    const char *name;      // grid column name, col<Field>
    QString gridHeader;
    int gridWidth;
    bool editable;         // the user may type over the cell before exporting
    QString exportHeader;  // empty for the record number
    int exportWidth;
    QString TSchedaSocio::*field; // nullptr for the record number
};

// The 19 grid columns in order.
const QList<Column> &columns();

// The index of a grid column by name (colNum = 0 ... colEmail = 18); -1 if unknown.
int columnIndex(const QString &name);

// The 18 exported cells of a record, each trimmed.
QStringList cells(const TSchedaSocio &record);

// The export of the given rows, each the 18 exported cells in column order.
ExportDescription description(const QList<QStringList> &rows);

// The export of whole records, in the order given.
ExportDescription description(const QList<TSchedaSocio> &records);

} // namespace MemberExport
