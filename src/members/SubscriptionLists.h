#pragma once

#include "MemberArchiveScan.h"
#include "common/ListRows.h"

#include <QDate>
#include <QString>

// The two lists of members whose subscription needs attention.
namespace SubscriptionLists {

enum class Kind {
    // Expiring within its days of notice, or already expired.
    Expiring,
    // Expired: today is past the expiry date.
    Expired,
};

using Verdict = MemberArchiveScan::Verdict;

// dataSca: the expiry date dd/mm/yyyy; preavviso: the days of notice as a whole
// number (not read for the expired list). Unreadable when a field it needs is
// not a valid date or number.
Verdict judge(Kind kind, QStringView dataSca, QStringView preavviso, const QDate &today);

// Scans Soci.pro in the program's folder. A record that cannot be judged is
// left out and counted in skipped; the scan goes on with the next one.
ListScan scan(Kind kind, const QDate &today);

} // namespace SubscriptionLists
