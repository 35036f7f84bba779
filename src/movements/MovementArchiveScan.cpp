#include "MovementArchiveScan.h"

#include "MovementRow.h"

ListScan MovementArchiveScan::list(const QString &path, const Filter &filter)
{
    static const Slot causaleSlot = slot(&TSchedaMovimento::Causale);
    static const Slot dataScaSlot = slot(&TSchedaMovimento::DataSca);
    static const Slot pagatoreSlot = slot(&TSchedaMovimento::Pagatore);
    static const Slot beneficiarioSlot = slot(&TSchedaMovimento::Beneficiario);
    static const Slot totaleSlot = slot(&TSchedaMovimento::Totale);

    MovementArchiveScan scan;
    return collect(
        scan, path, filter,
        [](const MovementArchiveScan &m, RowBytes &rows) {
            MovementRow::compose(rows, m.bytes(causaleSlot), m.bytes(dataScaSlot), m.bytes(pagatoreSlot),
                                 m.bytes(beneficiarioSlot), m.bytes(totaleSlot));
        });
}
