#pragma once

#include "RowTable.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// Builds the rows of a list straight from the records' Windows-1252 bytes into
// one RowTable: no string per field, per column or per row while the archive
// is read, and a sort on the characters' places in the order rather than on
// case-folding comparisons.
class RowBytes
{
public:
    // Room for `rows` rows, taken once.
    void reserve(qsizetype rows);

    // Starts the row of the record at this 1-based position; what is appended
    // next belongs to it, until the next beginRow().
    void beginRow(qint64 position);
    void append(QByteArrayView bytes) { m_table.m_bytes.append(bytes); }
    // A text already trimmed, padded with blanks and cut to width bytes: one
    // byte is one character in the code page, so this is TextRules::fit.
    void appendFitted(QByteArrayView trimmed, int width) { fit(m_table.m_bytes, trimmed, width); }
    // The same, appended to any buffer of row bytes.
    static void fit(QByteArray &out, QByteArrayView trimmed, int width);

    // Orders the rows exactly as ListRows::sort orders them: by character code
    // with a-z read as A-Z, equal rows in the order they were begun.
    void sort();

    // The rows in their current order; the builder is left empty.
    RowTable takeRows();

private:
    struct Entry
    {
        quint64 key;
        quint32 row;
    };
    void endRow();
    quint64 chunk(quint32 index, qsizetype depth) const;
    void sortRun(Entry *begin, Entry *end, qsizetype depth) const;

    RowTable m_table;
    qsizetype m_rowStart = 0; // where the open row's bytes begin
    bool m_open = false;
};
