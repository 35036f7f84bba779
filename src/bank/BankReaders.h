#pragma once

#include "BankStatement.h"
#include "SheetGrid.h"

#include <QByteArray>
#include <QString>

// The readers of the files banks give, bytes in. Tables (CSV, XLSX, XLS) give a
// grid whose columns are named by ColumnMapping; the fixed-width CBI records
// and the camt.053 XML statement give the rows themselves.
namespace BankReaders {

// Text with ';', ',' or tab between fields (found from the file), fields in
// double quotes with doubled quotes and line breaks inside.
SheetGrid readCsv(const QByteArray &bytes);
// The first sheet of an Office Open XML workbook.
SheetGrid readXlsx(const QByteArray &bytes);
// The first sheet of a legacy Excel workbook, from a file on disk.
SheetGrid readXls(const QString &path);

// CBI "rendicontazione movimenti" (RH) records.
BankStatement readCbi(const QByteArray &bytes);
// ISO 20022 camt.053 bank-to-customer statement.
BankStatement readCamt(const QByteArray &bytes);

} // namespace BankReaders
