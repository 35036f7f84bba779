#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

// The rule of every list of things falling due: a due date dd/mm/yyyy with its
// days of notice before it.
namespace DueDates {

// A whole number of days: digits with an optional sign, blanks around allowed.
std::optional<int> wholeNumber(QStringView text);

// True when the notice period before the due date has begun or the date has
// passed (due date minus the days of notice is today or earlier); nothing when
// the date or the number cannot be read.
std::optional<bool> noticeBegun(QStringView dueDate, QStringView noticeDays, const QDate &today);

} // namespace DueDates
