#include "SubscriptionLists.h"

#include "common/DueDates.h"
#include "common/TSchedaSocio.h"
#include "common/TextRules.h"

namespace SubscriptionLists {

Verdict judge(Kind kind, QStringView dataSca, QStringView preavviso, const QDate &today)
{
    const auto expiry = TextRules::parseDate(TextRules::trimmed(dataSca));
    if (!expiry)
        return Verdict::Unreadable;
    if (kind == Kind::Expired)
        return today > *expiry ? Verdict::Listed : Verdict::NotListed;
    // The notice period of N days before the expiry has begun, or the expiry has passed.
    const auto begun = DueDates::noticeBegun(dataSca, preavviso, today);
    if (!begun)
        return Verdict::Unreadable;
    return *begun ? Verdict::Listed : Verdict::NotListed;
}

ListScan scan(Kind kind, const QDate &today)
{
    static const auto dataScaSlot = MemberArchiveScan::slot(&TSchedaSocio::DataSca);
    static const auto preavvisoSlot = MemberArchiveScan::slot(&TSchedaSocio::Preavviso);
    return MemberArchiveScan::list([kind, &today](const MemberArchiveScan &member) {
        // The expired list never reads the days of notice.
        RecordCodec::FieldChars dataSca;
        RecordCodec::FieldChars preavviso;
        return judge(kind, member.text(dataScaSlot, dataSca),
                     kind == Kind::Expiring ? member.text(preavvisoSlot, preavviso) : QStringView(), today);
    });
}

} // namespace SubscriptionLists
