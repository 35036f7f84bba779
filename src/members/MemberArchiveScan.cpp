#include "MemberArchiveScan.h"

#include "MemberRow.h"
#include "common/ArchivePaths.h"

bool MemberArchiveScan::open() { return RecordScan::open(ArchivePaths::members()); }

ListScan MemberArchiveScan::list(const Filter &filter)
{
    static const Slot nameSlot = slot(&TSchedaSocio::Dipendente);
    static const Slot codFiscSlot = slot(&TSchedaSocio::CodFisc);
    static const Slot dataScaSlot = slot(&TSchedaSocio::DataSca);
    static const Slot recapitoSlot = slot(&TSchedaSocio::Recapito);
    static const Slot noteSlot = slot(&TSchedaSocio::Note);

    MemberArchiveScan scan;
    return collect(
        scan, ArchivePaths::members(), filter,
        [](const MemberArchiveScan &member, RowBytes &rows) {
            MemberRow::compose(rows, member.bytes(nameSlot), member.bytes(codFiscSlot), member.bytes(dataScaSlot),
                               member.bytes(recapitoSlot), member.bytes(noteSlot));
        });
}
