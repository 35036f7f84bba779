#pragma once

#include "Classification.h"
#include "YearMovements.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The yearly cash statement of the association: every section, item and
// summary line of the form in the form's order, for the year and the year
// before, from the settled movements of the year files and the classification.
// Amounts are in cents.
class CashStatement
{
public:
    struct Line
    {
        enum class Kind { Heading, Item, Total, Result, Balance };
        Kind kind;
        QString id;   // the item code ("A.E1"), or the summary line's own name ("A.R", "R")
        QString text; // as the form words it
        qint64 current = 0;
        qint64 previous = 0;
    };

    // One year's figures.
    struct Year
    {
        int year = 0;
        bool exists = false;
        QMap<QString, qint64> items;
        qint64 income = 0;  // every settled income, classified or not
        qint64 expense = 0;
        qint64 cassaFlow = 0;
        qint64 bancaFlow = 0;
        qint64 otherFlow = 0; // movements neither cash nor bank
        std::optional<Classification::Opening> opening;
        bool openingCarried = false;
        bool closingFromNext = false; // the closing balances are the next year's typed opening ones
        qint64 closingCassa = 0;
        qint64 closingBanca = 0;
        qint64 unclassifiedIncome = 0;
        qint64 unclassifiedExpense = 0;
        QStringList unclassifiedReasons; // "Entrata: <reason>"
        QStringList unknownPayments;
        qint64 value(const QString &code) const { return items.value(code); }
    };

    // The movements of a year as read from its file; nullptr for a year whose
    // file cannot be looked at (never for an absent file, which reads empty).
    using Source = std::function<const YearMovements *(int year)>;

    static CashStatement compute(int year, const Classification &classification, const Source &source);

    int year() const { return m_year; }
    const QList<Line> &lines() const { return m_lines; }
    const Line *line(const QString &id) const;
    const Year &current() const { return m_current; }
    const Year &previous() const { return m_previous; }
    // The closing balances of the year before as its movements give them, when known.
    std::optional<Classification::Opening> lastClosing() const { return m_lastClosing; }

    // True when every settled movement of the two years was read, dated in its
    // file's year and classified with its item and account, and the opening
    // balances are known: a finished statement.
    bool complete() const { return m_complete; }
    // What the user must know, one sentence each: what is missing or left
    // out, the balance check, the size limits.
    QStringList warnings() const { return m_warnings; }
    // Where the opening balances come from, when the user did not type them or
    // they differ from last year's closing ones; empty otherwise.
    QString openingNote() const;
    // "Saldi iniziali ... + avanzo/disavanzo complessivo ... = cassa ... + banca ...", and whether it holds.
    QString checkText() const { return m_checkText; }
    bool checkHolds() const { return m_checkHolds; }

    // "3.144,50 €", "-96,00 €", "0,00 €".
    static QString euro(qint64 cents);
    // "3.144,50"
    static QString amount(qint64 cents);

    // Income above this may not be reported in a cash statement; at or below
    // the second the aggregate form is allowed too.
    static constexpr qint64 kCashLimit = 300'000'00;
    static constexpr qint64 kAggregateLimit = 60'000'00;

    // A first suggestion of an item for a reason, from words it holds
    // ("quota" -> A.E1); empty when none applies.
    static QString suggestion(StatementItems::Side side, const QString &causale);
    // A first suggestion of an account for a payment method ("contanti" -> Cassa).
    static Classification::Account suggestedAccount(const QString &pagamento);

private:
    int m_year = 0;
    QList<Line> m_lines;
    Year m_current;
    Year m_previous;
    std::optional<Classification::Opening> m_lastClosing;
    bool m_complete = false;
    QStringList m_warnings;
    QString m_checkText;
    bool m_checkHolds = false;
};
