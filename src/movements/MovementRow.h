#pragma once

#include <QString>

struct TSchedaMovimento;

// The row that the movement search and the payments-due list show for a
// movement: reason (40), "  Scad. ", due date (10), "  Da: ", payer (30),
// "  A: ", beneficiary (30), "  Importo: ", then the signed amount at full length.
namespace MovementRow {

QString compose(const QString &causale, const QString &dataSca, const QString &pagatore,
                const QString &beneficiario, const QString &totale);
QString compose(const TSchedaMovimento &record);

} // namespace MovementRow
