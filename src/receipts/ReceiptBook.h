#pragma once

#include "ReceiptContent.h"
#include "common/TSchedaMovimento.h"

#include <QList>
#include <QString>

#include <optional>

// The receipts of a year, kept where the treasurer always wrote their number:
// the "CRO / Ricevuta n." field (Ricevuta) of the income movement they were
// given for. A receipt number is "<n>/<year>", n counting from 1 in each year;
// the year is the year of the register file, so one file holds all of a year's
// receipts and the next number is found by reading that file alone.
namespace ReceiptBook {

struct Number
{
    qint64 n = 0;
    int year = 0;
    QString text() const { return QStringLiteral("%1/%2").arg(n).arg(year, 4, 10, QLatin1Char('0')); }
    bool operator==(const Number &) const = default;
};

// The receipt number a Ricevuta field starts with: up to 18 digits, "/", four
// digits, then the end or a blank. A bank reference or any other text is not one.
std::optional<Number> numberIn(QStringView ricevuta);

// The field after the number is given: the number alone, or the number before
// what the field already held (a bank reference is kept), cut to the field.
QString fieldWith(const Number &number, const QString &previous);

// The year of a register file, from its name ("2024.eur"); nothing for another name.
std::optional<int> yearOfFile(const QString &path);

// What asking for the receipt of a stored movement came to.
struct Outcome
{
    enum class Kind {
        Issued,    // a new number was written into the record
        Duplicate, // the record already held its number: printed again, nothing written
        Changed,   // the record stored differs from the one shown: nothing written
        NotSettled, // the income is not stored as settled: nothing written
        NotFound,  // no record at that position any more
        Failed,    // the file could not be read or written (error says why)
    };
    Kind kind = Kind::Failed;
    Number number;
    TSchedaMovimento record; // as stored after the action
    // What the receipt prints: for a new number, as just kept in the year's
    // receipt file; for a duplicate, what its original printed, when kept.
    std::optional<ReceiptContent> content;
    QString error;
};

// Gives the movement stored at position1 of the year file its receipt number.
// Everything happens under the file's exclusive lock, held from the reading of
// the year's numbers to the checked write, so two workstations asking at the
// same moment get two numbers. `shown` is the record the card would store: when
// the file holds something else (unsaved edits, or a change made elsewhere)
// nothing is written. A new receipt's content (issuer and gift tick as given)
// is kept in the year's receipt file before its number goes into the movement;
// of the movement only the bytes of the Ricevuta field change.
Outcome issue(const QString &yearFile, qint64 position1, const TSchedaMovimento &shown,
              const ReceiptContent::Issuer &issuer, bool donation);

// One receipt of the year.
struct Entry
{
    Number number;
    qint64 position = 0;
    TSchedaMovimento record;
};

// The year's receipts in number order (the year of the file); nothing when the
// file cannot be read, with the reason in *error.
std::optional<QList<Entry>> receipts(const QString &yearFile, QString *error = nullptr);

} // namespace ReceiptBook
