#pragma once

#include "PrinterOutput.h"

class QPrinter;

// Printing through Qt's print dialog and the program's own preview window.
class QtPrinterOutput : public PrinterOutput
{
public:
    bool print(QWidget *parent, const PreparedReport &report) override;
    bool preview(QWidget *parent, const PreparedReport &report) override;

    // Prepares a printer for the report: job name, A4 in the report's
    // orientation, drawing from the paper's corner.
    static void configure(QPrinter &printer, const PreparedReport &report);
    // Sends the pages the printer's range selects, as many copies as asked when
    // the driver does not make them itself. False when the printer cannot be used.
    static bool printTo(QPrinter &printer, const PreparedReport &report);
    // True when the print dialog has somewhere to send the pages: an installed
    // printer, or the PDF file that Qt's own dialog offers.
    static bool canPrint();

    static const QString kNoPrinter;
    static const QString kPrinterFailed;
};
