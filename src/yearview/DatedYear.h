#pragma once

#include "statement/YearMovements.h"

#include <QList>
#include <QString>

// One year's movement file read once for the year at a glance: what the
// statement needs (the settled movements grouped by kind, reason and payment
// method, and everything left out) and, beside it, the cents of each group
// on each day of the year. Amounts are in cents.
struct DatedYear
{
    YearMovements movements;
    // dayCents[g][d]: the settled cents of movements.groups[g] dated on day d
    // of the year (0 = 1 January), positive for both kinds.
    QList<QList<qint64>> dayCents;

    // Reads the file at `path` (never creating or changing it) as the file of `year`.
    static DatedYear read(const QString &path, int year);
};
