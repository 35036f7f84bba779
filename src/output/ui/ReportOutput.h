#pragma once

#include "output/ListReport.h"

#include <QStringList>

class QWidget;
class ReportTemplate;

// How the screens send a template to paper or to the preview.
namespace ReportOutput {

// The print dialog on the template's prepared pages; true when they were printed.
bool Print(QWidget *parent, const ReportTemplate &report);
// Prepares the template afresh and opens the preview window on it; true when
// the user printed from it.
bool ShowReport(QWidget *parent, ReportTemplate &report);

// Prints the rows under the title through the list template and the print dialog.
void printList(QWidget *parent, const QString &title, const QStringList &rows,
               const QString &documentTitle = ListReport::kListTitle,
               QPageLayout::Orientation orientation = QPageLayout::Landscape);

} // namespace ReportOutput
