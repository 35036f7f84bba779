#pragma once

#include "output/ui/PrinterOutput.h"

#include <QList>

#include <functional>

// One report the program sent to the print dialog or the preview window.
struct PrintJob
{
    bool preview = false;
    QString documentTitle; // the name the print job gets
    PreparedReport report;
};

// Records every print and preview instead of opening the dialog or the window.
class RecordingPrinter : public PrinterOutput
{
public:
    bool print(QWidget *, const PreparedReport &report) override
    {
        jobs.append({false, report.documentTitle, report});
        if (onJob)
            onJob(jobs.last());
        return true;
    }
    // With previewPrints the user presses the preview's print button too.
    bool preview(QWidget *parent, const PreparedReport &report) override
    {
        jobs.append({true, report.documentTitle, report});
        if (onJob)
            onJob(jobs.last());
        return previewPrints && print(parent, report);
    }

    QList<PrintJob> jobs;
    bool previewPrints = false;
    std::function<void(const PrintJob &)> onJob;
};
