#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

// The values of a bank's file: amounts and dates in the forms Italian banks
// export them, and the file's text whatever its encoding.
namespace BankText {

// "1.234,56", "1234,56", "-12,00", "+3", "1,234.56", "1234.56", with an optional
// "€" or "EUR" around it. Decimals, when present, are exactly two. Nothing for
// anything else ("1.234,5", "-", "12,345.6").
std::optional<qint64> parseCents(const QString &text);
// A number of a spreadsheet cell as cents; nothing when it has more than two decimals.
std::optional<qint64> centsOfNumber(double value);
// A plain decimal with a point ("123.4", "7"), as XML statements give amounts.
std::optional<qint64> parsePointCents(const QString &text);

// dd/mm/yyyy, dd/mm/yy (years 2000-2099), yyyy-mm-dd (also followed by a time);
// nothing for what names no real day.
std::optional<QDate> parseDate(const QString &text);
// A spreadsheet's date serial (days since 30/12/1899), within 1950-2100.
std::optional<QDate> dateOfSerial(double serial);
// DDMMYY of the fixed-width records.
std::optional<QDate> parseDdmmyy(const QString &text);

// "1.234,56" (negative with '-'), as the screens show amounts.
QString formatCents(qint64 cents);

// The text of a file: UTF-8 (with or without its mark) or Windows-1252. Lines
// of the two kinds in one file give nothing and, in *badLine, the first line
// whose encoding differs from the rest.
std::optional<QString> decode(const QByteArray &bytes, int *badLine);

// Letters folded to lower case without accents, anything else a blank, blanks
// collapsed: how descriptions and names are compared.
QString fold(const QString &text);

} // namespace BankText
