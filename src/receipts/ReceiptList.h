#pragma once

#include "ReceiptBook.h"
#include "common/ListRows.h"

// The list of a year's receipts: one row per receipt in number order, with its
// number, the operation date, the payer and the amount, in fixed columns.
namespace ReceiptList {

inline constexpr int kNumberWidth = 11, kDateWidth = 10, kPayerWidth = 40, kAmountWidth = 15;

QString row(const ReceiptBook::Entry &entry);

// The rows of the year file's receipts, each with its movement's position.
ListScan scan(const QString &yearFile);

// The title of the printed list.
QString printTitle(const QString &yearFile);

} // namespace ReceiptList
