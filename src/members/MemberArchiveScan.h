#pragma once

#include "common/ArchiveResult.h"
#include "common/ListRows.h"
#include "common/RecordScan.h"
#include "common/TSchedaSocio.h"

#include <functional>
#include <optional>

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

    // A stored member holding a tax code: its position and its name as the
    // card shows it.
    struct TaxCodeHolder
    {
        qint64 position = 0;
        QString name;
    };
    // The first member of Soci.pro in the program's folder, other than the one
    // at `except`, whose tax code is `code` (both trimmed, the case of A-Z
    // ignored); nothing when none is, or when `code` is empty. A failure when
    // the archive cannot be read to the end.
    static ArchiveResult<std::optional<TaxCodeHolder>> findTaxCode(const QString &code,
                                                                   std::optional<qint64> except);

    // Opens Soci.pro in the program's folder for reading (an absent archive is
    // created empty).
    [[nodiscard]] bool open();
    using RecordScan::open;
};
