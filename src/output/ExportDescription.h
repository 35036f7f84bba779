#pragma once

#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// One column of an exported worksheet: its bold header, its width in pixels and
// what its cells hold. The ".xls" document writes every cell as text; a workbook
// keeps a cell of an amount or date column as a number or a date when its text
// reads as one, and as the text otherwise.
struct ExportColumn
{
    enum class Kind { Text, Amount, Date };

    QString header;
    int width = 0;
    Kind kind = Kind::Text;
};

// What an export writes: the file beside the program, the worksheet's name, the
// columns and the rows as the screen shows them.
//
// The rows are either texts (`rows`, one text per column) or, for a grid that
// keeps its cells as stored bytes, `rowCount` rows whose cells `cell` hands over
// one at a time. When `cell` is set, `rows` is not used.
struct ExportDescription
{
    QString fileName;
    QString sheetName;
    QList<ExportColumn> columns;
    QList<QStringList> rows;
    // For a workbook: rows of text written in bold above the header (a title),
    // and the indexes of `rows` written in bold.
    QList<QStringList> titleRows;
    QSet<qint64> boldRows;

    // One cell as a grid keeps it: the Windows-1252 bytes the archive stores, or,
    // when `text` is set, the text the user typed over them. Either stays valid
    // until the next cell is asked for.
    struct Cell
    {
        QByteArrayView bytes;
        const QString *text = nullptr;
    };
    using CellSource = std::function<Cell(qint64 row, int column)>;
    qint64 rowCount = 0;
    CellSource cell;
};
