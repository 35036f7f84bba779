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

QByteArrayView trimmedBytes(const char *record, FieldSlot slot)
{
    const char *in = record + slot.offset;
    int length = static_cast<unsigned char>(in[0]);
    if (length > slot.capacity)
        length = slot.capacity;
    const auto *begin = reinterpret_cast<const unsigned char *>(in + 1);
    const unsigned char *end = begin + length;
    // Bytes up to 32 are the blank and the control characters in Windows-1252
    // as in Unicode, so this is the trimming of TextRules::trim on the decoded text.
    while (begin < end && *begin <= 0x20)
        ++begin;
    while (end > begin && end[-1] <= 0x20)
        --end;
    return QByteArrayView(begin, end - begin);
}

QStringView trimmedText(const char *record, FieldSlot slot, FieldChars &chars)
{
    // The blanks and control characters trimmed from the bytes are the ones
    // trimmed from the decoded text: no other byte decodes to a code up to 32.
    const QByteArrayView bytes = trimmedBytes(record, slot);
    Win1252::decodeInto(bytes.data(), bytes.size(), chars.data());
    return QStringView(chars.data(), bytes.size());
}

} // namespace RecordCodec
