#pragma once

#include "books/YearDeadlines.h"
#include "common/ListRows.h"

#include <QDate>
#include <QString>

// What is falling due on a day, for the window shown after the login: the
// members whose subscription is within its days of notice or expired, and the
// unsettled payments of the day's year whose notice has begun or whose due date
// has passed. Each group is the scan of its own list screen, with that list's
// rule; only the archives that exist are read, so the reminder never creates a
// file.
namespace DueReminder {

struct Due
{
    QDate today;
    // The members, as the list of subscriptions expiring or expired shows them.
    ListScan members;
    // The year of the payments and the path of its movement file.
    QString year;
    QString yearFile;
    // The payments, as the payments-due list of that year shows them.
    ListScan payments;
    // The association's yearly duties whose notice has begun and that are not done.
    QList<YearDeadlines::Deadline> deadlines;

    bool any() const { return !members.rows.isEmpty() || !payments.rows.isEmpty() || !deadlines.isEmpty(); }
};

// Reads Soci.pro and the movement file of today's year in the program's folder.
Due gather(const QDate &today);

} // namespace DueReminder
