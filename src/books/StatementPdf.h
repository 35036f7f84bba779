#pragma once

#include "output/PreparedReport.h"
#include "statement/CashStatement.h"
#include "common/EnteData.h"

#include <QDate>
#include <QString>

// The yearly statement as the PDF the national register of the Third Sector
// takes: PDF/A-1b, every font embedded, the association's data, the place and
// the date filled in above the signatures' places.
namespace StatementPdf {

// "Rendiconto_<year>_<tax code>.pdf"; without a tax code, "Rendiconto_<year>.pdf".
// Only letters and digits of the tax code go into the name.
QString fileName(int year, const QString &taxCode);

// The town of the association's address: the last part after a comma, without
// the postcode and the province ("Via Roma 1, 20100 Milano (MI)" gives "Milano").
QString place(const QString &address);

// The statement's pages with "Luogo e data" filled in.
PreparedReport pages(const CashStatement &statement, const EnteData &ente, const QDate &date);

// Writes the PDF through the checked save; false with the reason in *error.
bool save(const QString &path, const CashStatement &statement, const EnteData &ente, const QDate &date,
          QString *error = nullptr);

} // namespace StatementPdf
