#pragma once

#include "receipts/ReceiptContent.h"

#include <optional>

class QWidget;

// What a receipt takes from the association's own files: its name, address, tax
// code and treasurer (Ente.ini), and whether a reason is a gift in the
// classification of the statement (Rendiconto.ini).
namespace ReceiptIssuer {

// The association's data for the receipt. When its name is missing the user is
// asked whether to open the association's data screen; nothing when the receipt
// cannot go on (the user has been told).
std::optional<ReceiptContent::Issuer> forReceipt(QWidget *owner);

// True when the classification puts the reason among the gifts.
bool isDonation(const QString &causale);

} // namespace ReceiptIssuer
