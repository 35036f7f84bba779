#pragma once

#include <QList>
#include <QString>

// What the yearly statement needs from one year's movement file, read once:
// the settled movements dated in the year, grouped by kind, reason and payment
// method, and everything that was left out, counted so that no total is
// silently short. Amounts are in cents.
struct YearMovements
{
    struct Group
    {
        bool income = false;
        QString causale;   // trimmed, as stored
        QString pagamento; // trimmed, as stored
        qint64 count = 0;
        qint64 cents = 0;  // positive for both kinds
    };
    // A movement whose date, amount or sign cannot be read.
    struct Unreadable
    {
        qint64 position = 0; // 1-based
        QString what;        // "data", "importo" or "segno"
        QString value;       // the text as stored
    };

    int year = 0;
    bool exists = false;  // the year's file is there
    QString error;        // the file exists but could not be read to its end
    qint64 records = 0;

    QList<Group> groups;
    qint64 unsettledCount = 0;
    qint64 unsettledIncome = 0;
    qint64 unsettledExpense = 0;
    qint64 otherYearCount = 0; // dated outside the file's year
    QList<Unreadable> unreadable;

    bool readable() const { return exists && error.isEmpty(); }

    // Reads the file at `path` (never creating or changing it) as the file of `year`.
    static YearMovements read(const QString &path, int year);

    // The largest amount of a single movement the statement accepts, in euro:
    // beyond it the stored text is taken for damage, and sums stay exact.
    static constexpr double kMaxAmount = 1e10;
};
