#pragma once

#include "common/ListRows.h"
#include "common/RecordScan.h"
#include "common/TSchedaSocio.h"

#include <functional>

// Reads the member archive Soci.pro from the first record to the last for the
// search and the lists: the scan every archive shares, on the member file and
// with the member's row.
class MemberArchiveScan : public RecordScan<TSchedaSocio>
{
public:
    // Judges the current member of a scan, reading the fields it needs with text().
    using Filter = std::function<Verdict(const MemberArchiveScan &member)>;

    // The scan every member list runs: Soci.pro in the program's folder from the
    // first member to the last, a row (MemberRow) for each member the filter
    // lists, sorted by text, each with its position.
    static ListScan list(const Filter &filter);

    // Opens Soci.pro in the program's folder for reading (an absent archive is
    // created empty).
    [[nodiscard]] bool open();
    using RecordScan::open;
};
