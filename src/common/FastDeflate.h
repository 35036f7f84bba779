#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

// A raw deflate stream (what a zip entry holds) at the fastest level, made by
// Intel's storage library (ISA-L): several times zlib's speed at its own fastest
// level, to the same format. The data copies and the workbooks are packed with it.
class FastDeflate
{
public:
    // How a call's bytes end.
    enum class End {
        More,   // more of the stream follows
        Piece,  // on a byte boundary with the history cut: pieces deflated apart,
                // one after the other, make one stream
        Stream, // the stream's last bytes
    };

    // Receives the deflated bytes as they come; false stops the deflating.
    using Sink = std::function<bool(const char *bytes, qint64 size)>;

    FastDeflate();
    ~FastDeflate();
    FastDeflate(const FastDeflate &) = delete;
    FastDeflate &operator=(const FastDeflate &) = delete;

    // Starts a new stream, keeping the working memory.
    void restart();

    // Deflates size bytes (below 4 GiB) and hands what comes out to sink; false when the
    // compressor or the sink failed.
    [[nodiscard]] bool add(const char *bytes, qint64 size, End end, const Sink &sink);

private:
    struct State;
    std::unique_ptr<State> d;
};
