#pragma once

#include "BackupZip.h"
#include "common/FastDeflate.h"

#include <QtGlobal>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Turns what a stream gives into one raw deflate stream, as a zip entry holds it.
// The bytes are cut into pieces; each piece is read and compressed on its own
// (its own history, ending on a byte boundary) by one of a few worker threads, so
// a large record file keeps every core busy, reading as well as squeezing. The
// pieces are handed back in their order, and the CRC-32 of the whole is made
// from the pieces' own. A file of one piece is done where it is asked for,
// without a thread.
class PieceDeflate
{
public:
    static constexpr qint64 kPieceSize = qint64(1) << 20;

    // in must be open; exactly size bytes are taken from it, then its finish().
    PieceDeflate(BackupZip::Stream &in, qint64 size, qint64 pieceSize = kPieceSize);
    ~PieceDeflate(); // waits for the pieces still being worked on

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
    // Room for bytes that is kept from piece to piece and never cleared: every
    // byte handed on was written first.
    struct Buffer
    {
        std::unique_ptr<char[]> data;
        size_t capacity = 0;
        size_t size = 0;
        void reserve(size_t n, bool keep);
    };

    struct Piece
    {
        qint64 offset = 0;
        bool last = false;
        Buffer in;
        Buffer out;
        quint32 crc = 0;
        Failure failure = Failure::None;
        bool done = false;
    };

    // Queues pieces until as many wait as the workers can keep going with.
    void fill();
    void work();
    // Reads the piece's bytes and compresses them.
    void process(Piece &piece, FastDeflate &deflate);

    BackupZip::Stream &m_in;
    const qint64 m_size;
    const qint64 m_pieceSize;
    qint64 m_queued = 0;
    bool m_lastQueued = false;

    // The workers, started when the stream holds more than one piece.
    std::vector<std::thread> m_workers;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_finished;
    std::deque<Piece *> m_todo;
    bool m_stopping = false;

    // The pieces in their order, the one being handed out, and spent ones for reuse.
    std::deque<std::unique_ptr<Piece>> m_queue;
    std::unique_ptr<Piece> m_current;
    std::vector<std::unique_ptr<Piece>> m_spare;
    qint64 m_at = 0;

    quint32 m_crc = 0;
    qint64 m_compressed = 0;
    Failure m_failure = Failure::None;
};
