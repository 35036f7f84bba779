#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// The cells of an export grid as the archive stores them: the Windows-1252
// bytes of each cell, trimmed, packed one row after the other in one buffer.
// A grid of 100,000 cards thus holds little more than the text its cells show,
// with no text object per cell; a cell becomes a text only when it is shown.
class ExportCells
{
public:
    // Empties the grid and gives it `rows` rows of `columns` cells, all empty
    // until filled.
    void reset(qint64 rows, int columns);
    // Room for this many bytes of cell text, so that filling does not copy.
    void reserveBytes(qint64 bytes);

    // Fills the next row: beginRow(), then addCell() once for each column.
    void beginRow();
    void addCell(QByteArrayView bytes);

    qint64 rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }
    // Rows filled so far, from the first; the rows after them are empty.
    qint64 filledRows() const { return qint64(m_rowStart.size()); }
    // The bytes of a cell; empty for a row not filled.
    QByteArrayView cell(qint64 row, int column) const;
    qint64 textBytes() const { return m_used; }

private:
    qint64 m_rows = 0;
    int m_columns = 0;
    QByteArray m_bytes; // the first m_used bytes hold the cells
    qint64 m_used = 0;
    std::vector<qint64> m_rowStart;   // where each filled row begins in m_bytes
    std::vector<quint32> m_cellEnd;   // where each cell ends, from its row's start
};
