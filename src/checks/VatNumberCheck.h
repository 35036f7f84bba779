#pragma once

#include "CheckOutcome.h"

#include <QString>

// The Italian VAT number (partita IVA) check: eleven digits, the last one the
// check digit of the first ten; a valid number also names its VAT office.
namespace VatNumberCheck {

// The check digit (0-9) of the first ten characters; -1 when there are fewer
// than ten or one of them is not a digit.
int checkDigit(const QString &number);

// Exactly eleven digits ending with their check digit.
bool isValid(const QString &number);

// What "Controlla" reports for the text of the entry line.
CheckOutcome check(const QString &typed);

} // namespace VatNumberCheck
