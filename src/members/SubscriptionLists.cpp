#include "SubscriptionLists.h"

#include "common/TSchedaSocio.h"
#include "common/TextRules.h"

namespace SubscriptionLists {

static std::optional<int> wholeNumber(const QString &text)
{
    const QString t = TextRules::trim(text);
    if (t.isEmpty())
        return std::nullopt;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        const bool sign = i == 0 && t.size() > 1 && (c == QLatin1Char('+') || c == QLatin1Char('-'));
        if (!sign && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return std::nullopt;
    }
    bool ok = false;
    const int n = t.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}

Verdict judge(Kind kind, const QString &dataSca, const QString &preavviso, const QDate &today)
{
    const auto expiry = TextRules::parseDate(TextRules::trim(dataSca));
    if (!expiry)
        return Verdict::Unreadable;
    if (kind == Kind::Expired)
        return today > *expiry ? Verdict::Listed : Verdict::NotListed;
    const auto notice = wholeNumber(preavviso);
    if (!notice)
        return Verdict::Unreadable;
    // The notice period of N days before the expiry has begun, or the expiry has passed.
    return expiry->addDays(-*notice) <= today ? Verdict::Listed : Verdict::NotListed;
}

ListScan scan(Kind kind, const QDate &today)
{
    static const auto dataScaSlot = MemberArchiveScan::slot(&TSchedaSocio::DataSca);
    static const auto preavvisoSlot = MemberArchiveScan::slot(&TSchedaSocio::Preavviso);
    return MemberArchiveScan::list([kind, &today](const MemberArchiveScan &member) {
        // The expired list never reads the days of notice.
        const QString preavviso = kind == Kind::Expiring ? member.text(preavvisoSlot) : QString();
        return judge(kind, member.text(dataScaSlot), preavviso, today);
    });
}

} // namespace SubscriptionLists
