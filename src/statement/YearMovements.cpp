#include "YearMovements.h"

#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/TextRules.h"
#include "common/Win1252.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>

#include <cmath>
#include <cstring>
#include <deque>
#include <optional>
#include <vector>

namespace {

using Slot = RecordCodec::FieldSlot;

// The year of a stored operation date "dd/mm/yyyy" naming a real day, the
// form the text rules accept, read straight from its bytes; -1 for anything
// else. Every movement's date is judged, so no text is made for it.
int yearOf(QByteArrayView d)
{
    if (d.size() != 10 || d[2] != '/' || d[5] != '/')
        return -1;
    int n[8];
    const int at[8] = {0, 1, 3, 4, 6, 7, 8, 9};
    for (int i = 0; i < 8; ++i) {
        const char c = d[at[i]];
        if (c < '0' || c > '9')
            return -1;
        n[i] = c - '0';
    }
    const int day = n[0] * 10 + n[1];
    const int month = n[2] * 10 + n[3];
    const int y = n[4] * 1000 + n[5] * 100 + n[6] * 10 + n[7];
    return y >= 1 && QDate::isValid(y, month, day) ? y : -1;
}

bool sameBytes(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), size_t(a.size())) == 0;
}

// The cents of an amount stored the way the movement card writes it: the
// sign, the euro without leading zeros (ten digits at most, so within
// kMaxAmount) and a comma with one or two decimals, or none. Read from the
// bytes, this is exactly what the text rules make of such a text; any other
// text gets nothing here and is left to them.
std::optional<qint64> plainCents(QByteArrayView t)
{
    const qsizetype n = t.size();
    qsizetype i = 1; // past the sign
    qint64 euro = 0;
    const qsizetype wholeStart = i;
    while (i < n && t[i] >= '0' && t[i] <= '9')
        euro = euro * 10 + (t[i++] - '0');
    const qsizetype whole = i - wholeStart;
    if (whole == 0 || whole > 10 || (whole > 1 && t[wholeStart] == '0'))
        return std::nullopt;
    if (i == n)
        return euro * 100;
    if (t[i] != ',')
        return std::nullopt;
    const qsizetype decimals = n - i - 1;
    if (decimals < 1 || decimals > 2)
        return std::nullopt;
    qint64 cents = 0;
    for (qsizetype k = i + 1; k < n; ++k) {
        if (t[k] < '0' || t[k] > '9')
            return std::nullopt;
        cents = cents * 10 + (t[k] - '0');
    }
    return euro * 100 + (decimals == 1 ? cents * 10 : cents);
}

// The groups of one year by the bytes they are stored as (kind, reason,
// payment method), in the order first met. Looking a movement up copies
// nothing: only a new group keeps its bytes, so a year of many movements and
// few groups is summed without an allocation per movement.
class GroupIndex
{
public:
    struct Entry
    {
        size_t hash;
        bool income;
        QByteArray causale;
        QByteArray pagamento;
        qint64 count = 0;
        qint64 cents = 0;
    };

    Entry &find(bool income, QByteArrayView causale, QByteArrayView pagamento)
    {
        const size_t hash = qHashBits(pagamento.data(), size_t(pagamento.size()),
                                      qHashBits(causale.data(), size_t(causale.size()), income ? 1 : 2));
        for (size_t i = hash & m_mask;; i = (i + 1) & m_mask) {
            const qsizetype slot = m_slots[i];
            if (slot < 0) {
                m_slots[i] = qsizetype(m_entries.size());
                m_entries.push_back({hash, income, causale.toByteArray(), pagamento.toByteArray(), 0, 0});
                Entry &added = m_entries.back();
                if (m_entries.size() * 2 > m_slots.size())
                    grow();
                return added;
            }
            Entry &e = m_entries[size_t(slot)];
            if (e.hash == hash && e.income == income && sameBytes(e.causale, causale) &&
                sameBytes(e.pagamento, pagamento))
                return e;
        }
    }

    const std::deque<Entry> &entries() const { return m_entries; }

private:
    void grow()
    {
        m_slots.assign(m_slots.size() * 2, -1);
        m_mask = m_slots.size() - 1;
        for (size_t e = 0; e < m_entries.size(); ++e) {
            size_t i = m_entries[e].hash & m_mask;
            while (m_slots[i] >= 0)
                i = (i + 1) & m_mask;
            m_slots[i] = qsizetype(e);
        }
    }

