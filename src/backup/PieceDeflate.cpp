#include "PieceDeflate.h"

#include <isa-l/igzip_lib.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

PieceDeflate::PieceDeflate(BackupZip::Stream &in, qint64 size, qint64 pieceSize)
    : m_in(in)
    , m_size(size)
    , m_pieceSize(qMax<qint64>(pieceSize, 1))
{
}

PieceDeflate::~PieceDeflate()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread &t : m_workers)
        t.join();
}

void PieceDeflate::Buffer::reserve(size_t n, bool keep)
{
    if (n <= capacity)
        return;
    std::unique_ptr<char[]> more(new char[n]);
    if (keep && size > 0)
        memcpy(more.get(), data.get(), size);
    data = std::move(more);
    capacity = n;
}

bool PieceDeflate::compress(Piece &piece, std::vector<quint8> &levelBuffer)
{
    // The fastest level: the record files are mostly blanks, and the copy is made
    // while the user waits for the program to end.
    isal_zstream s;
    isal_deflate_init(&s);
    s.level = 1;
    levelBuffer.resize(ISAL_DEF_LVL1_DEFAULT);
    s.level_buf = levelBuffer.data();
    s.level_buf_size = quint32(levelBuffer.size());
    s.end_of_stream = piece.last ? 1 : 0;
    // Every piece but the last ends on a byte boundary with its history cut, so
    // the pieces, one after the other, are a single deflate stream.
    s.flush = piece.last ? NO_FLUSH : FULL_FLUSH;
    s.next_in = reinterpret_cast<quint8 *>(piece.in.data.get());
    s.avail_in = quint32(piece.in.size);
    // Room for data that does not shrink; more is given if even that is short.
    piece.out.size = 0;
    piece.out.reserve(piece.in.size + piece.in.size / 16 + 1024, false);
    for (;;) {
        s.next_out = reinterpret_cast<quint8 *>(piece.out.data.get()) + piece.out.size;
        s.avail_out = quint32(piece.out.capacity - piece.out.size);
        const quint32 room = s.avail_out;
        if (isal_deflate(&s) != COMP_OK)
            return false;
        piece.out.size += room - s.avail_out;
        const bool flushed = s.avail_in == 0
            && (piece.last ? s.internal_state.state == ZSTATE_END : s.internal_state.state == ZSTATE_NEW_HDR);
        if (flushed && s.avail_out > 0)
            return true;
        // The compressor returns when the input is taken or the room is full:
        // room left over with the piece unfinished is a fault of its own.
        if (s.avail_out > 0)
            return false;
        piece.out.reserve(piece.out.capacity + piece.out.capacity / 2 + 1024, true);
    }
}

void PieceDeflate::process(Piece &piece, std::vector<quint8> &levelBuffer)
{
    for (size_t got = 0; got < piece.in.size;) {
        const qint64 n = m_in.readAt(piece.in.data.get() + got, qint64(piece.in.size - got), piece.offset + qint64(got));
        if (n <= 0) {
            piece.failure = Failure::Read;
            return;
        }
        got += size_t(n);
    }
    piece.crc = BackupZip::crc32(piece.in.data.get(), qint64(piece.in.size));
    if (!compress(piece, levelBuffer))
        piece.failure = Failure::Compressor;
}

void PieceDeflate::work()
{
    std::vector<quint8> levelBuffer;
    for (;;) {
        Piece *piece = nullptr;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_todo.empty(); });
            // Stopping: what is still to do is not wanted any more.
            if (m_stopping)
                return;
            piece = m_todo.front();
            m_todo.pop_front();
        }
        process(*piece, levelBuffer);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            piece->done = true;
        }
        m_finished.notify_all();
    }
}

void PieceDeflate::fill()
{
    const bool onePiece = m_size <= m_pieceSize;
    if (m_workers.empty() && !onePiece) {
        const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
        const qint64 pieces = (m_size + m_pieceSize - 1) / m_pieceSize;
        for (qint64 i = 0; i < qMin<qint64>(cores, pieces); ++i)
            m_workers.emplace_back([this] { work(); });
    }
    // Two pieces for each worker: one being worked on, one waiting for it.
    const size_t ahead = 2 * m_workers.size() + 1;
    while (!m_lastQueued && m_queue.size() < ahead) {
        std::unique_ptr<Piece> piece;
        if (m_spare.empty()) {
            piece = std::make_unique<Piece>();
        } else {
            piece = std::move(m_spare.back());
            m_spare.pop_back();
        }
        const qint64 length = qMin(m_pieceSize, m_size - m_queued);
        piece->offset = m_queued;
        piece->in.reserve(size_t(length), false);
        piece->in.size = size_t(length);
        piece->last = m_queued + length == m_size;
        piece->failure = Failure::None;
        piece->done = false;
        m_queued += length;
        m_lastQueued = piece->last;
        if (m_workers.empty()) {
            std::vector<quint8> levelBuffer;
            process(*piece, levelBuffer);
            piece->done = true;
            m_queue.push_back(std::move(piece));
        } else {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_todo.push_back(piece.get());
            }
            m_queue.push_back(std::move(piece));
            m_wake.notify_one();
        }
    }
}

qint64 PieceDeflate::read(char *out, qint64 max)
{
    if (m_failure != Failure::None)
        return -1;
    while (!m_current || m_at == qint64(m_current->out.size)) {
        if (m_current)
            m_spare.push_back(std::move(m_current));
        m_at = 0;
        fill();
        if (m_queue.empty()) {
            // All handed out: nothing may follow the size announced.
            if (!m_in.finish()) {
                m_failure = Failure::Longer;
                return -1;
            }
            return 0;
        }
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            Piece *front = m_queue.front().get();
            m_finished.wait(lock, [front] { return front->done; });
        }
        m_current = std::move(m_queue.front());
        m_queue.pop_front();
        if (m_current->failure != Failure::None) {
            m_failure = m_current->failure;
            return -1;
        }
        m_crc = quint32(crc32_combine(m_crc, m_current->crc, z_off_t(m_current->in.size)));
        m_compressed += qint64(m_current->out.size);
    }
    const qint64 n = qMin(max, qint64(m_current->out.size) - m_at);
    memcpy(out, m_current->out.data.get() + m_at, size_t(n));
    m_at += n;
    return n;
}
