#pragma once

#include "movements/MovementCardValues.h"
#include "movements/MovementYear.h"

#include <functional>
#include <optional>

class QWidget;

// The card's two receipt commands, handed in by whoever opens the card: the
// card gives its values and gets back a stored movement to show.
struct ReceiptCommands
{
    struct Ask
    {
        QString yearFile;
        std::optional<qint64> position; // none for a card not stored yet
        MovementCardValues card;
    };
    // The receipt of the card shown; the movement as stored once a new number
    // was written into it.
    std::function<std::optional<TSchedaMovimento>(QWidget *card, const Ask &ask)> receipt;
    // The list of the year's receipts; the movement picked in it.
    std::function<std::optional<StoredMovement>(QWidget *card, const QString &yearFile)> list;
};
