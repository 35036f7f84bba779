#include "SubscriptionLists.h"

#include "MemberArchiveScan.h"
#include "MemberRow.h"
#include "common/TSchedaSocio.h"
#include "common/TextRules.h"

namespace SubscriptionLists {

static std::optional<int> wholeNumber(const QString &text)
{
    const QString t = TextRules::trim(text);
    if (t.isEmpty())
        return std::nullopt;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        const bool sign = i == 0 && t.size() > 1 && (c == QLatin1Char('+') || c == QLatin1Char('-'));
        if (!sign && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return std::nullopt;
    }
    bool ok = false;
    const int n = t.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}

Verdict judge(Kind kind, const QString &dataSca, const QString &preavviso, const QDate &today)
{
    const auto expiry = TextRules::parseDate(TextRules::trim(dataSca));
    if (!expiry)
        return Verdict::Unreadable;
    if (kind == Kind::Expired)
        return today > *expiry ? Verdict::Listed : Verdict::NotListed;
    const auto notice = wholeNumber(preavviso);
    if (!notice)
        return Verdict::Unreadable;
    // The notice period of N days before the expiry has begun, or the expiry has passed.
    return expiry->addDays(-*notice) <= today ? Verdict::Listed : Verdict::NotListed;
}

ListScan scan(Kind kind, const QDate &today)
{
    ListScan result;
    static const auto nameSlot = MemberArchiveScan::slot(&TSchedaSocio::Dipendente);
    static const auto codFiscSlot = MemberArchiveScan::slot(&TSchedaSocio::CodFisc);
    static const auto dataScaSlot = MemberArchiveScan::slot(&TSchedaSocio::DataSca);
    static const auto preavvisoSlot = MemberArchiveScan::slot(&TSchedaSocio::Preavviso);
    static const auto recapitoSlot = MemberArchiveScan::slot(&TSchedaSocio::Recapito);
    static const auto noteSlot = MemberArchiveScan::slot(&TSchedaSocio::Note);

    MemberArchiveScan archive;
    if (!archive.open()) {
        result.complete = false;
        result.opened = false;
        result.error = archive.errorString();
        return result;
    }
    while (archive.next()) {
        const QString dataSca = archive.text(dataScaSlot);
        const QString preavviso = kind == Kind::Expiring ? archive.text(preavvisoSlot) : QString();
        switch (judge(kind, dataSca, preavviso, today)) {
        case Verdict::Unreadable:
            ++result.skipped;
            continue;
        case Verdict::NotListed:
            continue;
        case Verdict::Listed:
            break;
        }
        result.rows.append({MemberRow::compose(archive.text(nameSlot), archive.text(codFiscSlot), dataSca,
                                               archive.text(recapitoSlot), archive.text(noteSlot)),
                            archive.position()});
    }
    if (archive.failed()) {
        result.complete = false;
        result.error = archive.errorString();
    }
    ListRows::sort(result.rows);
    return result;
}

} // namespace SubscriptionLists
