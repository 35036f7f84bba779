#include "MemberSearch.h"

#include "MemberArchiveScan.h"
#include "MemberRow.h"
#include "common/TextRules.h"

namespace MemberSearch {

namespace {

struct Prepared
{
    QString TSchedaSocio::*field;
    MemberArchiveScan::Slot slot;
    QString key; // lower-cased, not trimmed
};

// Only the criteria that take part, lower-cased once for the whole scan. A text
// of blanks alone takes no part: it would otherwise be met by any field holding
// a blank and let a member through whatever the other criteria say.
QList<Prepared> prepare(const Criteria &criteria)
{
    QList<Prepared> out;
    for (const Criterion &c : criteria) {
        if (TextRules::trim(c.text).isEmpty())
            continue;
        out.append({c.field, MemberArchiveScan::slot(c.field), TextRules::lowerAZ(c.text)});
    }
    return out;
}

} // namespace

bool matches(const TSchedaSocio &record, const Criteria &criteria)
{
    for (const Prepared &p : prepare(criteria))
        if (!ListRows::containsLowerAZ(record.*(p.field), p.key))
            return false;
    return true;
}

ListScan run(const Criteria &criteria)
{
    ListScan result;
    const QList<Prepared> wanted = prepare(criteria);
    static const auto nameSlot = MemberArchiveScan::slot(&TSchedaSocio::Dipendente);
    static const auto codFiscSlot = MemberArchiveScan::slot(&TSchedaSocio::CodFisc);
    static const auto dataScaSlot = MemberArchiveScan::slot(&TSchedaSocio::DataSca);
    static const auto recapitoSlot = MemberArchiveScan::slot(&TSchedaSocio::Recapito);
    static const auto noteSlot = MemberArchiveScan::slot(&TSchedaSocio::Note);

    MemberArchiveScan scan;
    if (!scan.open()) {
        result.complete = false;
        result.opened = false;
        result.error = scan.errorString();
        return result;
    }
    if (wanted.isEmpty())
        result.rows.reserve(scan.count());
    while (scan.next()) {
        bool listed = true;
        for (const Prepared &p : wanted) {
            if (!ListRows::containsLowerAZ(scan.text(p.slot), p.key)) {
                listed = false;
                break;
            }
        }
        if (!listed)
            continue;
        result.rows.append(
            {MemberRow::compose(scan.text(nameSlot), scan.text(codFiscSlot), scan.text(dataScaSlot),
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

QString countText(qsizetype rows)
{
    return QStringLiteral("Il presente riepilogo contiene ") + QString::number(rows) +
           QStringLiteral(" schede.");
}

} // namespace MemberSearch