    // Entries stay where they are while the table grows: find() hands them out.
    std::deque<Entry> m_entries;
    std::vector<qsizetype> m_slots = std::vector<qsizetype>(64, -1); // a power of two, at most half full
    size_t m_mask = 63;
};

// Asks the processor for the lines of the fields the scan reads from the
// record after this one, so they arrive while this one is judged: a scan
// touches four lines far apart in each record, and waiting for each in turn
// would cost more than the rest of its work. Only a hint: an address past the
// read-ahead buffer is never read.
void ahead(const char *next)
{
#if defined(__GNUC__)
    static const int offsets[] = {
        RecordCodec::slotOf(&TSchedaMovimento::Data).offset,
        RecordCodec::slotOf(&TSchedaMovimento::Totale).offset,
        RecordCodec::slotOf(&TSchedaMovimento::Pagamento).offset,
        RecordCodec::slotOf(&TSchedaMovimento::Saldato).offset,
    };
    for (const int offset : offsets)
        __builtin_prefetch(next + offset);
#else
    Q_UNUSED(next);
#endif
}

} // namespace

YearMovements YearMovements::read(const QString &path, int year)
{
    using RecordCodec::slotOf;
    static const Slot data = slotOf(&TSchedaMovimento::Data);
    static const Slot causale = slotOf(&TSchedaMovimento::Causale);
    static const Slot totale = slotOf(&TSchedaMovimento::Totale);
    static const Slot pagamento = slotOf(&TSchedaMovimento::Pagamento);
    static const Slot saldato = slotOf(&TSchedaMovimento::Saldato);
    // "Sì" as stored.
    static const QByteArray yesBytes = Win1252::encode(kYes);

    YearMovements out;
    out.year = year;
    // A year without a file has no movements; the file is not created.
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return out;
    out.exists = true;

    RecordFile<TSchedaMovimento> file;
    if (!file.open(path, RecordFileBase::Access::Read)) {
        out.error = file.errorString();
        return out;
    }
    const qint64 count = file.count();
    if (count < 0) {
        out.error = file.errorString();
        return out;
    }
    out.records = count;

    GroupIndex groups;
    const QByteArrayView yes(yesBytes);
    RecordCodec::FieldChars dateChars;
    RecordCodec::FieldChars amountChars;
    for (qint64 position = 1; position <= count; ++position) {
        const char *record = file.readNextInPlace();
        if (!record) {
            out.error = file.errorString();
            break;
        }
        ahead(record + TSchedaMovimento::Size);
        const int dateYear = yearOf(RecordCodec::trimmedBytes(record, data));
        if (dateYear < 0) {
            out.unreadable.append(
                {position, QStringLiteral("data"), RecordCodec::trimmedText(record, data, dateChars).toString()});
            continue;
        }
        if (dateYear != year) {
            ++out.otherYearCount;
            continue;
        }
        const QByteArrayView amountBytes = RecordCodec::trimmedBytes(record, totale);
        const bool income = amountBytes.startsWith('+');
        if (!income && !amountBytes.startsWith('-')) {
            out.unreadable.append(
                {position, QStringLiteral("segno"), RecordCodec::trimmedText(record, totale, amountChars).toString()});
            continue;
        }
        std::optional<qint64> cents = plainCents(amountBytes);
        if (!cents) {
            const auto amount = TextRules::parseAmount(RecordCodec::trimmedText(record, totale, amountChars));
            if (amount && std::fabs(*amount) <= kMaxAmount)
                cents = qint64(std::llround(std::fabs(*amount) * 100));
        }
        if (!cents) {
            out.unreadable.append(
                {position, QStringLiteral("importo"), RecordCodec::trimmedText(record, totale, amountChars).toString()});
            continue;
        }
        if (!sameBytes(RecordCodec::trimmedBytes(record, saldato), yes)) {
            ++out.unsettledCount;
            (income ? out.unsettledIncome : out.unsettledExpense) += *cents;
            continue;
        }
        GroupIndex::Entry &g = groups.find(income, RecordCodec::trimmedBytes(record, causale),
                                           RecordCodec::trimmedBytes(record, pagamento));
        ++g.count;
        g.cents += *cents;
    }
    file.close();

    // Texts are made once per group, not once per movement.
    out.groups.reserve(qsizetype(groups.entries().size()));
    for (const GroupIndex::Entry &g : groups.entries())
        out.groups.append({g.income, Win1252::decode(g.causale), Win1252::decode(g.pagamento), g.count, g.cents});
    return out;
}
