#include "YearMovements.h"

#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/TextRules.h"
#include "common/Win1252.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>

#include <cmath>

namespace {

using Slot = RecordCodec::FieldSlot;

struct Sum
{
    qint64 count = 0;
    qint64 cents = 0;
};

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
    static const QByteArray yes = Win1252::encode(kYes);

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

    // Groups keyed by the stored bytes: kind, reason, a zero byte, payment.
    // The key is composed in one buffer and only copied for a new group.
    QHash<QByteArray, Sum> sums;
    QList<QByteArray> order;
    QByteArray key;
    key.reserve(520);
    QHash<QByteArray, qint64> amounts; // stored amount text -> cents
    constexpr qint64 kUnreadable = -1;
    QByteArray amountKey;
    amountKey.reserve(16);
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
        // A year holds far fewer distinct amounts than movements: each stored
        // text is read once by the text rules, then found again by its bytes.
        amountKey.truncate(0);
        amountKey.append(amountBytes);
        auto known = amounts.constFind(amountKey);
        if (known == amounts.cend()) {
            const auto amount = TextRules::parseAmount(RecordCodec::trimmedText(record, totale, amountChars));
            known = amounts.insert(amountKey, amount && std::fabs(*amount) <= kMaxAmount
                                                  ? qint64(std::llround(std::fabs(*amount) * 100))
                                                  : kUnreadable);
        }
        if (*known == kUnreadable) {
            out.unreadable.append(
                {position, QStringLiteral("importo"), RecordCodec::trimmedText(record, totale, amountChars).toString()});
            continue;
        }
        const qint64 cents = *known;
        if (yes.compare(RecordCodec::trimmedBytes(record, saldato)) != 0) {
            ++out.unsettledCount;
            (income ? out.unsettledIncome : out.unsettledExpense) += cents;
            continue;
        }
        // Emptied without giving its room back: no allocation per movement.
        key.truncate(0);
        key.append(income ? '+' : '-');
        key.append(RecordCodec::trimmedBytes(record, causale));
        key.append('\0');
        key.append(RecordCodec::trimmedBytes(record, pagamento));
        auto it = sums.find(key);
        if (it == sums.end()) {
            it = sums.insert(key, {});
            order.append(key);
        }
        ++it->count;
        it->cents += cents;
    }
    file.close();

    out.groups.reserve(order.size());
    for (const QByteArray &k : order) {
        const qsizetype zero = k.indexOf('\0');
        const Sum &s = sums[k];
        out.groups.append({k.at(0) == '+', Win1252::decode(k.mid(1, zero - 1)), Win1252::decode(k.mid(zero + 1)),
                           s.count, s.cents});
    }
    return out;
}
