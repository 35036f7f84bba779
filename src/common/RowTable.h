#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <iterator>

// One row of a list screen: its text and the 1-based position of the record it
// was built from, so a double click reaches that very record even when two
// records give the same text.
struct ListRow
{
    QString text;
    qint64 position = 0;
};

// The rows of a list as the scans produce them: every row's Windows-1252 bytes
// one after the other in a single buffer, and for each row, in the order the
// list shows them, where its bytes lie and the position of its record. A row's
// text is decoded only when it is asked for, so a list of 100,000 rows holds no
// string of its own. Copies share the buffer.
class RowTable
{
public:
    qsizetype size() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // The row's record position, stored bytes and text (0-based row).
    qint64 position(qsizetype row) const { return m_rows.at(row).position; }
    QByteArrayView bytes(qsizetype row) const
    {
        const Row &r = m_rows.at(row);
        return QByteArrayView(m_bytes.constData() + r.offset, qsizetype(r.length));
    }
    QString text(qsizetype row) const;
    ListRow at(qsizetype row) const { return {text(row), position(row)}; }
    ListRow first() const { return at(0); }

    // Characters of the longest row (one byte is one character).
    qsizetype longestRow() const { return m_longest; }
    // Every row's text, in order (what a printout needs).
    QStringList texts() const;

    // A find key prepared once for many rows: the key already lower-cased
    // (TextRules::lowerAZ), tested against rows whose letters A-Z are read as
    // a-z. An empty key, or one holding a character no row can hold, matches
    // nothing.
    class Key
    {
    public:
        explicit Key(QStringView lowerKey);
        bool foundIn(QByteArrayView row) const;

    private:
        QByteArray m_bytes;
        bool m_possible = false;
    };
    bool contains(qsizetype row, const Key &key) const { return key.foundIn(bytes(row)); }

    // The rows of a list made elsewhere, in their order. Row texts hold only
    // characters of the code page, as every record field does.
    static RowTable fromRows(const QList<ListRow> &rows);

    // Walks the rows as ListRow values.
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = ListRow;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = ListRow;

        const_iterator() = default;
        const_iterator(const RowTable *table, qsizetype row) : m_table(table), m_row(row) {}
        ListRow operator*() const { return m_table->at(m_row); }
        const_iterator &operator++()
        {
            ++m_row;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator was = *this;
            ++m_row;
            return was;
        }
        bool operator==(const const_iterator &o) const { return m_row == o.m_row; }
        bool operator!=(const const_iterator &o) const { return m_row != o.m_row; }

    private:
        const RowTable *m_table = nullptr;
        qsizetype m_row = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    friend class RowBytes;
    struct Row
    {
        qint64 position;
        quint64 offset : 40; // into m_bytes
        quint64 length : 24;
    };

    QByteArray m_bytes;
    QList<Row> m_rows;
    qsizetype m_longest = 0;
};
