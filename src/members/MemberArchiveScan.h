#pragma once

#include "common/ListRows.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"

#include <QByteArray>

#include <functional>

// Reads the member archive from the first record to the last for the search and
// the lists. Only the fields a scan asks for are decoded, so scanning a large
// archive costs little more than reading it.
class MemberArchiveScan
{
public:
    // What a list makes of a member: a row, no row, or no row because a field
    // the list depends on cannot be read (counted in ListScan::skipped).
    enum class Verdict { Listed, NotListed, Unreadable };
    // Judges the current member of a scan, reading the fields it needs with text().
    using Filter = std::function<Verdict(const MemberArchiveScan &member)>;

    // The scan every member list runs: Soci.pro in the program's folder from the
    // first member to the last, a row (MemberRow) for each member the filter
    // lists, sorted by text, each with its position.
    static ListScan list(const Filter &filter);

    // Where a field lies inside the stored record.
    struct Slot
    {
        int offset = 0;
        int capacity = 0;
    };
    static Slot slot(QString TSchedaSocio::*field);

    // Opens Soci.pro in the program's folder for reading (an absent archive is
    // created empty).
    [[nodiscard]] bool open();
    // Records in the archive; valid after open().
    qint64 count() const { return m_count; }
    // Moves to the next record; false at the end or when it cannot be read
    // (failed() tells which).
    [[nodiscard]] bool next();
    bool failed() const { return m_failed; }
    QString errorString() const { return m_file.errorString(); }

    // 1-based position of the current record.
    qint64 position() const { return m_position; }
    // A field of the current record, trimmed.
    QString text(Slot slot) const;

private:
    RecordFile<TSchedaSocio> m_file;
    QByteArray m_raw;
    qint64 m_count = 0;
    qint64 m_position = 0;
    bool m_failed = false;
};
