#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One column of an exported worksheet: its bold header and its width in pixels.
struct ExportColumn
{
    QString header;
    int width = 0;
};

// What an export writes: the file beside the program, the worksheet's name, the
// columns and the rows as the screen shows them (one text per column).
struct ExportDescription
{
    QString fileName;
    QString sheetName;
    QList<ExportColumn> columns;
    QList<QStringList> rows;
};
