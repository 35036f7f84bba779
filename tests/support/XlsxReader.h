#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads back what an export wrote, the way a spreadsheet program sees it, so that
// tests compare cells rather than bytes: the workbook's first worksheet through
// the zip library and an XML reader, and the ".xls" document's table cells.
namespace XlsxReader {

struct Cell
{
    enum class Type { Empty, Text, Number };
    Type type = Type::Empty;
    QString text;   // a text cell's text
    double number = 0;
    QString format; // the number format of the cell's style; "General" when none
    bool bold = false;
};

struct Sheet
{
    QString error; // why the workbook could not be read; empty when it was
    QString name;
    QList<QList<Cell>> rows; // from the first row, each as long as the widest
    int frozenRows = 0;      // rows kept on screen while scrolling
    QList<double> widths;    // each column's width in characters, 0 when not set
};

// The first worksheet of the workbook at path.
Sheet read(const QString &path);

// The cells of an ".xls" export, row by row, as texts (references unescaped,
// Windows-1252 decoded), the header row first.
QList<QStringList> readDocument(const QByteArray &document);

} // namespace XlsxReader
