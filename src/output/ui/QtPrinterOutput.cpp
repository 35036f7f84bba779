#include "QtPrinterOutput.h"

#include "ReportPreview.h"

#include "common/ui/UiPlatform.h"
#include "output/ReportRenderer.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

const QString QtPrinterOutput::kNoPrinter = QStringLiteral(
    "Attenzione: nessuna stampante disponibile. Installare una stampante nel sistema e ripetere l'operazione.");
const QString QtPrinterOutput::kPrinterFailed = QStringLiteral(
    "Attenzione: impossibile stampare sulla stampante scelta. Verificare che sia accesa e collegata e ripetere l'operazione.");

bool QtPrinterOutput::canPrint()
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        return true;
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return false; // the system's own dialog has nothing to offer without a printer
#else
    return true; // Qt's dialog always offers printing to a PDF file
#endif
}

void QtPrinterOutput::configure(QPrinter &printer, const PreparedReport &report)
{
    printer.setDocName(report.documentTitle);
    printer.setPageLayout(ReportRenderer::pageLayout(report));
    // The report keeps its own margins: drawing starts at the paper's corner.
    printer.setFullPage(true);
    printer.setFromTo(0, 0);
}

bool QtPrinterOutput::printTo(QPrinter &printer, const PreparedReport &report)
{
    int first = 1, last = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage();
        last = printer.toPage();
    }
    // Drivers that cannot make copies get the pages again.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    PreparedReport job = report;
    job.pages.clear();
    const int count = int(report.pages.size());
    const int to = (last <= 0 || last > count) ? count : last;
    for (int c = 0; c < copies; ++c)
        for (int i = std::max(first, 1); i <= to; ++i)
            job.pages.append(report.pages[i - 1]);
    return ReportRenderer::paint(printer, job);
}

bool QtPrinterOutput::print(QWidget *parent, const PreparedReport &report)
{
    if (!canPrint()) {
        UiPlatform::warning(parent, kNoPrinter);
        return false;
    }
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    QPrinter printer(QPrinter::HighResolution);
    if (!defaultPrinter.isNull())
        printer.setPrinterName(defaultPrinter.printerName());
    configure(printer, report);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Stampa - ") + report.documentTitle);
    dialog.setMinMax(1, std::max(1, int(report.pages.size())));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return false; // cancelled: nothing printed, nothing said
    if (printTo(printer, report))
        return true;
    UiPlatform::error(parent, kPrinterFailed);
    return false;
}

bool QtPrinterOutput::preview(QWidget *parent, const PreparedReport &report)
{
    ReportPreview window(report, parent);
    UiPlatform::modal().run(&window);
    return window.printed();
}
