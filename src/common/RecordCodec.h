#pragma once

#include "Win1252.h"
#include "TextRules.h"

#include <QByteArray>
#include <QString>

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

template <class Record>
constexpr int layoutSize(std::span<const RecordField<Record>> fields)
{
    int total = 0;
    for (const auto &f : fields)
        total += f.capacity + 1;
    return total;
}

} // namespace RecordCodec
