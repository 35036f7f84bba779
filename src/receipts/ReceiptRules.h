#pragma once

#include "movements/MovementCardValues.h"

#include <QString>

#include <optional>

// What the receipt command of the movement card decides without a widget:
// whether the card shown may have a receipt, whether it is a donation, how the
// payment reads on paper, and the messages the user is shown.
namespace ReceiptRules {

// Why the card shown cannot have a receipt, in the order the user is told; nothing
// when it can. stored: the card is a record of the year's file. The amount must
// already be normalised.
std::optional<QString> refusal(const MovementCardValues &card, bool stored);

// The class of the income items that are donations in the association's
// classification of reasons.
inline const QString kDonationItem = QStringLiteral("A.E4");

// How the payment method reads for the tax rules on gifts.
enum class Payment { Cash, Traceable, Unknown };
Payment paymentKind(const QString &method);

QString expenseRefused();
QString unsavedRefused();
QString unsettledRefused();
QString zeroRefused();
QString noAssociationName();
QString changedRefused();
// The information after a new number was written into the card.
QString issued(const QString &number);

} // namespace ReceiptRules
