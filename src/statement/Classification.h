#pragma once

#include "StatementItems.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// How the movements of the yearly statement are classified, kept in
// Rendiconto.ini beside the year files (which are never touched):
//   [Entrate] and [Uscite]: a reason (Causale) -> the code of a form item;
//   [Pagamenti]: a payment method (Pagamento) -> Cassa or Banca;
//   [Saldi]: "<year>.Cassa" and "<year>.Banca" -> the opening balances.
// Reasons and payment methods are trimmed and matched with the letters A-Z
// compared without regard to case, as the prima nota's filter compares them;
// an empty payment method is a key of its own.
class Classification
{
public:
    enum class Account { None, Cassa, Banca };
    // Opening balances in cents.
    struct Opening
    {
        qint64 cassa = 0;
        qint64 banca = 0;
        bool operator==(const Opening &) const = default;
    };

    static QString fileName() { return QStringLiteral("Rendiconto.ini"); }
    // The form in which reasons and payment methods are matched.
    static QString fold(const QString &text);

    // The classification kept in `folder` (with its trailing separator); empty
    // when the file is absent, nothing (and the reason) when it cannot be read.
    static std::optional<Classification> load(const QString &folder, QString *error = nullptr);
    bool save(const QString &folder, QString *error = nullptr) const;

    // The item code of a reason on one side ("A.E4"), empty when unclassified.
    QString itemOf(StatementItems::Side side, const QString &causale) const;
    QString incomeItemOf(const QString &causale) const { return itemOf(StatementItems::Side::Income, causale); }
    QString expenseItemOf(const QString &causale) const { return itemOf(StatementItems::Side::Expense, causale); }
    // An empty code, or one that is not an item of that side, removes the line.
    void setItem(StatementItems::Side side, const QString &causale, const QString &code);

    Account accountOf(const QString &pagamento) const;
    void setAccount(const QString &pagamento, Account account);

    std::optional<Opening> opening(int year) const;
    void setOpening(int year, std::optional<Opening> opening);

    // Lines of the file that were passed over: an unknown item code, an item
    // of the wrong side, an account other than Cassa or Banca, a balance that
    // is not an amount. The screen shows them.
    QStringList problems() const { return m_problems; }
    // The first few of them, one a line, and how many more there are.
    QString problemSummary() const;

    // An opening balance as the user typed it: nothing inside for an empty
    // text, nothing at all for a text that is not an amount.
    static std::optional<std::optional<qint64>> typedBalance(const QString &text);

    bool operator==(const Classification &o) const
    {
        return m_income == o.m_income && m_expense == o.m_expense && m_payments == o.m_payments &&
               m_openings == o.m_openings;
    }

private:
    // Folded key -> the text as first written and its value.
    struct Named
    {
        QString text;
        QString value;
        bool operator==(const Named &) const = default;
    };
    QMap<QString, Named> m_income;
    QMap<QString, Named> m_expense;
    QMap<QString, Named> m_payments;
    QMap<int, Opening> m_openings;
    QStringList m_problems;
};
