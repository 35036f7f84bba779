#pragma once

#include <QList>
#include <QString>

// The items of the yearly cash statement, in the order the form lists them.
// Each has a short code made of its section, the side (U for expense, E for
// income) and its number: "A.E1" is the first income item of section A,
// "I.U1" the taxes, "F.U1" the first investment.
namespace StatementItems {

enum class Side { Income, Expense };

struct Item
{
    QString code;
    QString name;
    Side side;
    QChar section; // 'A'..'F', 'I' for the taxes
};

// Every item, in the form's order.
const QList<Item> &all();
// The items of one side, in the form's order.
QList<Item> ofSide(Side side);
// The item of that code, or nullptr.
const Item *find(const QString &code);
// "A.E4 - Erogazioni liberali", as the drop-downs show it.
QString label(const Item &item);

} // namespace StatementItems
