#include "DatedYear.h"

#include "common/RecordScan.h"
#include "common/TSchedaMovimento.h"
#include "common/TextRules.h"

#include <QFileInfo>
#include <QHash>

#include <cmath>

DatedYear DatedYear::read(const QString &path, int year)
{
    using Scan = RecordScan<TSchedaMovimento>;
    static const Scan::Slot data = Scan::slot(&TSchedaMovimento::Data);
    static const Scan::Slot causale = Scan::slot(&TSchedaMovimento::Causale);
    static const Scan::Slot totale = Scan::slot(&TSchedaMovimento::Totale);
    static const Scan::Slot pagamento = Scan::slot(&TSchedaMovimento::Pagamento);
    static const Scan::Slot saldato = Scan::slot(&TSchedaMovimento::Saldato);

    DatedYear out;
    YearMovements &m = out.movements;
    m.year = year;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return out;
    m.exists = true;

    Scan scan;
    if (!scan.open(path)) {
        m.error = scan.errorString();
        return out;
    }
    m.records = scan.count();
    const int days = QDate(year, 1, 1).daysInYear();
    const QDate first(year, 1, 1);
    // A group by its kind, reason and payment method, as stored; the key's
    // buffer is reused, so only a new group costs an allocation.
    QHash<QByteArray, qsizetype> index;
    QByteArray key;
    RecordCodec::FieldChars chars;
    while (scan.next()) {
        const auto date = TextRules::parseDate(scan.text(data, chars));
        if (!date) {
            m.unreadable.append({scan.position(), QStringLiteral("data"), scan.text(data)});
            continue;
        }
        if (date->year() != year) {
            ++m.otherYearCount;
            continue;
        }
        const QStringView amountText = scan.text(totale, chars);
        const bool income = amountText.startsWith(QLatin1Char('+'));
        if (!income && !amountText.startsWith(QLatin1Char('-'))) {
            m.unreadable.append({scan.position(), QStringLiteral("segno"), amountText.toString()});
            continue;
        }
        const auto amount = TextRules::parseAmount(amountText);
        if (!amount || std::fabs(*amount) > YearMovements::kMaxAmount) {
            m.unreadable.append({scan.position(), QStringLiteral("importo"), amountText.toString()});
            continue;
        }
        const qint64 cents = qint64(std::llround(std::fabs(*amount) * 100));
        if (scan.text(saldato, chars) != kYes) {
            ++m.unsettledCount;
            (income ? m.unsettledIncome : m.unsettledExpense) += cents;
            continue;
        }
        key.resize(0);
        key.append(income ? '+' : '-');
        key.append(scan.bytes(causale));
        key.append('\0');
        key.append(scan.bytes(pagamento));
        auto it = index.find(key);
        if (it == index.end()) {
            it = index.insert(key, m.groups.size());
            m.groups.append({income, scan.text(causale), scan.text(pagamento), 0, 0});
            out.dayCents.append(QList<qint64>(days, 0));
        }
        YearMovements::Group &g = m.groups[*it];
        ++g.count;
        g.cents += cents;
        out.dayCents[*it][first.daysTo(*date)] += cents;
    }
    if (scan.failed())
        m.error = scan.errorString();
    return out;
}
