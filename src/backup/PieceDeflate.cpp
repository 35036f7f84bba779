#include "PieceDeflate.h"

#include <cstring>

PieceDeflate::PieceDeflate(BackupZip::Stream &in, qint64 size, qint64 pieceSize)
    : m_in(in)
    , m_size(size)
    , m_pieceSize(qMax<qint64>(pieceSize, 1))
{
    m_deflate.restart();
}

bool PieceDeflate::next()
{
    const qint64 length = qMin(m_pieceSize, m_size - m_read);
    m_piece.resize(length);
    for (qint64 got = 0; got < length;) {
        const qint64 n = m_in.readAt(m_piece.data() + got, length - got, m_read + got);
        if (n <= 0) {
            m_failure = Failure::Read;
            return false;
        }
        got += n;
    }
    m_read += length;
    m_crc = BackupZip::crc32(m_piece.constData(), length, m_crc);
    m_ended = m_read == m_size;
    m_out.clear();
    m_handed = 0;
    const bool ok = m_deflate.add(m_piece.constData(), length,
                                  m_ended ? FastDeflate::End::Stream : FastDeflate::End::More,
                                  [this](const char *bytes, qint64 size) {
                                      m_out.append(bytes, size);
                                      return true;
                                  });
    if (!ok) {
        m_failure = Failure::Compressor;
        return false;
    }
    m_compressed += m_out.size();
    return true;
}

qint64 PieceDeflate::read(char *out, qint64 max)
{
    if (m_failure != Failure::None)
        return -1;
    // A piece may deflate to nothing yet (the compressor keeps it for what follows).
    while (m_handed == m_out.size()) {
        if (m_ended) {
            // All handed out: nothing may follow the size announced.
            if (!m_in.finish()) {
                m_failure = Failure::Longer;
                return -1;
            }
            return 0;
        }
        if (!next())
            return -1;
    }
    const qint64 n = qMin(max, qint64(m_out.size()) - m_handed);
    memcpy(out, m_out.constData() + m_handed, size_t(n));
    m_handed += n;
    return n;
}
