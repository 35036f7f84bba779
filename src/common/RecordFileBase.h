#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file of fixed-size records with no header, opened for one user action and
// closed at its end. Every operation reports failure through its result; the
// reason is in errorString().
//
// An action that writes opens with Access::Write and holds an exclusive lock for
// as long as the file is open, so the append position is decided under the lock.
// Readers take a shared lock: a scan then never sees a record half written by
// another workstation, and it keeps writers waiting only for its own length.
class RecordFileBase
{
public:
    enum class Access { Read, Write };

    static constexpr int kLockTimeoutMs = 4000;

    explicit RecordFileBase(int recordSize);
    ~RecordFileBase();
    RecordFileBase(const RecordFileBase &) = delete;
    RecordFileBase &operator=(const RecordFileBase &) = delete;

    // Opens the file for reading and writing; an absent file is created empty.
    // An existing file that cannot be opened is never replaced.
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
    [[nodiscard]] bool overwriteRaw(qint64 position1, const QByteArray &record);
    [[nodiscard]] bool appendRaw(const QByteArray &record, qint64 *newPosition1 = nullptr);

    QString errorString() const { return m_error; }
    int recordSize() const { return m_recordSize; }

private:
    bool fail(const QString &why);
    bool seekRecord(qint64 index0);
    bool writeAt(qint64 index0, const QByteArray &record);
    bool fillBuffer();

    const int m_recordSize;
    QFile m_file;
    QString m_error;
    qint64 m_position = 0;
    // Read-ahead for scans from start to end.
    QByteArray m_buffer;
    qint64 m_bufferStart = -1; // record index of m_buffer's first record
    qint64 m_bufferCount = 0;
};
