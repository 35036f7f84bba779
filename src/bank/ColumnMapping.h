#pragma once

#include "BankStatement.h"
#include "SheetGrid.h"

#include <QList>
#include <QString>

#include <optional>

// What each column of a movement table holds, found from the words of its
// header row ("Data contabile", "Avere", "Importo"...) or chosen by the user.
struct ColumnMapping
{
    enum class Role { None, Booking, Value, Description, Extended, Debit, Credit, Amount, Counterparty, Reference, Currency };
    static constexpr int kRoleCount = 11;

    int headerRow = -1; // index in the grid's rows of the header; the table follows it
    QList<Role> columns;

    static QString roleName(Role role);
    // The role a header word names, None for a word of no known column.
    static Role roleOfHeader(const QString &header);

    qsizetype columnOf(Role role) const { return columns.indexOf(role); }
    // A table can be read with a date column and either one amount or Dare and Avere.
    bool usable() const;
    // What is missing for usable(), as a sentence for the user.
    QString missing() const;

    // The header row and its columns: the first of the first 60 rows whose words
    // name a usable table. Nothing when no row does.
    static std::optional<ColumnMapping> detect(const SheetGrid &grid);
    // The words of a header row in a form that identifies the bank's layout.
    static QString signature(const GridRow &header);

    bool operator==(const ColumnMapping &) const = default;
};

// The rows of the table under the mapping's header: blank lines, totals and
// balance lines are left out; a line with a date or an amount that cannot be
// read is refused with the reason; a balance line ("Saldo finale") gives the
// closing balance.
BankStatement readTable(const SheetGrid &grid, const ColumnMapping &mapping);

// The layouts the user chose, one per bank (per header row), kept in their own
// settings file in the program's folder, so a second import asks nothing.
namespace BankLayouts {
QString fileName();
// The mapping kept for this header row, with headerRow set to headerIndex.
std::optional<ColumnMapping> find(const QString &folder, const GridRow &header, int headerIndex);
bool keep(const QString &folder, const GridRow &header, const ColumnMapping &mapping, QString *error);
} // namespace BankLayouts
