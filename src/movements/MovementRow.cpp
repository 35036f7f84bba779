#include "MovementRow.h"

#include "common/ListRows.h"
#include "common/RowBytes.h"
#include "common/TSchedaMovimento.h"

namespace MovementRow {

QString compose(const QString &causale, const QString &dataSca, const QString &pagatore,
                const QString &beneficiario, const QString &totale)
{
    QString row;
    row.reserve(141 + totale.size());
    ListRows::appendFitted(row, causale, 40);
    row.append(QLatin1String("  Scad. "));
    ListRows::appendFitted(row, dataSca, 10);
    row.append(QLatin1String("  Da: "));
    ListRows::appendFitted(row, pagatore, 30);
    row.append(QLatin1String("  A: "));
    ListRows::appendFitted(row, beneficiario, 30);
    row.append(QLatin1String("  Importo: "));
    ListRows::appendTrimmed(row, totale);
    return row;
}

QString compose(const TSchedaMovimento &r) { return compose(r.Causale, r.DataSca, r.Pagatore, r.Beneficiario, r.Totale); }

void compose(RowBytes &rows, QByteArrayView causale, QByteArrayView dataSca, QByteArrayView pagatore,
             QByteArrayView beneficiario, QByteArrayView totale)
{
    rows.appendFitted(causale, 40);
    rows.append("  Scad. ");
    rows.appendFitted(dataSca, 10);
    rows.append("  Da: ");
    rows.appendFitted(pagatore, 30);
    rows.append("  A: ");
    rows.appendFitted(beneficiario, 30);
    rows.append("  Importo: ");
    rows.append(totale);
}

} // namespace MovementRow
