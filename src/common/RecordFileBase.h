#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file of fixed-size records with no header, opened for one user action and
// closed at its end. Every operation reports failure through its result; the
// reason is in errorString().
//
// The folder may be shared by several workstations, so the file is locked for as
// long as it is open:
// - an action that writes opens with Access::Write and holds an exclusive lock;
//   the append position (the record count) is read under that lock, so two
//   workstations saving at the same moment get two different positions and
//   neither record is written over;
// - an action that only reads takes a shared lock. Readers do not block each
//   other, but a writer waits until the scan is over: a scan never meets a record
//   half written by another workstation, nor a count that grows under it.
// When the lock cannot be had within kLockTimeoutMs the open fails and nothing
// is written. On a file system that keeps no locks at all the file is used
// unlocked, as it would be without this layer, rather than refused.
class RecordFileBase
{
public:
    enum class Access { Read, Write };
    // What became of a save that must not pass over another's change.
    enum class Guarded {
        Written, // the record was overwritten
        Changed, // another workstation changed the record: nothing was written
        Failed,  // the file failed (errorString())
    };

    static constexpr int kLockTimeoutMs = 4000;
    // More records than any list can show or any association keeps: a file whose
    // size gives more is refused by every operation.
    static constexpr qint64 kMaxRecords = 1'000'000;

    explicit RecordFileBase(int recordSize);
    ~RecordFileBase();
    RecordFileBase(const RecordFileBase &) = delete;
    RecordFileBase &operator=(const RecordFileBase &) = delete;

    // Opens the file for reading and writing; an absent file is created empty.
    // An existing file that cannot be opened is never replaced. A link, a folder
    // or a special file in its place is refused, and nothing is created through
    // a link.
    [[nodiscard]] bool open(const QString &path, Access access = Access::Write);
    bool isOpen() const { return m_file.isOpen(); }
    void close();

    // Whole records in the file; a trailing fragment is not a record. -1 on failure.
    qint64 count();

    // 0-based position of the next record readNext() reads.
    qint64 position() const { return m_position; }
    bool atEnd();

    [[nodiscard]] bool readRaw(qint64 position1, QByteArray &out);
    [[nodiscard]] bool readNextRaw(QByteArray &out);
    // The next record's bytes inside the read-ahead buffer, valid until the next
    // call on this file; nullptr on failure. Scans decode from here without a copy.
    const char *readNextInPlace();
    // Writes need Access::Write. A failed overwrite may leave that one record
    // partly written; a failed append leaves the file byte for byte as it was,
    // a trailing fragment included. An append may carry several whole records
    // one after the other: they land all together or not at all.
    [[nodiscard]] bool overwriteRaw(qint64 position1, const QByteArray &record);
    [[nodiscard]] bool appendRaw(const QByteArray &record, qint64 *newPosition1 = nullptr);

    QString errorString() const { return m_error; }
    int recordSize() const { return m_recordSize; }
    // False when the file system refused locks and the file is used unlocked.
    bool isLocked() const { return m_locked; }

private:
    bool fail(const QString &why);
    qint64 fileSize();
    bool seekRecord(qint64 index0);
    bool writeAt(qint64 index0, const QByteArray &record);
    bool fillBuffer();

    const int m_recordSize;
    QFile m_file;
    QString m_error;
    QString m_path;
    Access m_access = Access::Read;
    bool m_locked = false;
    qint64 m_position = 0;
    // Read-ahead for scans from start to end.
    QByteArray m_buffer;
    qint64 m_bufferStart = -1; // record index of m_buffer's first record
    qint64 m_bufferCount = 0;
};
