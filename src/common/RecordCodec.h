#pragma once

#include "Win1252.h"
#include "TextRules.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>
#include <span>

// One field of a fixed-size record: a length byte followed by `capacity` bytes of
// Windows-1252 text. Records list their fields in byte order.
template <class Record>
struct RecordField
{
    const char *name;
    int capacity;
    QString Record::*member;
};

namespace RecordCodec {

// Writes one field at `out`: trimmed, converted, cut to capacity, zero-padded.
void putField(char *out, int capacity, const QString &text);

// Reads one field. A length byte above the capacity (a damaged or foreign file)
// is read as the capacity, so a field never spills into its neighbour.
QString getField(const char *in, int capacity);

template <class Record>
QByteArray encode(const Record &record)
{
    QByteArray bytes(Record::Size, '\0');
    char *p = bytes.data();
    for (const auto &f : Record::fields()) {
        putField(p, f.capacity, record.*(f.member));
        p += f.capacity + 1;
    }
    return bytes;
}

// `bytes` must hold at least Record::Size bytes.
template <class Record>
Record decode(const char *bytes)
{
    Record record;
    const char *p = bytes;
    for (const auto &f : Record::fields()) {
        record.*(f.member) = getField(p, f.capacity);
        p += f.capacity + 1;
    }
    return record;
}

// Where a field lies inside a stored record: its length byte at `offset`, then
// `capacity` bytes of text.
struct FieldSlot
{
    int offset = 0;
    int capacity = 0;
};

template <class Record>
FieldSlot slotOf(QString Record::*member)
{
    int offset = 0;
    for (const auto &f : Record::fields()) {
        if (f.member == member)
            return {offset, f.capacity};
        offset += f.capacity + 1;
    }
    Q_ASSERT_X(false, "RecordCodec::slotOf", "not a field of the record");
    return {};
}

// The stored bytes of a field, without the blanks and control characters at
// either end: the field as the screens show it, still in Windows-1252. A length
// byte above the capacity is read as the capacity, as getField() does.
QByteArrayView trimmedBytes(const char *record, FieldSlot slot);

// Room for the text of any field (a length byte holds at most 255).
using FieldChars = std::array<char16_t, 255>;

// The field as getField() reads it, decoded into `chars` instead of a new
// string: a scan judges millions of fields without allocating. The view lives
// as long as `chars`.
QStringView trimmedText(const char *record, FieldSlot slot, FieldChars &chars);

template <class Record>
constexpr int layoutSize(std::span<const RecordField<Record>> fields)
{
    int total = 0;
    for (const auto &f : fields)
        total += f.capacity + 1;
    return total;
}

} // namespace RecordCodec
