#pragma once

#include "bank/BankFile.h"
#include "bank/BankText.h"

#include <QStringList>

// A statement in a form a test can compare at a glance:
// "line booking value amount | description | extended | counterparty | reference"
// for each row, "!line reason" for each refused line, "error: ..." for a file refused whole.
inline QStringList describe(const BankStatement &s)
{
    QStringList out;
    if (!s.ok())
        return {QStringLiteral("error: ") + s.error};
    for (const BankRow &r : s.rows)
        out.append(QStringLiteral("%1 %2 %3 %4 | %5 | %6 | %7 | %8")
                       .arg(r.line)
                       .arg(r.booking.toString(QStringLiteral("dd/MM/yyyy")), r.value.toString(QStringLiteral("dd/MM/yyyy")),
                            BankText::formatCents(r.cents), r.description, r.extended, r.counterparty, r.reference));
    for (const RefusedLine &r : s.refused)
        out.append(QStringLiteral("!%1 %2").arg(r.line).arg(r.reason));
    return out;
}

// A table file read with the columns its header names.
inline BankStatement readWithHeader(const BankFile &file)
{
    if (!file.error().isEmpty()) {
        BankStatement s;
        s.error = file.error();
        return s;
    }
    if (file.kind != BankFile::Kind::Table)
        return file.statement;
    const auto mapping = ColumnMapping::detect(file.grid);
    if (!mapping) {
        BankStatement s;
        s.error = QStringLiteral("no header");
        return s;
    }
    return file.rows(*mapping);
}

inline QByteArray latin(const char *text) { return QByteArray(text); }
