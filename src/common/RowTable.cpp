#include "RowTable.h"

#include "ListRows.h"

#include "Win1252.h"

#include <algorithm>

QString RowTable::text(qsizetype row) const
{
    const QByteArrayView b = bytes(row);
    QString out(b.size(), Qt::Uninitialized);
    Win1252::decodeInto(b.data(), b.size(), reinterpret_cast<char16_t *>(out.data()));
    return out;
}

QStringList RowTable::texts() const
{
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out.append(text(i));
    return out;
}

RowTable RowTable::fromRows(const QList<ListRow> &rows)
{
    RowTable t;
    t.m_rows.reserve(rows.size());
    for (const ListRow &r : rows) {
        const QByteArray bytes = Win1252::encode(r.text);
        t.m_rows.append({r.position, quint64(t.m_bytes.size()), quint64(bytes.size())});
        t.m_bytes.append(bytes);
        t.m_longest = std::max(t.m_longest, bytes.size());
    }
    return t;
}

RowTable::Key::Key(QStringView lowerKey)
{
    const QString key = lowerKey.toString();
    m_possible = !key.isEmpty() && Win1252::canEncode(key);
    if (m_possible)
        m_bytes = Win1252::encode(key);
}

bool RowTable::Key::foundIn(QByteArrayView row) const
{
    return m_possible && ListRows::containsFoldedAZ(row.data(), row.size(), m_bytes.constData(), m_bytes.size());
}
