#include "PieceDeflate.h"

#include <QThread>

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

void PieceDeflate::process(Piece &piece, FastDeflate &deflate)
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
    // Room for data that does not shrink; more is made if even that is short.
    piece.out.size = 0;
    piece.out.reserve(piece.in.size + piece.in.size / 16 + 1024, false);
    const auto keep = [&piece](const char *bytes, qint64 size) {
        if (piece.out.size + size_t(size) > piece.out.capacity)
            piece.out.reserve(piece.out.capacity + piece.out.capacity / 2 + size_t(size), true);
        memcpy(piece.out.data.get() + piece.out.size, bytes, size_t(size));
        piece.out.size += size_t(size);
        return true;
    };
    // Every piece but the last ends on a byte boundary with its history cut, so
    // the pieces, one after the other, are a single deflate stream.
    deflate.restart();
    if (!deflate.add(piece.in.data.get(), qint64(piece.in.size),
                     piece.last ? FastDeflate::End::Stream : FastDeflate::End::Piece, keep))
        piece.failure = Failure::Compressor;
}

void PieceDeflate::work()
{
    FastDeflate deflate;
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
        process(*piece, deflate);
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
        // The cores this process may run on, not those of the machine.
        const int cores = std::clamp(QThread::idealThreadCount(), 1, 8);
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
            FastDeflate deflate;
            process(*piece, deflate);
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
