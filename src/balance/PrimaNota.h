#pragma once

#include "common/ListRows.h"

#include <QString>
#include <QStringList>

// The prima nota of a year: the movements of an interval, optionally only those
// whose reason contains a text, as list rows in file order, with the income,
// the expense and their sum as the balance.
namespace PrimaNota {

// What the period chooser hands over.
struct Request
{
    QString filter;    // the reason as typed, not trimmed
    QString startDate; // dd/mm/yyyy, first day listed
    QString endDate;   // dd/mm/yyyy, last day listed
    QString path;      // the year's movement file
};

// Why a listing stopped before the end of the file.
enum class Stop {
    None,      // every movement was read
    NotOpened, // the year's file could be neither opened nor created
    ReadError, // the file could not be read to its end
    BadDate,   // a movement's operation date is not a date
    BadAmount, // a listed movement's amount is not a number
    TooLarge,  // every movement was read, but a total is too large to be written
};

struct Result
{
    RowTable rows;
    // The heading beside "Causale :": the trimmed filter, or "- - -".
    QString heading;
    // The texts of the three totals and of the interval line. When the listing
    // stopped early the totals say they were not calculated and the interval is
    // empty (the screen keeps its placeholder).
    QString income;
    QString expense;
    QString balance;
    QString interval;

    Stop stop = Stop::None;
    qint64 stopPosition = 0; // 1-based position of the movement that stopped it
    QString stopValue;       // the text that could not be read
    QString error;           // the system's reason, for a file that failed

    bool complete() const { return stop == Stop::None; }
};

// Reads the year's file from the first movement to the last (an absent file is
// created empty) and lists the movements as the request asks. The totals are
// sums in double precision written in the general number format, rounded to
// the most decimals any listed amount has, so that the drift of many additions
// never shows. An amount is read strictly (TextRules::parseAmount); a total of
// sixteen digits or more is not calculated, and one the general format would
// write with an exponent is written out in full. The reason filter is active
// when the trimmed filter is not empty; a reason then must contain the filter
// as typed, the letters A-Z compared without regard to case. Both dates of the
// interval are listed.
Result list(const Request &request);

// One list row: kind, reason, date, payer, beneficiary and signed amount in
// fixed-width columns. A Totale without a sign leaves the kind column blank.
QString row(const QString &causale, const QString &data, const QString &pagatore, const QString &beneficiario,
            const QString &totale);

// The two-decimal form of a total written in the general number format:
// ",00" or a trailing "0" added where needed, nothing rounded.
QString twoDecimalForm(const QString &text);

// The interval line: "Dal   <start>   al   <end>".
QString interval(const QString &startDate, const QString &endDate);

// What a total shows when the listing stopped before the end.
QString notCalculated();

// The warning that tells the user a listing stopped early and why; empty for
// a complete one. fileName names the year's file ("2014.eur").
QString stopWarning(const Result &result, const QString &fileName);

} // namespace PrimaNota
