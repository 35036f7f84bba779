#pragma once

#include "CheckOutcome.h"

#include <QString>

// The IBAN check as used in Italy: 27 characters passing the MOD 97-10 check.
// Neither the country nor the national codes inside the number are examined.
namespace IbanCheck {

// The remainder modulo 97 of the IBAN text: blanks dropped, upper-cased, the
// first "IBAN" removed, the first four characters moved to the end, letters
// turned into 10..35. A character that is neither a letter A-Z nor a digit
// gives 0, and so does an empty text. A correct IBAN gives 1.
int remainder(const QString &iban);

// What "Controlla" reports for the text of the entry line.
CheckOutcome check(const QString &typed);

} // namespace IbanCheck
