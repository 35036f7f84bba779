#include "ReportOutput.h"

#include "PrinterOutput.h"

namespace ReportOutput {

bool Print(QWidget *parent, const ReportTemplate &report)
{
    return PrinterOutput::current().print(parent, report.prepared());
}

bool ShowReport(QWidget *parent, ReportTemplate &report)
{
    return PrinterOutput::current().preview(parent, report.PrepareReport(true));
}

void printList(QWidget *parent, const QString &title, const QStringList &rows, const QString &documentTitle,
               QPageLayout::Orientation orientation)
{
    auto report = ListReport::create(documentTitle, orientation);
    ListReport::fill(*report, title, rows);
    report->PrepareReport(true);
    Print(parent, *report);
}

} // namespace ReportOutput
