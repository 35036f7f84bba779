#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The decisions of the period chooser that need no widget: which days and
// months the drop-downs accept, the checks of "Visualizza riepilogo" in the
// order the user is told about them, and the two dates and the file name that
// are handed to the prima nota.
namespace PeriodChoice {

// The items of the day drop-downs ("01" ... "31") and of the month drop-downs
// ("Gennaio" ... "Dicembre").
const QStringList &dayItems();
const QStringList &monthItems();

// The date part of a month name ("/03/" for "marzo"), compared lower-cased and
// trimmed; empty when the name is not a month.
QString monthPart(const QString &name);

// What a drop-down keeps when the focus leaves it: its text when it names a day
// (or a month), otherwise nothing.
QString keptDay(const QString &text);
QString keptMonth(const QString &text);

// The controls of the chooser a check can send the focus to.
enum class Field { Year, StartDay, StartMonth, EndDay, EndMonth };

// The texts of the chooser's inputs as they stand (not trimmed).
struct Input
{
    QString year;
    QString startDay;
    QString startMonth;
    QString endDay;
    QString endMonth;
};

struct Problem
{
    enum class Kind { Warning, Plain };
    Kind kind;
    // Where the focus goes; none for an interval that runs backwards.
    std::optional<Field> focus;
    QString message;
};

struct Outcome
{
    // The first check that failed, if any.
    std::optional<Problem> problem;
    // The texts of lblDataInizio and lblDataFine once the checks have run (a
    // date that was composed stays even when it was then refused).
    QString startDate;
    QString endDate;
    // The name of the year's movement file in the program's folder.
    QString fileName;
};

Outcome check(const Input &input);

// The message shown when the prima nota cannot be opened at all.
QString notAccessible();

} // namespace PeriodChoice
