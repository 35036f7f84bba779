#pragma once

#include "CheckOutcome.h"

#include <QChar>
#include <QString>

// The Italian tax code (codice fiscale) check: 16 characters whose last one is
// the check letter the first fifteen give. Only length and check letter are
// examined, not the pattern of surname, birth date and place.
namespace TaxCodeCheck {

// The check letter of the first fifteen characters of `code`, which must be
// upper case already; a null QChar when the code is shorter than fifteen or one
// of them lies outside "0".."Z".
QChar checkCharacter(const QString &code);

// True when `code` has 16 characters and ends with its check letter.
bool isValid(const QString &code);

// What "Controlla" reports for the text of the entry line.
CheckOutcome check(const QString &typed);

} // namespace TaxCodeCheck
