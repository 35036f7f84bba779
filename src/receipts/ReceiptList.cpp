#include "ReceiptList.h"

#include "AmountInWords.h"
#include "common/TextRules.h"
#include "statement/CashStatement.h"

namespace ReceiptList {

QString row(const ReceiptBook::Entry &entry)
{
    using TextRules::fit;
    const QString number = entry.number.text();
    const QString stored = TextRules::trim(entry.record.Importo);
    const auto cents = AmountInWords::centsOf(stored);
    const QString amount = cents ? CashStatement::amount(*cents) : stored;
    // Numbers and amounts right-aligned, so the columns read as figures.
    return number.rightJustified(kNumberWidth, QLatin1Char(' ')) + QLatin1Char(' ') +
           fit(entry.record.Data, kDateWidth) + QLatin1Char(' ') + fit(entry.record.Pagatore, kPayerWidth) +
           QLatin1Char(' ') + amount.rightJustified(kAmountWidth, QLatin1Char(' '), true);
}

ListScan scan(const QString &yearFile)
{
    ListScan out;
    QString error;
    const auto entries = ReceiptBook::receipts(yearFile, &error);
    if (!entries) {
        out.complete = false;
        out.opened = false;
        out.error = error;
        return out;
    }
    QList<ListRow> rows;
    rows.reserve(entries->size());
    for (const ReceiptBook::Entry &e : *entries)
        rows.append({row(e), e.position});
    out.rows = RowTable::fromRows(rows);
    return out;
}

QString printTitle(const QString &yearFile, const QString &association)
{
    const auto year = ReceiptBook::yearOfFile(yearFile);
    QString title = year ? QStringLiteral("Elenco delle ricevute dell'anno %1").arg(*year)
                         : QStringLiteral("Elenco delle ricevute");
    const QString name = TextRules::trim(association);
    return name.isEmpty() ? title : title + QStringLiteral(" - ") + name;
}

} // namespace ReceiptList
