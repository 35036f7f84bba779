#include "ImportLedger.h"

#include "BankText.h"

#include "common/FileAccess.h"
#include "common/SafeSave.h"

#include <QHash>

namespace {
// Years of imported rows take a few hundred kilobytes; a larger file is not ours.
constexpr qint64 kMaxLedgerSize = 64 * 1024 * 1024;
} // namespace

QString ImportLedger::baseKey(const BankRow &row)
{
    if (!row.reference.trimmed().isEmpty())
        return QStringLiteral("R;") + row.reference.trimmed();
    return QStringLiteral("D;%1;%2;%3")
        .arg(row.booking.toString(Qt::ISODate))
        .arg(row.cents)
        .arg(BankText::fold(row.description + QLatin1Char(' ') + row.extended));
}

QStringList ImportLedger::keysOf(const QList<BankRow> &rows)
{
    QStringList out;
    QHash<QString, int> seen;
    for (const BankRow &r : rows) {
        const QString base = baseKey(r);
        const int n = ++seen[base];
        out.append(n == 1 ? base : QStringLiteral("%1;#%2").arg(base).arg(n));
    }
    return out;
}

void ImportLedger::add(const QString &key)
{
    if (!m_keys.contains(key)) {
        m_keys.insert(key);
        m_order.append(key);
    }
}

std::optional<ImportLedger> ImportLedger::load(const QString &folder, QString *error)
{
    const auto bytes = FileAccess::readSmallFile(folder + fileName(), kMaxLedgerSize, error);
    if (!bytes)
        return std::nullopt;
    ImportLedger out;
    for (const QString &line : QString::fromUtf8(*bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString key = line.trimmed();
        if (!key.isEmpty())
            out.add(key);
    }
    return out;
}

bool ImportLedger::save(const QString &folder, QString *error) const
{
    QByteArray bytes;
    for (const QString &k : m_order)
        bytes += k.toUtf8() + "\r\n";
    return SafeSave::saveBytes(folder + fileName(), bytes, error);
}
