#include "PrinterOutput.h"

#include "QtPrinterOutput.h"

namespace {
PrinterOutput *g_installed = nullptr;
}

PrinterOutput &PrinterOutput::current()
{
    static QtPrinterOutput real;
    return g_installed ? *g_installed : real;
}

void PrinterOutput::install(PrinterOutput *output) { g_installed = output; }
