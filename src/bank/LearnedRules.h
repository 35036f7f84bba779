#pragma once

#include "BankStatement.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the user chose for bank rows before: the words of a row's description
// with the reason (Causale) and payer it was registered under. A new row whose
// description holds the same words gets the same proposal. Kept in a settings
// file of its own in the program's folder.
class LearnedRules
{
public:
    struct Rule
    {
        bool income = true;
        QStringList words; // folded, sorted, without figures
        QString causale;
        QString person; // payer of an income, beneficiary of an expense
        bool operator==(const Rule &) const = default;
    };

    static QString fileName() { return QStringLiteral("BancaRegole.ini"); }
    // The rules kept in folder (with its trailing separator); none when the file is absent or unreadable.
    static LearnedRules load(const QString &folder);
    bool save(const QString &folder, QString *error) const;

    // The words of a bank row that tell what it is.
    static QStringList wordsOf(const BankRow &row);
    // The rule whose words the row's description holds best: at least two of
    // them, and at least two thirds of the rule's words.
    std::optional<Rule> match(const BankRow &row) const;
    // Remembers a choice; a rule with the same words and side is replaced.
    void learn(const BankRow &row, const QString &causale, const QString &person);

    const QList<Rule> &rules() const { return m_rules; }

private:
    QList<Rule> m_rules;
};
