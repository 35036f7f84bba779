#include "FastDeflate.h"

#include <isa-l/igzip_lib.h>

#include <vector>

struct FastDeflate::State
{
    isal_zstream stream;
    std::vector<quint8> level = std::vector<quint8>(ISAL_DEF_LVL1_DEFAULT);
    std::vector<quint8> out = std::vector<quint8>(std::size_t(256) << 10);
};

FastDeflate::FastDeflate()
    : d(std::make_unique<State>())
{
    restart();
}

FastDeflate::~FastDeflate() = default;

void FastDeflate::restart()
{
    isal_deflate_init(&d->stream);
    d->stream.level = 1;
    d->stream.level_buf = d->level.data();
    d->stream.level_buf_size = quint32(d->level.size());
}

bool FastDeflate::add(const char *bytes, qint64 size, End end, const Sink &sink)
{
    if (size < 0 || size > qint64(0xffffffffu))
        return false; // more than one call of the compressor takes
    isal_zstream &s = d->stream;
    s.next_in = reinterpret_cast<quint8 *>(const_cast<char *>(bytes));
    s.avail_in = quint32(size);
    s.end_of_stream = end == End::Stream ? 1 : 0;
    s.flush = end == End::Piece ? FULL_FLUSH : NO_FLUSH;
    for (;;) {
        s.next_out = d->out.data();
        s.avail_out = quint32(d->out.size());
        if (isal_deflate(&s) != COMP_OK)
            return false;
        const qint64 made = qint64(d->out.size() - s.avail_out);
        if (made > 0 && !sink(reinterpret_cast<const char *>(d->out.data()), made))
            return false;
        // It returns when the input is taken or the room is full; with room left,
        // the bytes must be all taken and, where asked, their end written.
        if (s.avail_out > 0) {
            if (s.avail_in != 0)
                return false;
            switch (end) {
            case End::More:
                return true;
            case End::Piece:
                return s.internal_state.state == ZSTATE_NEW_HDR;
            case End::Stream:
                return s.internal_state.state == ZSTATE_END;
            }
        }
    }
}
