#include "MemberSearch.h"

#include "MemberArchiveScan.h"
#include "common/TextRules.h"

namespace MemberSearch {

namespace {

struct Prepared
{
    MemberArchiveScan::Slot slot;
    QString key; // lower-cased, not trimmed
};

// Only the criteria that take part, lower-cased once for the whole scan. A text
// of blanks alone takes no part: it would otherwise be met by any field holding
// a blank and let a member through whatever the other criteria say.
QList<Prepared> prepare(const Criteria &criteria)
{
    QList<Prepared> out;
    for (const Criterion &c : criteria) {
        if (TextRules::trim(c.text).isEmpty())
            continue;
        out.append({MemberArchiveScan::slot(c.field), TextRules::lowerAZ(c.text)});
    }
    return out;
}

} // namespace

ListScan run(const Criteria &criteria)
{
    const QList<Prepared> wanted = prepare(criteria);
    return MemberArchiveScan::list([&wanted](const MemberArchiveScan &member) {
        for (const Prepared &p : wanted)
            if (!ListRows::containsLowerAZ(member.text(p.slot), p.key))
                return MemberArchiveScan::Verdict::NotListed;
        return MemberArchiveScan::Verdict::Listed;
    });
}

QString countText(qsizetype rows)
{
    return QStringLiteral("Il presente riepilogo contiene ") + QString::number(rows) +
           QStringLiteral(" schede.");
}

} // namespace MemberSearch
