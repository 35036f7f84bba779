#pragma once

#include "BankStatement.h"

#include <QList>
#include <QSet>
#include <QString>

// The bank rows imported before, one key per line in a file of its own in the
// program's folder: the bank's reference when the row has one, otherwise its
// date, amount and description, with the count of identical rows before it in
// the same file (two identical payments of one day are two payments).
class ImportLedger
{
public:
    static QString fileName() { return QStringLiteral("EstrattiImportati.txt"); }
    // Nothing, and the reason, when the file exists but cannot be read.
    static std::optional<ImportLedger> load(const QString &folder, QString *error);
    bool save(const QString &folder, QString *error) const;

    // The key of each row of one statement, in order.
    static QStringList keysOf(const QList<BankRow> &rows);
    // The key a row would have without the count of identical rows.
    static QString baseKey(const BankRow &row);

    bool contains(const QString &key) const { return m_keys.contains(key); }
    void add(const QString &key);

private:
    QSet<QString> m_keys;
    QStringList m_order;
};
