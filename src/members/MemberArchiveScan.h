#pragma once

#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"

#include <QByteArray>

// Reads the member archive from the first record to the last for the search and
// the lists. Only the fields a scan asks for are decoded, so scanning a large
// archive costs little more than reading it.
class MemberArchiveScan
{
public:
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
