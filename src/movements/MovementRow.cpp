#include "MovementRow.h"

#include "common/TextRules.h"
#include "common/Win1252.h"
#include "common/RowBytes.h"
#include "common/TSchedaMovimento.h"

namespace MovementRow {

QString compose(const QString &causale, const QString &dataSca, const QString &pagatore,
                const QString &beneficiario, const QString &totale)
{
    const auto stored = [](const QString &text) { return Win1252::encode(TextRules::trim(text)); };
    RowBytes rows;
    rows.beginRow(0);
    compose(rows, stored(causale), stored(dataSca), stored(pagatore), stored(beneficiario), stored(totale));
    return rows.takeRows().text(0);
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
