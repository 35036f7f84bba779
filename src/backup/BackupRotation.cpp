#include "BackupRotation.h"

#include <QSet>

#include <algorithm>

namespace BackupRotation {

QList<QDateTime> toDelete(QList<QDateTime> copies, const QDateTime &now)
{
    std::sort(copies.begin(), copies.end(), std::greater<>());
    const QDate thisMonth(now.date().year(), now.date().month(), 1);
    const QDate firstMonth = thisMonth.addMonths(-(kKeepMonths - 1));
    QSet<int> monthsKept; // year * 12 + month
    QList<QDateTime> out;
    for (int i = 0; i < copies.size(); ++i) {
        const QDate d = copies[i].date();
        const int month = d.year() * 12 + d.month();
        const bool inWindow = d >= firstMonth;
        // Newest first, so the first copy met in a month is that month's newest.
        const bool monthly = inWindow && !monthsKept.contains(month);
        if (monthly)
            monthsKept.insert(month);
        if (i >= kKeepNewest && !monthly)
            out.append(copies[i]);
    }
    return out;
}

} // namespace BackupRotation
