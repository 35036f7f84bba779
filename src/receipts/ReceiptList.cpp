#include "ReceiptList.h"

#include "common/TextRules.h"

namespace ReceiptList {

QString row(const ReceiptBook::Entry &entry)
{
    using TextRules::fit;
    const QString number = entry.number.text();
    const QString amount = TextRules::trim(entry.record.Importo);
    // Numbers and amounts right-aligned, so the columns read as figures.
    return number.rightJustified(kNumberWidth, QLatin1Char(' '), true) + QLatin1Char(' ') +
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

QString printTitle(const QString &yearFile)
{
    const auto year = ReceiptBook::yearOfFile(yearFile);
    return year ? QStringLiteral("Elenco delle ricevute dell'anno %1").arg(*year)
                : QStringLiteral("Elenco delle ricevute");
}

} // namespace ReceiptList
