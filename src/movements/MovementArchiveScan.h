#pragma once

#include "common/ListRows.h"
#include "common/RecordScan.h"
#include "common/TSchedaMovimento.h"

#include <functional>

// Reads a year's movement file from the first record to the last for the
// movement search and the payments-due list: the scan every archive shares,
// with the movement's row.
class MovementArchiveScan : public RecordScan<TSchedaMovimento>
{
public:
    // Judges the current movement of a scan, reading the fields it needs with text().
    using Filter = std::function<Verdict(const MovementArchiveScan &movement)>;

    // The year file at `path` (an absent file is created empty) from the first
    // movement to the last: a row (MovementRow) for each movement the filter
    // lists, sorted by text, that is by reason, each with its position.
    static ListScan list(const QString &path, const Filter &filter);
};
