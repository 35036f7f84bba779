#pragma once

#include "CashStatement.h"
#include "common/EnteData.h"

#include "output/PreparedReport.h"
#include "output/ReportTemplate.h"

#include <QDate>

#include <memory>

// The printed statement: A4 portrait, the association's data and the title
// at the top, the lines of the form with the year and the year before, the
// check and the warnings, a place for the date and the signatures of the
// president and the treasurer, and "Pagina n di m" at the foot of each page.
namespace StatementReport {

std::unique_ptr<ReportTemplate> create(const CashStatement &statement, const EnteData &ente);

// The pages ready for the preview, the print dialog or a PDF.
PreparedReport prepare(const CashStatement &statement, const EnteData &ente);

} // namespace StatementReport
