#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

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

// A cell whose maker already knows its kind: a text, or an amount in euro
// (`number`) together with the text that shows it; bold or not.
struct ExportCell
{
    QString text;
    std::optional<double> number;
    bool bold = false;

    static ExportCell of(const QString &text, bool bold = false) { return {text, std::nullopt, bold}; }
};
using ExportRow = QList<ExportCell>;

// What an export writes: the file beside the program, the worksheet's name, the
// columns and the rows as the screen shows them.
//
// The rows are either texts (`rows`, one text per column), or, for a grid that
// keeps its cells as stored bytes, `rowCount` rows whose cells `cell` hands over
// one at a time, or typed cells (`typedRows`) laid out as a form, one of whose
// rows may hold the column heads. When `cell` is set, `rows` is not used; when
// `typedRows` is not empty, neither is.
struct ExportDescription
{
    QString fileName;
    QString sheetName;
    QList<ExportColumn> columns;
    QList<QStringList> rows;

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

    QList<ExportRow> typedRows;
    qsizetype headerRow = -1; // the row of typedRows that holds the column heads, if any
};
