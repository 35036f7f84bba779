#include "DueDates.h"

#include "TextRules.h"

namespace DueDates {

std::optional<int> wholeNumber(QStringView text)
{
    const QStringView t = TextRules::trimmed(text);
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

std::optional<bool> noticeBegun(QStringView dueDate, QStringView noticeDays, const QDate &today)
{
    const auto due = TextRules::parseDate(TextRules::trimmed(dueDate));
    if (!due)
        return std::nullopt;
    const auto notice = wholeNumber(noticeDays);
    if (!notice)
        return std::nullopt;
    return due->addDays(-*notice) <= today;
}

} // namespace DueDates
