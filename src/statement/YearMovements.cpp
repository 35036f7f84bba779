#include "YearMovements.h"

#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/TextRules.h"
#include "common/Win1252.h"

#include <QFileInfo>
#include <QHash>

#include <cmath>

namespace {

using Slot = RecordCodec::FieldSlot;

// A group of movements as stored: kind, reason and payment method.
struct GroupKey
{
    bool income = false;
    QByteArray causale;
    QByteArray pagamento;
    bool operator==(const GroupKey &) const = default;
};

size_t qHash(const GroupKey &k, size_t seed = 0) { return qHashMulti(seed, k.income, k.causale, k.pagamento); }

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

    // Groups in the order first met, found by their stored bytes.
    QHash<GroupKey, qsizetype> index;
    const QByteArrayView yes(yesBytes);
    RecordCodec::FieldChars dateChars;
    RecordCodec::FieldChars amountChars;
    for (qint64 position = 1; position <= count; ++position) {
        const char *record = file.readNextInPlace();
        if (!record) {
            out.error = file.errorString();
            break;
        }
        const QStringView dateText = RecordCodec::trimmedText(record, data, dateChars);
        const auto date = TextRules::parseDate(dateText);
        if (!date) {
            out.unreadable.append({position, QStringLiteral("data"), dateText.toString()});
            continue;
        }
        if (date->year() != year) {
            ++out.otherYearCount;
            continue;
        }
        const QStringView amountText = RecordCodec::trimmedText(record, totale, amountChars);
        const bool income = amountText.startsWith(QLatin1Char('+'));
        if (!income && !amountText.startsWith(QLatin1Char('-'))) {
            out.unreadable.append({position, QStringLiteral("segno"), amountText.toString()});
            continue;
        }
        const auto amount = TextRules::parseAmount(amountText);
        if (!amount || !(std::fabs(*amount) <= kMaxAmount)) {
            out.unreadable.append({position, QStringLiteral("importo"), amountText.toString()});
            continue;
        }
        const qint64 cents = std::llround(std::fabs(*amount) * 100);
        if (RecordCodec::trimmedBytes(record, saldato) != yes) {
            ++out.unsettledCount;
            (income ? out.unsettledIncome : out.unsettledExpense) += cents;
            continue;
        }
        // Looked up over the record's own bytes; only a new group keeps a copy.
        const QByteArrayView c = RecordCodec::trimmedBytes(record, causale);
        const QByteArrayView m = RecordCodec::trimmedBytes(record, pagamento);
        auto it = index.find(GroupKey{income, QByteArray::fromRawData(c.data(), c.size()),
                                      QByteArray::fromRawData(m.data(), m.size())});
        if (it == index.end()) {
            it = index.insert(GroupKey{income, c.toByteArray(), m.toByteArray()}, out.groups.size());
            out.groups.append({income, {}, {}, 0, 0});
        }
        Group &g = out.groups[*it];
        ++g.count;
        g.cents += cents;
    }
    file.close();

    // Texts are made once per group, not once per movement.
    for (auto it = index.cbegin(); it != index.cend(); ++it) {
        out.groups[it.value()].causale = Win1252::decode(it.key().causale);
        out.groups[it.value()].pagamento = Win1252::decode(it.key().pagamento);
    }
    return out;
}
