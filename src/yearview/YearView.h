#pragma once

#include "DatedYear.h"

#include "statement/CashStatement.h"
#include "statement/Classification.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// The year at a glance ("Andamento"): month by month income and expense beside
// the year before, the cash plus bank balance day by day from the opening
// balances, the largest items of the statement on each side and the members in
// force, expiring and expired month by month. Everything is computed from the
// same reading of the year files as the cash statement, so the figures agree
// with it. Amounts are in cents.
class YearView
{
public:
    struct Item
    {
        QString code;
        QString name;
        qint64 cents = 0;
    };
    // The members as they stand in one month, by their expiry dates: expired
    // before the month began, expiring within it, in force past its last day.
    struct Members
    {
        int inForce = 0;
        int expiring = 0;
        int expired = 0;
    };
    struct MemberCount
    {
        std::array<Members, 12> months{};
        qint64 unreadable = 0; // members whose expiry date cannot be read
        QString error;         // the archive could not be read to its end
    };

    // The year files, each read at most once while a screen is open.
    class Files
    {
    public:
        explicit Files(QString folder) : m_folder(std::move(folder)) {}
        const DatedYear &get(int year);
        CashStatement::Source source()
        {
            return [this](int year) { return &get(year).movements; };
        }

    private:
        QString m_folder;
        QMap<int, DatedYear> m_years;
    };

    // How many items of each side the bars show.
    static constexpr int kTopItems = 8;

    static YearView compute(int year, const Classification &classification, Files &files,
                            const MemberCount &members);
    // The members of the archive at `path` (which is never created) counted for each month of `year`.
    static MemberCount countMembers(const QString &path, int year);

    int year() const { return m_year; }
    const CashStatement &statement() const { return m_statement; }
    // Settled income and expense of each month, classified or not.
    const std::array<qint64, 12> &income() const { return m_income; }
    const std::array<qint64, 12> &expense() const { return m_expense; }
    const std::array<qint64, 12> &previousIncome() const { return m_previousIncome; }
    const std::array<qint64, 12> &previousExpense() const { return m_previousExpense; }
    // Cash plus bank at the end of each day of the year; opening() before the first.
    const QList<qint64> &balance() const { return m_balance; }
    qint64 opening() const { return m_opening; }
    const QList<Item> &topIncome() const { return m_topIncome; }
    const QList<Item> &topExpense() const { return m_topExpense; }
    const MemberCount &members() const { return m_members; }
    // True when the year has no settled movement at all.
    bool empty() const { return m_empty; }
    // What the user must know: the statement's own warnings, then the members'.
    QStringList warnings() const { return m_warnings; }

    static QString monthName(int month); // 1..12, "Gennaio"
    static QString monthShort(int month); // "Gen"

private:
    int m_year = 0;
    CashStatement m_statement;
    std::array<qint64, 12> m_income{};
    std::array<qint64, 12> m_expense{};
    std::array<qint64, 12> m_previousIncome{};
    std::array<qint64, 12> m_previousExpense{};
    QList<qint64> m_balance;
    qint64 m_opening = 0;
    QList<Item> m_topIncome;
    QList<Item> m_topExpense;
    MemberCount m_members;
    bool m_empty = true;
    QStringList m_warnings;
};
