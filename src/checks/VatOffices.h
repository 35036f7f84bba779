#pragma once

#include <QString>

// The VAT offices that issued Italian VAT numbers, by the three-digit office
// code found in digits 8 to 10 of the number.
namespace VatOffices {

// The office's town (with its number where a town had more than one); empty for
// a code that names no office.
QString name(const QString &code);

} // namespace VatOffices
