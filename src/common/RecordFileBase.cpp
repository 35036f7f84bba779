#include "RecordFileBase.h"

#include "FileAccess.h"
#include "FileLock.h"

#include <cerrno>

namespace {

constexpr qint64 kReadAhead = 256; // records per read while scanning

} // namespace

RecordFileBase::RecordFileBase(int recordSize)
    : m_recordSize(recordSize)
{
}

RecordFileBase::~RecordFileBase() { close(); }

bool RecordFileBase::fail(const QString &why)
{
    m_error = why;
    return false;
}

bool RecordFileBase::open(const QString &path, Access access)
{
    close();
    m_error.clear();
    m_path = path;
    // Never through a link planted in the folder, never on a FIFO or device: the
    // descriptor is opened here rather than by QFile so that the lock works on the
    // very descriptor QFile reads and writes through, and so that "create when
    // absent" never truncates an existing file.
    QString why;
    const int fd = FileAccess::openRecordFile(path, &why);
    if (fd < 0)
        return fail(QStringLiteral("cannot be opened for reading and writing: %1").arg(why));
    if (!m_file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        FileAccess::close(fd);
        return fail(QStringLiteral("%1: %2").arg(path, m_file.errorString()));
    }
    const auto kind = access == Access::Write ? FileLock::Kind::Exclusive : FileLock::Kind::Shared;
    switch (FileLock::acquire(fd, kind, kLockTimeoutMs)) {
    case FileLock::Result::Locked:
        m_locked = true;
        break;
    case FileLock::Result::Unsupported:
        m_locked = false;
        break;
    case FileLock::Result::Busy:
        m_file.close();
        return fail(QStringLiteral("%1 is in use by another workstation").arg(path));
    }
    m_access = access;
    m_position = 0;
    return true;
}

void RecordFileBase::close()
{
    if (m_file.isOpen()) {
        if (m_locked)
            FileLock::release(m_file.handle());
        m_file.close();
    }
    m_locked = false;
    m_access = Access::Read;
    m_buffer.clear();
    m_bufferStart = -1;
    m_bufferCount = 0;
    m_position = 0;
}

qint64 RecordFileBase::fileSize()
{
    if (!m_file.isOpen()) {
        fail(QStringLiteral("file not open"));
        return -1;
    }
    const qint64 size = FileAccess::regularSize(m_file.handle());
    if (size < 0) {
        fail(QStringLiteral("%1: the size cannot be read: %2").arg(m_path, qt_error_string(errno)));
        return -1;
    }
    // A size no archive reaches (a sparse or damaged file, or not an archive at
    // all) would have a scan run for hours and fill the memory with rows.
    if (size / m_recordSize > kMaxRecords) {
        fail(QStringLiteral("%1 is %2 bytes long: more than %3 records, which is no archive of this program")
                 .arg(m_path)
                 .arg(size)
                 .arg(kMaxRecords));
        return -1;
    }
    return size;
}

qint64 RecordFileBase::count()
{
    const qint64 size = fileSize();
    return size < 0 ? -1 : size / m_recordSize;
}

bool RecordFileBase::atEnd()
{
    const qint64 n = count();
    return n < 0 || m_position >= n;
}

bool RecordFileBase::seekRecord(qint64 index0)
{
    if (!m_file.seek(index0 * m_recordSize))
        return fail(m_file.errorString());
    return true;
}

bool RecordFileBase::readRaw(qint64 position1, QByteArray &out)
{
    const qint64 n = count();
    if (n < 0)
        return false;
    if (position1 < 1 || position1 > n)
        return fail(QStringLiteral("record %1 is beyond the end (%2 records)").arg(position1).arg(n));
    m_position = position1 - 1;
    return readNextRaw(out);
}

bool RecordFileBase::fillBuffer()
{
    m_bufferStart = -1;
    // A file that grew to an absurd size is not read on.
    if (fileSize() < 0)
        return false;
    if (!seekRecord(m_position))
        return false;
    m_buffer.resize(kReadAhead * m_recordSize);
    const qint64 got = m_file.read(m_buffer.data(), m_buffer.size());
    if (got < 0)
        return fail(m_file.errorString());
    m_bufferStart = m_position;
    m_bufferCount = got / m_recordSize;
    return true;
}

