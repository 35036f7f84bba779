#pragma once

#include "movements/MovementCardValues.h"
#include "receipts/ReceiptContent.h"
#include "common/EnteData.h"

#include <functional>
#include <optional>

class QWidget;

// What a receipt takes from the association's own files: its name, address, tax
// code and treasurer (Ente.ini), and whether a reason is a gift in the
// classification of the statement (Rendiconto.ini).
namespace ReceiptIssuer {

// Opens the association's data for the user to edit: the data as saved, or
// nothing when the screen was closed without saving.
using EditAssociation = std::function<std::optional<EnteData>(QWidget *owner)>;

// The association's data for the receipt. When its name is missing the user is
// asked whether to edit the association's data; nothing when the receipt
// cannot go on (the user has been told).
std::optional<ReceiptContent::Issuer> forReceipt(QWidget *owner, const EditAssociation &edit);

// True when the classification puts the reason among the gifts.
bool isDonation(const QString &causale);

// The receipt command of the movement card: refuses what cannot have a receipt,
// saying why, or opens the receipt dialog on the stored movement. The movement
// as stored once a new number was written into it.
std::optional<TSchedaMovimento> receipt(QWidget *card, const QString &yearFile, std::optional<qint64> position,
                                        const MovementCardValues &values, const EditAssociation &edit);

} // namespace ReceiptIssuer
