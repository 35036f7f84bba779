#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cmath>
#include <vector>

// A table as a CSV file or a spreadsheet's first sheet holds it, before its
// columns are known: rows of texts, each with the line (or sheet row) it came
// from. A spreadsheet's numeric cells also keep their number (dates are
// serials there); a CSV's cells are all text.
struct GridRow
{
    int line = 0;
    QStringList cells;
    std::vector<double> numbers; // NaN for a text cell; empty when no cell is numeric

    QString cell(qsizetype column) const { return column >= 0 && column < cells.size() ? cells[column] : QString(); }
    double number(qsizetype column) const
    {
        return column >= 0 && column < qsizetype(numbers.size()) ? numbers[size_t(column)] : std::nan("");
    }
};

struct SheetGrid
{
    QList<GridRow> rows;
    QString error; // the file is no table at all
    qsizetype columnCount() const
    {
        qsizetype n = 0;
        for (const GridRow &r : rows)
            n = std::max(n, r.cells.size());
        return n;
    }
};
