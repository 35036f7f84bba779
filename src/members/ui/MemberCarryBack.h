#pragma once

#include <QString>

#include <optional>

class QWidget;
struct TSchedaSocio;

// Carries a member chosen in the search or a subscription list back into the
// screen that wants it: the member card, or the payer or beneficiary fields of
// the movement card.
namespace MemberCarryBack {

enum class Target { Card, Payer, Beneficiary };

// The target named by the search's mode: "anagrafica", "movimenti_pagatore",
// "movimenti_beneficiario"; nothing for any other text.
std::optional<Target> targetOf(const QString &mode);

// Reads the record at the 1-based position of Soci.pro; false when it cannot be read.
bool read(qint64 position1, TSchedaSocio &out);

// Writes the record into the target. The movement card's fields are reached by
// name; a field the card does not have is left alone.
void deliver(Target target, qint64 position1, const TSchedaSocio &record);

// The message shown when the chosen member cannot be read.
QString readFailureMessage();

} // namespace MemberCarryBack
