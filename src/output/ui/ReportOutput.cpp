#include "ReportOutput.h"

#include "PrinterOutput.h"

namespace ReportOutput {

void Print(QWidget *parent, const ReportTemplate &report) { PrinterOutput::current().print(parent, report.prepared()); }

void ShowReport(QWidget *parent, ReportTemplate &report)
{
    PrinterOutput::current().preview(parent, report.PrepareReport(true));
}

void printList(QWidget *parent, const QString &title, const QStringList &rows, const QString &documentTitle)
{
    auto report = ListReport::create(documentTitle);
    ListReport::fill(*report, title, rows);
    report->PrepareReport(true);
    Print(parent, *report);
}

} // namespace ReportOutput