const char *RecordFileBase::readNextInPlace()
{
    if (!m_file.isOpen()) {
        fail(QStringLiteral("file not open"));
        return nullptr;
    }
    if (m_bufferStart < 0 || m_position < m_bufferStart || m_position >= m_bufferStart + m_bufferCount) {
        if (!fillBuffer())
            return nullptr;
    }
    // Fewer bytes than the count promised: the file was cut short while open.
    if (m_position >= m_bufferStart + m_bufferCount) {
        fail(QStringLiteral("record %1 could not be read: the file is shorter").arg(m_position + 1));
        return nullptr;
    }
    const char *record = m_buffer.constData() + (m_position - m_bufferStart) * m_recordSize;
    ++m_position;
    return record;
}

bool RecordFileBase::readNextRaw(QByteArray &out)
{
    const char *record = readNextInPlace();
    if (!record)
        return false;
    out = QByteArray(record, m_recordSize);
    return true;
}

bool RecordFileBase::writeAt(qint64 index0, const QByteArray &record)
{
    if (m_access != Access::Write)
        return fail(QStringLiteral("%1 was opened for reading only").arg(m_path));
    if (record.isEmpty() || record.size() % m_recordSize != 0)
        return fail(QStringLiteral("record of %1 bytes, expected %2").arg(record.size()).arg(m_recordSize));
    m_bufferStart = -1; // what was read ahead may now be stale
    if (!seekRecord(index0))
        return false;
    const qint64 written = m_file.write(record);
    if (written != record.size()) {
        const QString why = written < 0 ? m_file.errorString()
                                        : QStringLiteral("only %1 of %2 bytes could be written (disk full or file too large)")
                                              .arg(written)
                                              .arg(record.size());
        return fail(QStringLiteral("record %1 of %2: %3").arg(index0 + 1).arg(m_path, why));
    }
    if (!FileAccess::sync(m_file.handle()))
        return fail(QStringLiteral("record %1 of %2: %3").arg(index0 + 1).arg(m_path, qt_error_string(errno)));
    m_position = index0 + record.size() / m_recordSize;
    return true;
}

bool RecordFileBase::overwriteRaw(qint64 position1, const QByteArray &record)
{
    const qint64 size = fileSize();
    if (size < 0)
        return false;
    const qint64 n = size / m_recordSize;
    if (position1 < 1 || position1 > n)
        return fail(QStringLiteral("record %1 is beyond the end (%2 records)").arg(position1).arg(n));
    if (record.size() != m_recordSize)
        return fail(QStringLiteral("record of %1 bytes, expected %2").arg(record.size()).arg(m_recordSize));
    return writeAt(position1 - 1, record);
}

bool RecordFileBase::appendRaw(const QByteArray &record, qint64 *newPosition1)
{
    const qint64 size = fileSize();
    if (size < 0)
        return false;
    const qint64 n = size / m_recordSize;
    // A trailing fragment left by an interrupted write is covered by the new
    // record. Its bytes are kept first, so that an append that fails can give the
    // file back exactly as it was: same length, same last bytes.
    const qint64 fragmentSize = size - n * m_recordSize;
    QByteArray fragment;
    if (fragmentSize > 0) {
        if (!seekRecord(n))
            return false;
        fragment = m_file.read(fragmentSize);
        if (fragment.size() != fragmentSize)
            return fail(QStringLiteral("%1: the last %2 bytes cannot be read: %3")
                            .arg(m_path)
                            .arg(fragmentSize)
                            .arg(m_file.errorString()));
    }
    if (!writeAt(n, record)) {
        // Whatever part of the record reached the file is taken back, wherever
        // it started; the reason stays the write's.
        const QString why = m_error;
        (void)m_file.resize(size);
        if (!fragment.isEmpty() && seekRecord(n))
            (void)m_file.write(fragment);
        (void)FileAccess::sync(m_file.handle());
        m_bufferStart = -1;
        return fail(why);
    }
    if (newPosition1)
        *newPosition1 = n + 1;
    return true;
}
