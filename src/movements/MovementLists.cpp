#include "MovementLists.h"

#include "MovementArchiveScan.h"
#include "common/DueDates.h"
#include "common/TextRules.h"

namespace MovementLists {

ListScan search(const QString &path, const Criteria &criteria)
{
    return MovementArchiveScan::list(path, MovementArchiveScan::AllCriteria(criteria));
}

ScanVerdict judgeDue(QStringView saldato, QStringView dataSca, QStringView preavviso, const QDate &today)
{
    // Settled payments, and records holding anything but "No", are never listed.
    if (TextRules::trimmed(saldato) != kNo)
        return ScanVerdict::NotListed;
    const auto begun = DueDates::noticeBegun(dataSca, preavviso, today);
    if (!begun)
        return ScanVerdict::Unreadable;
    return *begun ? ScanVerdict::Listed : ScanVerdict::NotListed;
}

ListScan paymentsDue(const QString &path, const QDate &today)
{
    static const auto saldatoSlot = MovementArchiveScan::slot(&TSchedaMovimento::Saldato);
    static const auto dataScaSlot = MovementArchiveScan::slot(&TSchedaMovimento::DataSca);
    static const auto preavvisoSlot = MovementArchiveScan::slot(&TSchedaMovimento::Preavviso);
    return MovementArchiveScan::list(path, [&today](const MovementArchiveScan &m) {
        RecordCodec::FieldChars saldato;
        RecordCodec::FieldChars dataSca;
        RecordCodec::FieldChars preavviso;
        return judgeDue(m.text(saldatoSlot, saldato), m.text(dataScaSlot, dataSca), m.text(preavvisoSlot, preavviso),
                        today);
    });
}

} // namespace MovementLists
