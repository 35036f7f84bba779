#include "ExportCells.h"

#include <algorithm>
#include <cstring>

void ExportCells::reset(qint64 rows, int columns)
{
    m_rows = rows;
    m_columns = columns;
    m_bytes = QByteArray();
    m_used = 0;
    m_rowStart = {};
    m_cellEnd = {};
    m_rowStart.reserve(size_t(rows));
    m_cellEnd.reserve(size_t(rows) * size_t(columns));
}

void ExportCells::reserveBytes(qint64 bytes)
{
    if (bytes > m_bytes.size())
        m_bytes.resize(bytes);
}

void ExportCells::beginRow()
{
    m_rowStart.push_back(m_used);
}

void ExportCells::addCell(QByteArrayView bytes)
{
    // The buffer grows by doubling and is written through its pointer: a cell
    // costs one copy of its bytes.
    if (m_used + bytes.size() > m_bytes.size())
        m_bytes.resize(std::max<qint64>(m_bytes.size() * 2, std::max<qint64>(m_used + bytes.size(), 4096)));
    // An empty cell may come as a view of nothing at all: there is nothing to copy.
    if (!bytes.isEmpty())
        std::memcpy(m_bytes.data() + m_used, bytes.data(), size_t(bytes.size()));
    m_used += bytes.size();
    m_cellEnd.push_back(quint32(m_used - m_rowStart.back()));
}

QByteArrayView ExportCells::cell(qint64 row, int column) const
{
    if (row < 0 || row >= filledRows() || column < 0 || column >= m_columns)
        return {};
    const size_t at = size_t(row) * size_t(m_columns) + size_t(column);
    const qint64 start = m_rowStart[size_t(row)];
    const quint32 begin = column == 0 ? 0 : m_cellEnd[at - 1];
    return QByteArrayView(m_bytes.constData() + start + begin, qsizetype(m_cellEnd[at] - begin));
}
