#include "Win1252.h"

#include <array>

namespace {

// Characters of the bytes 0x80..0x9F. The five bytes the code page leaves undefined
// are read as the control characters of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The character of every byte, so decoding is one look-up per byte.
constexpr std::array<char16_t, 256> kChars = [] {
    std::array<char16_t, 256> out{};
    for (int b = 0; b < 256; ++b)
        out[size_t(b)] = (b >= 0x80 && b < 0xA0) ? kHigh[size_t(b - 0x80)] : char16_t(b);
    return out;
}();

int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < int(kHigh.size()); ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

namespace Win1252 {

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character outside the basic plane is one unknown character, not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        const int b = byteOf(c.unicode());
        out.append(b < 0 ? '?' : char(b));
    }
    return out;
}

char encodeChar(char16_t c)
{
    const int b = byteOf(c);
    return b < 0 ? '?' : char(b);
}

char16_t charOf(unsigned char b) { return kChars[b]; }

void decodeInto(const char *bytes, qsizetype length, char16_t *out)
{
    const auto *in = reinterpret_cast<const unsigned char *>(bytes);
    for (qsizetype i = 0; i < length; ++i)
        out[i] = kChars[in[i]];
}

QString decode(const char *bytes, int length)
{
    QString out(length, Qt::Uninitialized);
    decodeInto(bytes, length, reinterpret_cast<char16_t *>(out.data()));
    return out;
}

bool canEncode(const QString &text)
{
    for (QChar c : text)
        if (byteOf(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace Win1252
