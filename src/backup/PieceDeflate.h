#pragma once

#include "BackupZip.h"
#include "common/FastDeflate.h"

#include <QByteArray>
#include <QtGlobal>

// Turns what a stream gives into one raw deflate stream, as a zip entry holds it,
// with the CRC-32 of the bytes read. The stream is read a piece at a time and
// each piece is deflated as it comes, so only a piece and what it shrank to are
// ever held in memory.
class PieceDeflate
{
public:
    static constexpr qint64 kPieceSize = qint64(1) << 20;

    // in must be open; exactly size bytes are taken from it, then its finish().
    PieceDeflate(BackupZip::Stream &in, qint64 size, qint64 pieceSize = kPieceSize);

    PieceDeflate(const PieceDeflate &) = delete;
    PieceDeflate &operator=(const PieceDeflate &) = delete;

    enum class Failure { None, Read, Longer, Compressor };

    // Up to max compressed bytes; 0 after the last; -1 when reading or
    // compressing failed (failure() says which).
    qint64 read(char *out, qint64 max);

    Failure failure() const { return m_failure; }
    // Valid once read() has returned 0.
    quint32 crc() const { return m_crc; }
    qint64 compressedSize() const { return m_compressed; }

private:
    // Reads and deflates the next piece into m_out; false on failure.
    bool next();

    BackupZip::Stream &m_in;
    const qint64 m_size;
    const qint64 m_pieceSize;
    FastDeflate m_deflate;
    QByteArray m_piece;
    QByteArray m_out;
    qint64 m_read = 0;    // bytes taken from the stream
    qint64 m_handed = 0;  // bytes of m_out handed out
    bool m_ended = false; // the deflate stream's end is in m_out

    quint32 m_crc = 0;
    qint64 m_compressed = 0;
    Failure m_failure = Failure::None;
};
