#pragma once

#include "statement/CashStatement.h"

#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// The budget (bilancio preventivo) the assembly approves: an amount for each
// item of the statement's form, for any year, kept in Preventivo.ini beside the
// year files. One section per year, "[2025]", with a line per item given:
// "A.E1=3200,00". Amounts are in cents.
class Budget
{
public:
    static QString fileName() { return QStringLiteral("Preventivo.ini"); }

    struct Loaded;
    // The budgets kept in `folder` (with its trailing separator); empty when the
    // file is absent. A file holding anything but years, item codes and amounts
    // is damaged: nothing of it is taken.
    static Loaded load(const QString &folder);
    bool save(const QString &folder, QString *error = nullptr) const;

    // The amount budgeted for an item, nothing when none was given.
    std::optional<qint64> amount(int year, const QString &code) const;
    void setAmount(int year, const QString &code, std::optional<qint64> cents);
    // Every item given for a year.
    QMap<QString, qint64> year(int year) const { return m_years.value(year); }
    void setYear(int year, const QMap<QString, qint64> &items);

    // A first budget for a year: the actual figures of the year before, item by
    // item, as the statement gives them (items with nothing are left out).
    static QMap<QString, qint64> proposal(const CashStatement::Year &yearBefore);

    bool operator==(const Budget &o) const { return m_years == o.m_years; }

private:
    QMap<int, QMap<QString, qint64>> m_years;
};

struct Budget::Loaded
{
    std::optional<Budget> budget; // nothing when the file is damaged or cannot be read
    QString problem;              // what is wrong with it, in a few words
};

// The budget of a year beside its actual figures, line by line in the form's
// order: the items with their section totals.
namespace BudgetComparison {

struct Line
{
    enum class Kind { Heading, Item, Total };
    Kind kind = Kind::Item;
    QString code;
    QString text;
    std::optional<qint64> budget;
    qint64 actual = 0;
    bool income = false; // a line of income, where running over the budget is good news
    qint64 difference() const { return actual - budget.value_or(0); }
    // Actual as a share of the budget, in percent; nothing without a budget.
    std::optional<double> percent() const;
    // The actual figure runs past what was budgeted.
    bool over() const { return kind != Kind::Heading && budget && actual > *budget; }
};

// `actual` is the statement of the year (its current column); a total has a
// budget when one of its items has.
QList<Line> lines(const CashStatement &actual, const QMap<QString, qint64> &budget);
// "95,3 %"; empty without a budget.
QString percentText(const Line &line);

} // namespace BudgetComparison
