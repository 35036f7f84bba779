#include "RecordCodec.h"

#include <cstring>

namespace RecordCodec {

void putField(char *out, int capacity, const QString &text)
{
    const QByteArray bytes = Win1252::encode(TextRules::trim(text)).left(capacity);
    out[0] = char(static_cast<unsigned char>(bytes.size()));
    std::memcpy(out + 1, bytes.constData(), size_t(bytes.size()));
    std::memset(out + 1 + bytes.size(), 0, size_t(capacity - bytes.size()));
}

QString getField(const char *in, int capacity)
{
    int length = static_cast<unsigned char>(in[0]);
    if (length > capacity)
        length = capacity;
    return TextRules::trim(Win1252::decode(in + 1, length));
}

} // namespace RecordCodec
