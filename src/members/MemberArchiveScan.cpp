#include "MemberArchiveScan.h"

#include "MemberRow.h"
#include "common/ArchivePaths.h"

MemberArchiveScan::Slot MemberArchiveScan::slot(QString TSchedaSocio::*field)
{
    int offset = 0;
    for (const auto &f : TSchedaSocio::fields()) {
        if (f.member == field)
            return {offset, f.capacity};
        offset += f.capacity + 1;
    }
    Q_ASSERT_X(false, "MemberArchiveScan::slot", "not a field of TSchedaSocio");
    return {};
}

bool MemberArchiveScan::open()
{
    m_position = 0;
    m_failed = false;
    if (!m_file.open(ArchivePaths::members(), RecordFileBase::Access::Read)) {
        m_failed = true;
        return false;
    }
    m_count = m_file.count();
    if (m_count < 0) {
        m_failed = true;
        return false;
    }
    return true;
}

bool MemberArchiveScan::next()
{
    if (m_failed || m_position >= m_count)
        return false;
    if (!m_file.readNextRaw(m_raw) || m_raw.size() < TSchedaSocio::Size) {
        m_failed = true;
        return false;
    }
    ++m_position;
    return true;
}

QString MemberArchiveScan::text(Slot slot) const
{
    return RecordCodec::getField(m_raw.constData() + slot.offset, slot.capacity);
}

ListScan MemberArchiveScan::list(const Filter &filter)
{
    ListScan result;
    static const Slot nameSlot = slot(&TSchedaSocio::Dipendente);
    static const Slot codFiscSlot = slot(&TSchedaSocio::CodFisc);
    static const Slot dataScaSlot = slot(&TSchedaSocio::DataSca);
    static const Slot recapitoSlot = slot(&TSchedaSocio::Recapito);
    static const Slot noteSlot = slot(&TSchedaSocio::Note);

    MemberArchiveScan scan;
    if (!scan.open()) {
        result.complete = false;
        result.opened = false;
        result.error = scan.errorString();
        return result;
    }
    while (scan.next()) {
        switch (filter(scan)) {
        case Verdict::Unreadable:
            ++result.skipped;
            continue;
        case Verdict::NotListed:
            continue;
        case Verdict::Listed:
            break;
        }
        result.rows.append({MemberRow::compose(scan.text(nameSlot), scan.text(codFiscSlot), scan.text(dataScaSlot),
                                               scan.text(recapitoSlot), scan.text(noteSlot)),
                            scan.position()});
    }
    if (scan.failed()) {
        result.complete = false;
        result.error = scan.errorString();
    }
    ListRows::sort(result.rows);
    return result;
}
