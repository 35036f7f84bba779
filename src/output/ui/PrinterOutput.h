#pragma once

#include "output/PreparedReport.h"

class QWidget;

// Where prepared reports go: the print dialog and the preview window. The real
// one talks to the printing system; tests install a recording double.
class PrinterOutput
{
public:
    virtual ~PrinterOutput() = default;
    // The print dialog with the default printer preselected; on confirmation the
    // pages go to the printer in a job named after the document title. True
    // when they went.
    virtual bool print(QWidget *parent, const PreparedReport &report) = 0;
    // The preview window, modal, at 100 %, from which the user may print. True
    // when the pages went to a printer from it.
    virtual bool preview(QWidget *parent, const PreparedReport &report) = 0;

    static PrinterOutput &current();
    // Replaces the output; nullptr restores the real one. The caller keeps ownership.
    static void install(PrinterOutput *output);
};
