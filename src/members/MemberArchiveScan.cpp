#include "MemberArchiveScan.h"

#include "MemberRow.h"
#include "common/ArchivePaths.h"
#include "common/TextRules.h"

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

ArchiveResult<std::optional<MemberArchiveScan::TaxCodeHolder>>
MemberArchiveScan::findTaxCode(const QString &code, std::optional<qint64> except)
{
    using Result = ArchiveResult<std::optional<TaxCodeHolder>>;
    static const Slot codFiscSlot = slot(&TSchedaSocio::CodFisc);
    static const Slot nameSlot = slot(&TSchedaSocio::Dipendente);

    const QString wanted = TextRules::lowerAZ(TextRules::trim(code));
    if (wanted.isEmpty())
        return Result::success(std::nullopt);
    MemberArchiveScan scan;
    if (!scan.open())
        return Result::failure(scan.errorString());
    RecordCodec::FieldChars chars;
    while (scan.next()) {
        if (except && scan.position() == *except)
            continue;
        const QStringView stored = scan.text(codFiscSlot, chars);
        // Tax codes are short: lower-casing one costs less than the scan's read.
        if (stored.size() == wanted.size() && TextRules::lowerAZ(stored.toString()) == wanted)
            return Result::success(TaxCodeHolder{scan.position(), scan.text(nameSlot)});
    }
    if (scan.failed())
        return Result::failure(scan.errorString());
    return Result::success(std::nullopt);
}
