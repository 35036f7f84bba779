#include "MemberChoice.h"

#include "common/ui/UiPlatform.h"
#include "members/MemberArchive.h"
#include "members/MemberCardRules.h"

namespace MemberChoice {

std::optional<StoredMember> read(QWidget *dialog, qint64 position)
{
    const auto member = MemberArchive().read(position);
    if (!member) {
        UiPlatform::warning(dialog, MemberCardRules::chosenMemberUnreadable());
        return std::nullopt;
    }
    return *member;
}

} // namespace MemberChoice
