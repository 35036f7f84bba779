#pragma once

#include "BankFile.h"
#include "BankImport.h"
#include "ImportWrite.h"
#include "Reconciliation.h"

#include <QString>

// One import of a bank statement into a year's register, from the file chosen
// to the write: the file read, its columns, the rows and their proposals. What
// the import screen shows and changes; nothing is written before record().
class ImportSession
{
public:
    // folder: the program's folder (trailing separator); yearPath: the year's file.
    ImportSession(QString folder, int year, QString yearPath);

    // Reads the file. A table takes the columns kept for its bank, else those its
    // header names; false when the file is no statement (error()).
    bool open(const QString &path);
    QString error() const { return m_error; }
    const BankFile &file() const { return m_file; }
    bool isTable() const { return m_file.kind == BankFile::Kind::Table; }
    const ColumnMapping &mapping() const { return m_mapping; }

    // New columns for the table; kept for the bank when `keep`. The header row,
    // when not known, is the row before the first whose date column holds a date.
    bool setMapping(ColumnMapping mapping, bool keep);

    const BankStatement &statement() const { return m_statement; }
    const QList<Proposal> &proposals() const { return m_proposals; }
    // What the user changes: the action of a row, the reason of a new movement.
    void setAction(qsizetype row, Proposal::Action action);
    void setCausale(qsizetype row, const QString &causale);

    // Counts of the proposals by action and of the rows imported before.
    struct Counts
    {
        int settle = 0, create = 0, skip = 0, imported = 0;
    };
    Counts counts() const;

    // Writes the accepted proposals (refused when the file had lines it could not read).
    ImportWrite::Outcome record();

    Reconciliation reconcile(const QDate &date, qint64 statementCents) const;
    const ImportSetting &setting() const { return m_setting; }

private:
    void proposeAgain();

    QString m_folder;
    QString m_yearPath;
    ImportSetting m_setting;
    BankFile m_file;
    ColumnMapping m_mapping;
    BankStatement m_statement;
    QList<Proposal> m_proposals;
    LearnedRules m_rules;
    QString m_error;
};
