#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// One movement of a bank statement as the bank wrote it.
struct BankRow
{
    int line = 0; // line of the file (row of the sheet) it came from, 1-based
    QDate booking;
    QDate value;
    qint64 cents = 0; // credits positive, debits negative
    QString description;
    QString extended;
    QString counterparty;
    QString reference; // the bank's own reference, empty when the file has none
    bool operator==(const BankRow &) const = default;
};

// A line of the file that looked like a movement but could not be read.
struct RefusedLine
{
    int line = 0;
    QString reason;
    bool operator==(const RefusedLine &) const = default;
};

struct BankBalance
{
    QDate date;
    qint64 cents = 0;
    bool operator==(const BankBalance &) const = default;
};

// What a reader made of a file. A file that is no statement at all has only
// `error`; otherwise its rows, the lines refused, and the balances it states.
struct BankStatement
{
    QList<BankRow> rows;
    QList<RefusedLine> refused;
    std::optional<BankBalance> opening;
    std::optional<BankBalance> closing;
    QString error;

    bool ok() const { return error.isEmpty(); }
    // A statement that may be imported: read, with every line of its table understood.
    bool whole() const { return ok() && refused.isEmpty(); }
    // The message for the user: the whole-file error, or the refused lines.
    QString problemText(int maxLines = 10) const;
};
