#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The amount of a receipt written out in Italian words, the way a cheque or a
// receipt book spells it: the whole euros in one word, a slash, the two digits
// of the cents ("centoventi/50").
namespace AmountInWords {

// The largest sum spelled: just under one hundred billion euros, more than any
// stored amount can hold.
inline constexpr qint64 kMaxCents = 9'999'999'999'999;

// A whole number from 0 to 99,999,999,999 in words: "zero", "ventuno",
// "centoundici", "mille", "duemila", "unmilione", "duemilioni".
QString number(qint64 value);

// Euros and cents: "centoventi/50", "zero/50", "uno/00". Empty for a negative
// sum or one past kMaxCents.
QString ofCents(qint64 cents);

// A stored amount ("120,50"), read strictly; nothing when it is not an amount.
std::optional<QString> ofStoredAmount(QStringView amount);

// The stored amount in cents; nothing when it is not an amount or out of range.
std::optional<qint64> centsOf(QStringView amount);

} // namespace AmountInWords
