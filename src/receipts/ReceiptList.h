#pragma once

#include "ReceiptBook.h"
#include "common/ListRows.h"

// The list of a year's receipts: one row per receipt in number order, with its
// number, the operation date, the payer and the amount, in fixed columns.
namespace ReceiptList {

// A longer number is written whole and pushes the row on.
inline constexpr int kNumberWidth = 15, kDateWidth = 10, kPayerWidth = 40, kAmountWidth = 15;

QString row(const ReceiptBook::Entry &entry);

// The rows of the year file's receipts, each with its movement's position.
ListScan scan(const QString &yearFile);

// The title of the printed list: the year and the association's name. The rows
// fit a portrait page.
QString printTitle(const QString &yearFile, const QString &association);

} // namespace ReceiptList
