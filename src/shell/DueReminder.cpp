#include "DueReminder.h"

#include "common/ArchivePaths.h"
#include "common/FileAccess.h"
#include "members/SubscriptionLists.h"
#include "movements/MovementCardRules.h"
#include "movements/MovementLists.h"

namespace DueReminder {

namespace {

// A list over a file that is not there has nothing due; opening it for the scan
// would create it, and a login must leave the folder as it found it.
bool present(const QString &path) { return FileAccess::entryAt(path) != FileAccess::Entry::Missing; }

} // namespace

Due gather(const QDate &today)
{
    Due due;
    due.today = today;
    due.year = QString::number(today.year()).rightJustified(4, QLatin1Char('0'));
    due.yearFile = MovementCardRules::yearFile(due.year);
    if (present(ArchivePaths::members()))
        due.members = SubscriptionLists::scan(SubscriptionLists::Kind::Expiring, today);
    if (present(due.yearFile))
        due.payments = MovementLists::paymentsDue(due.yearFile, today);
    due.deadlines = YearDeadlines::pending(YearDeadlines::path(), today);
    return due;
}

} // namespace DueReminder
