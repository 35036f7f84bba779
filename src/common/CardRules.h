#pragma once

#include <QString>

// What the member card and the movement card share: the messages about the
// archive and the card's place in it, and the rule that sends a tax code to the
// VAT number check.
namespace CardRules {

// A tax code made only of the digits 0-9 is a company's VAT number.
bool isVatNumber(const QString &trimmedCode);

QString accessError();
QString emptyArchive();
QString inserted();
QString changesSaved();
QString duplicateNeedsStoredCard();
QString duplicated();
// A card chosen in a search or a list that cannot be read back from its archive.
QString chosenCardUnreadable();

} // namespace CardRules
