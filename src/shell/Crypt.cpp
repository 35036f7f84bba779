#include "Crypt.h"

namespace {

constexpr quint16 kStart = 7942;
constexpr quint16 kMultiplier = 30853;
constexpr quint16 kAddend = 28406;
constexpr int kMaxLength = 255;

quint16 advance(quint16 key, quint8 c) { return quint16((quint32(c) + key) * kMultiplier + kAddend); }

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

namespace Crypt {

QString scramble(const QString &plain)
{
    static const char kDigits[] = "0123456789ABCDEF";
    QString out;
    quint16 key = kStart;
    const qsizetype n = std::min<qsizetype>(plain.size(), kMaxLength);
    out.reserve(2 * n);
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = quint8(plain.at(i).unicode() & 0xFF);
        const auto c = quint8(b ^ (key >> 8));
        out.append(QLatin1Char(kDigits[c >> 4]));
        out.append(QLatin1Char(kDigits[c & 0xF]));
        key = advance(key, c);
    }
    return out;
}

std::optional<QString> unscramble(const QString &hex)
{
    const qsizetype n = std::min<qsizetype>(hex.size() / 2, kMaxLength);
    QString out;
    out.reserve(n);
    quint16 key = kStart;
    for (qsizetype i = 0; i < n; ++i) {
        const int hi = hexValue(hex.at(2 * i));
        const int lo = hexValue(hex.at(2 * i + 1));
        if (hi < 0 || lo < 0)
            return std::nullopt;
        const auto c = quint8(hi * 16 + lo);
        out.append(QChar(ushort(c ^ (key >> 8))));
        key = advance(key, c);
    }
    return out;
}

} // namespace Crypt
