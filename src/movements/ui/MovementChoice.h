#pragma once

#include "movements/MovementYear.h"

#include <QString>

#include <optional>

class QWidget;

// What the movement search and the payments-due list do with a double-clicked
// row: read the movement at its position in the year's file, to hand it back to
// the movement card.
namespace MovementChoice {

// The movement at the position, or nothing when it cannot be read; the user is
// then told, over `dialog`, that the card was not brought back.
std::optional<StoredMovement> read(QWidget *dialog, const QString &yearFile, qint64 position);

} // namespace MovementChoice
