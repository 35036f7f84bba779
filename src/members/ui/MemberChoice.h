#pragma once

#include "members/StoredMember.h"

#include <optional>

class QWidget;

// What the member search and the subscription lists do with a double-clicked
// row: read the member at its position, to hand it back to their opener.
namespace MemberChoice {

// The member at the position, or nothing when it cannot be read; the user is
// then told, over `dialog`, that the card was not brought back.
std::optional<StoredMember> read(QWidget *dialog, qint64 position);

} // namespace MemberChoice
