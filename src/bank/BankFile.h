#pragma once

#include "BankStatement.h"
#include "ColumnMapping.h"
#include "SheetGrid.h"

#include <QString>

#include <optional>

// A bank statement file as the import screen opens it: its kind found from its
// bytes, tables read into a grid (whose columns the mapping names), the
// fixed-width and XML statements read into rows directly.
struct BankFile
{
    enum class Kind { Table, Cbi, Camt };
    Kind kind = Kind::Table;
    SheetGrid grid;          // Table
    BankStatement statement; // Cbi and Camt; for a file that cannot be read, its error

    // Larger than any statement of a year; a larger file is refused unread.
    static constexpr qint64 kMaxBytes = 32 * 1024 * 1024;

    QString error() const { return kind == Kind::Table && !grid.error.isEmpty() ? grid.error : statement.error; }

    // Reads a regular file (never through a link, never a FIFO or device).
    static BankFile load(const QString &path);
    // The same from bytes already in memory; an .xls workbook needs `path`
    // naming the same bytes on disk.
    static BankFile fromBytes(const QByteArray &bytes, const QString &path = {});

    // The rows of a table under a mapping, or of the other kinds as read.
    BankStatement rows(const ColumnMapping &mapping) const;
};
