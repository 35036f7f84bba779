#include "RowBytes.h"

#include "Win1252.h"

#include <algorithm>
#include <array>

namespace {

// The place of each character of the code page in the order of the rows: the
// order of its code once a-z are read as A-Z, counted from 1 so that 0 can
// stand for "the row has ended" and sort before any character.
struct Ranks
{
    std::array<quint8, 256> ofByte{};

    Ranks()
    {
        std::array<char16_t, 256> folded{};
        for (int b = 0; b < 256; ++b) {
            char16_t c = Win1252::charOf(static_cast<unsigned char>(b));
            if (c >= u'a' && c <= u'z')
                c = char16_t(c - 32);
            folded[size_t(b)] = c;
        }
        std::array<char16_t, 256> sorted = folded;
        std::sort(sorted.begin(), sorted.end());
        const auto last = std::unique(sorted.begin(), sorted.end());
        for (int b = 0; b < 256; ++b)
            ofByte[size_t(b)] =
                quint8(1 + (std::lower_bound(sorted.begin(), last, folded[size_t(b)]) - sorted.begin()));
    }
};

const Ranks &ranks()
{
    static const Ranks table;
    return table;
}

constexpr qsizetype kChunk = 8; // characters compared at once

} // namespace

void RowBytes::reserve(qsizetype rows)
{
    m_table.m_rows.reserve(rows);
    // Room for rows of the usual length (the member, movement and prima nota
    // rows are 93 to 147 characters before their last column), taken once:
    // a buffer grown step by step copies itself and touches fresh memory at
    // every step. What is not written is never touched.
    constexpr qsizetype kUsualRow = 160;
    constexpr qsizetype kMostAtOnce = qsizetype(64) << 20;
    m_table.m_bytes.reserve(std::min(rows, kMostAtOnce / kUsualRow) * kUsualRow);
}

void RowBytes::fit(QByteArray &out, QByteArrayView trimmed, int width)
{
    if (width <= 0)
        return;
    if (trimmed.size() >= width) {
        out.append(trimmed.first(width));
        return;
    }
    out.append(trimmed);
    out.append(width - trimmed.size(), ' ');
}

void RowBytes::beginRow(qint64 position)
{
    endRow();
    m_rowStart = m_table.m_bytes.size();
    m_table.m_rows.append({position, quint64(m_rowStart), 0});
    m_open = true;
}

void RowBytes::endRow()
{
    if (!m_open)
        return;
    const qsizetype length = m_table.m_bytes.size() - m_rowStart;
    m_table.m_rows.last().length = quint64(length);
    m_table.m_longest = std::max(m_table.m_longest, length);
    m_open = false;
}

// The places of the row's characters depth * 8 to depth * 8 + 7, the first
// one highest; 0 for those past the row's end.
quint64 RowBytes::chunk(quint32 index, qsizetype depth) const
{
    const RowTable::Row &row = m_table.m_rows.at(index);
    const qsizetype from = depth * kChunk;
    const qsizetype n = std::clamp<qsizetype>(qsizetype(row.length) - from, 0, kChunk);
    const auto &rank = ranks().ofByte;
    const auto *p = reinterpret_cast<const unsigned char *>(m_table.m_bytes.constData()) + row.offset + from;
    quint64 key = 0;
    for (qsizetype i = 0; i < n; ++i)
        key |= quint64(rank[p[i]]) << (8 * (kChunk - 1 - i));
    return key;
}

// Sorts rows that agree on their first depth * 8 characters by the rest,
// eight at a time. Entries come in the order the rows were begun, and rows
// that stay equal keep it.
void RowBytes::sortRun(Entry *begin, Entry *end, qsizetype depth) const
{
    while (end - begin > 1) {
        bool same = true;
        for (Entry *e = begin; e != end; ++e) {
            e->key = chunk(e->row, depth);
            same = same && e->key == begin->key;
        }
        if (same) {
            // All agree here too: equal rows once they have all ended.
            if (begin->key == 0)
                return;
            ++depth;
            continue;
        }
        std::sort(begin, end,
                  [](const Entry &a, const Entry &b) { return a.key != b.key ? a.key < b.key : a.row < b.row; });
        for (Entry *from = begin; from != end;) {
            Entry *to = from + 1;
            while (to != end && to->key == from->key)
                ++to;
            if (to - from > 1 && from->key != 0)
                sortRun(from, to, depth + 1);
            from = to;
        }
        return;
    }
}

void RowBytes::sort()
{
    endRow();
    // From the order the rows are in, which equal rows keep.
    std::vector<Entry> entries(size_t(m_table.m_rows.size()));
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i] = {0, quint32(i)};
    sortRun(entries.data(), entries.data() + entries.size(), 0);
    QList<RowTable::Row> sorted;
    sorted.reserve(m_table.m_rows.size());
    for (const Entry &e : entries)
        sorted.append(m_table.m_rows.at(e.row));
    m_table.m_rows = std::move(sorted);
}

RowTable RowBytes::takeRows()
{
    endRow();
    m_rowStart = 0;
    return std::exchange(m_table, {});
}
