#pragma once

#include <QByteArrayView>
#include <QString>

class RowBytes;
struct TSchedaMovimento;

// The row that the movement search and the payments-due list show for a
// movement: reason (40), "  Scad. ", due date (10), "  Da: ", payer (30),
// "  A: ", beneficiary (30), "  Importo: ", then the signed amount at full length.
namespace MovementRow {

QString compose(const QString &causale, const QString &dataSca, const QString &pagatore,
                const QString &beneficiario, const QString &totale);
QString compose(const TSchedaMovimento &record);
// The same row from the stored fields (trimmed Windows-1252 bytes), appended to rows.
void compose(RowBytes &rows, QByteArrayView causale, QByteArrayView dataSca, QByteArrayView pagatore,
             QByteArrayView beneficiario, QByteArrayView totale);

} // namespace MovementRow
