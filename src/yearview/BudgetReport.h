#pragma once

#include "Budget.h"

#include "output/ExportDescription.h"
#include "output/PreparedReport.h"
#include "common/EnteData.h"

#include <QDate>

// The budget and its comparison with the actual figures on paper (A4, the
// association's heading, the lines of the statement's form, "Pagina n di m")
// and, for the comparison, as a worksheet.
namespace BudgetReport {

QString budgetTitle(int year);
QString comparisonTitle(int year);
// "PreventivoConsuntivo2025.xls"
QString comparisonFileName(int year);

PreparedReport budget(int year, const QList<BudgetComparison::Line> &lines, const EnteData &ente);
// `asOf`: the day the actual figures are taken on.
PreparedReport comparison(int year, const QList<BudgetComparison::Line> &lines, const EnteData &ente,
                          const QDate &asOf);
// The comparison as the rows of a worksheet (amounts as numbers, the over-budget lines marked).
ExportDescription comparisonSheet(int year, const QList<BudgetComparison::Line> &lines);

} // namespace BudgetReport
