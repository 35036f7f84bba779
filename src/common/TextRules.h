#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

// The text rules shared by every screen: trimming, fitting, the A-Z case rules,
// dates as dd/mm/yyyy and amounts with a decimal comma. None of them looks at the
// system's locale.
namespace TextRules {

// Removes blanks and control characters (codes up to 32) at both ends.
QString trim(const QString &text);
QStringView trimmed(QStringView text);

// Trims, pads with blanks and keeps the first width characters.
QString fit(const QString &text, int width);

// Change only the letters A-Z and a-z; accented letters keep their case.
QString lowerAZ(const QString &text);
QString upperAZ(const QString &text);

// Case-sensitive substring test; an empty needle is contained in nothing.
bool contains(const QString &haystack, const QString &needle);

// Compares two row texts ignoring the case of A-Z, otherwise by character code.
int compareRows(const QString &a, const QString &b);

// dd/mm/yyyy with two-digit day and month and a four-digit year naming a real day.
std::optional<QDate> parseDate(const QString &text);
std::optional<QDate> parseDate(QStringView text);
bool isValidDate(const QString &text);
QString formatDate(const QDate &date);

// A decimal number with ',' before the decimals and no grouping, with an optional
// sign and exponent; blanks around it are allowed.
std::optional<double> parseDecimal(const QString &text);
std::optional<double> parseDecimal(QStringView text);

// A stored amount of money: blanks around it, an optional sign, digits and at most
// one ',' with digits after it; no exponent, no grouping. Anything else is not an
// amount, so a damaged record can never count as a huge or endless sum.
std::optional<double> parseAmount(QStringView text);

// Shortest form with at most 15 significant digits, ',' as decimal separator.
QString formatGeneral(double value);

// Two decimals, ',' as separator, no grouping (negative values keep their '-').
QString formatTwoDecimals(double value);

// The fee written on leaving the fee field: at least two and at most four decimals.
QString normaliseFee(const QString &text);

// The amount of a movement: exactly two decimals, "0,00" for what is not a number.
QString normaliseAmount(const QString &text);

} // namespace TextRules
