#include "MovementChoice.h"

#include "common/CardRules.h"
#include "common/TextRules.h"
#include "common/ui/UiPlatform.h"

namespace MovementChoice {

std::optional<StoredMovement> read(QWidget *dialog, const QString &yearFile, qint64 position)
{
    const auto movement = MovementYear(TextRules::trim(yearFile)).read(position);
    if (!movement)
        UiPlatform::warning(dialog, CardRules::chosenCardUnreadable());
    return movement;
}

} // namespace MovementChoice
