#pragma once

#include "ListRows.h"
#include "RecordFile.h"
#include "RowBytes.h"
#include "TextRules.h"

#include <QByteArray>
#include <QList>

// What a list makes of a record: a row, no row, or no row because a field the
// list depends on cannot be read (counted in ListScan::skipped).
enum class ScanVerdict { Listed, NotListed, Unreadable };

// The words typed for one record field in a search, as typed.
template <class Record>
struct SearchCriterion
{
    QString Record::*field;
    QString text;
};

// Reads an archive of one record type from the first record to the last for
// the searches and the lists. Only the fields a scan asks for are decoded, so
// scanning a large archive costs little more than reading it. The member and
// the movement lists are this one scan with their own file, row and filter.
template <class Record>
class RecordScan
{
public:
    using Verdict = ScanVerdict;
    using Criterion = SearchCriterion<Record>;
    using Criteria = QList<Criterion>;

    // Where a field lies inside the stored record.
    using Slot = RecordCodec::FieldSlot;
    static Slot slot(QString Record::*field) { return RecordCodec::slotOf<Record>(field); }

    // Opens the archive for reading (an absent archive is created empty).
    [[nodiscard]] bool open(const QString &path)
    {
        m_position = 0;
        m_record = nullptr;
        m_failed = false;
        if (!m_file.open(path, RecordFileBase::Access::Read)) {
            m_failed = true;
            return false;
        }
        m_count = m_file.count();
        if (m_count < 0) {
            m_failed = true;
            return false;
        }
        return true;
    }
    // Records in the archive; valid after open().
    qint64 count() const { return m_count; }
    // Moves to the next record; false at the end or when it cannot be read
    // (failed() tells which).
    [[nodiscard]] bool next()
    {
        if (m_failed || m_position >= m_count)
            return false;
        m_record = m_file.readNextInPlace();
        if (!m_record) {
            m_failed = true;
            return false;
        }
        ++m_position;
        return true;
    }
    bool failed() const { return m_failed; }
    QString errorString() const { return m_file.errorString(); }

    // 1-based position of the current record.
    qint64 position() const { return m_position; }
    // A field of the current record, trimmed.
    QString text(Slot slot) const { return RecordCodec::getField(m_record + slot.offset, slot.capacity); }
    // The same, decoded into `chars` without a string of its own.
    QStringView text(Slot slot, RecordCodec::FieldChars &chars) const
    {
        return RecordCodec::trimmedText(m_record, slot, chars);
    }
    // The same, as the stored Windows-1252 bytes.
    QByteArrayView bytes(Slot slot) const { return RecordCodec::trimmedBytes(m_record, slot); }

    // Scans the archive at `path` with `scan` (this class or one built on it): a
    // row, appended by rowOf(scan, rows) in Windows-1252 bytes, for each record
    // that filter(scan) lists, sorted by text, each with its position.
    template <class Scan, class Filter, class RowOf>
    static ListScan collect(Scan &scan, const QString &path, const Filter &filter, const RowOf &rowOf)
    {
        ListScan result;
        if (!scan.open(path)) {
            result.complete = false;
            result.opened = false;
            result.error = scan.errorString();
            return result;
        }
        RowBytes rows;
        rows.reserve(scan.count());
        while (scan.next()) {
            switch (filter(scan)) {
            case Verdict::Unreadable:
                ++result.skipped;
                continue;
            case Verdict::NotListed:
                continue;
            case Verdict::Listed:
                break;
            }
            rows.beginRow(scan.position());
            rowOf(scan, rows);
        }
        if (scan.failed()) {
            result.complete = false;
            result.error = scan.errorString();
        }
        rows.sort();
        result.rows = rows.takeRows();
        return result;
    }

    // The search's filter: a criterion takes part when its trimmed text is not
    // empty; it is met when its text, not trimmed, is contained in the field,
    // ignoring the case of A-Z. A record is listed when every criterion that
    // takes part is met, so with no criterion filled every record is listed.
    class AllCriteria
    {
    public:
        explicit AllCriteria(const Criteria &criteria)
        {
            // Lower-cased once for the whole scan. A text of blanks alone takes
            // no part: it would otherwise be met by any field holding a blank
            // and let a record through whatever the other criteria say.
            for (const Criterion &c : criteria) {
                if (TextRules::trim(c.text).isEmpty())
                    continue;
                m_wanted.append({slot(c.field), TextRules::lowerAZ(c.text)});
            }
        }
        Verdict operator()(const RecordScan &record) const
        {
            RecordCodec::FieldChars chars;
            for (const Wanted &w : m_wanted)
                if (!ListRows::containsLowerAZ(record.text(w.slot, chars), w.key))
                    return Verdict::NotListed;
            return Verdict::Listed;
        }

    private:
        struct Wanted
        {
            Slot slot;
            QString key;
        };
        QList<Wanted> m_wanted;
    };

private:
    RecordFile<Record> m_file;
    // The current record inside the file's read-ahead: read in place, not copied.
    const char *m_record = nullptr;
    qint64 m_count = 0;
    qint64 m_position = 0;
    bool m_failed = false;
};
