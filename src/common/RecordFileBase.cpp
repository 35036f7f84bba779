#include "RecordFileBase.h"

#include "FileLock.h"

#include <QFileInfo>

namespace {
constexpr qint64 kReadAhead = 256; // records per read while scanning
}

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
    m_file.setFileName(path);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(QStringLiteral("%1 is not a file").arg(path));
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return fail(m_file.errorString());
    const auto kind = access == Access::Write ? FileLock::Kind::Exclusive : FileLock::Kind::Shared;
    if (!FileLock::acquire(m_file.handle(), kind, kLockTimeoutMs)) {
        m_file.close();
        return fail(QStringLiteral("%1 is locked by another program").arg(path));
    }
    m_position = 0;
    return true;
}

void RecordFileBase::close()
{
    if (m_file.isOpen()) {
        FileLock::release(m_file.handle());
        m_file.close();
    }
    m_buffer.clear();
    m_bufferStart = -1;
    m_bufferCount = 0;
    m_position = 0;
}

qint64 RecordFileBase::count()
{
    if (!m_file.isOpen()) {
        fail(QStringLiteral("file not open"));
        return -1;
    }
    return m_file.size() / m_recordSize;
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

bool RecordFileBase::readNextRaw(QByteArray &out)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (m_bufferStart < 0 || m_position < m_bufferStart || m_position >= m_bufferStart + m_bufferCount) {
        if (!fillBuffer())
            return false;
    }
    if (m_position >= m_bufferStart + m_bufferCount)
        return fail(QStringLiteral("record %1 could not be read: the file is shorter").arg(m_position + 1));
    out = m_buffer.mid((m_position - m_bufferStart) * m_recordSize, m_recordSize);
    ++m_position;
    return true;
}

bool RecordFileBase::writeAt(qint64 index0, const QByteArray &record)
{
    if (record.size() != m_recordSize)
        return fail(QStringLiteral("record of %1 bytes, expected %2").arg(record.size()).arg(m_recordSize));
    m_bufferStart = -1; // what was read ahead may now be stale
    if (!seekRecord(index0))
        return false;
    const qint64 written = m_file.write(record);
    if (written != m_recordSize)
        return fail(m_file.errorString());
    if (!m_file.flush())
        return fail(m_file.errorString());
    m_position = index0 + 1;
    return true;
}

bool RecordFileBase::overwriteRaw(qint64 position1, const QByteArray &record)
{
    const qint64 n = count();
    if (n < 0)
        return false;
    if (position1 < 1 || position1 > n)
        return fail(QStringLiteral("record %1 is beyond the end (%2 records)").arg(position1).arg(n));
    return writeAt(position1 - 1, record);
}

bool RecordFileBase::appendRaw(const QByteArray &record, qint64 *newPosition1)
{
    const qint64 n = count();
    if (n < 0)
        return false;
    // A trailing fragment left by an interrupted write is covered by the new record.
    if (!writeAt(n, record))
        return false;
    if (newPosition1)
        *newPosition1 = n + 1;
    return true;
}
