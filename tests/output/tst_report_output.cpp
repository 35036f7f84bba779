// Output of prepared reports: the list printing entry point, the printer set-up,
// PDF rendering and the preview window.
#include "support/Poppler.h"
#include "support/TestPlatform.h"

#include "output/ListReport.h"
#include "output/ReportRenderer.h"
#include "output/ui/QtPrinterOutput.h"
#include "output/ui/ReportOutput.h"
#include "output/ui/ReportPreview.h"

#include <QApplication>
#include <QComboBox>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTimer>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList rows(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out.append(QStringLiteral("SOCIO %1   BIANCHI [ONORARIO]   scade 31/12/2024").arg(i, 3, 10, QLatin1Char('0')));
    return out;
}

} // namespace

class TestReportOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printListSendsTheListTemplate_data();
    void printListSendsTheListTemplate();
    void printerIsSetUpForTheJob();
    void renderedPdfCarriesTheListText();
    void previewWindowCommands();
    void longPreviewDrawsThePagesOnScreen();
    void cancelledPrintDialogPrintsNothing();
};

void TestReportOutput::printListSendsTheListTemplate_data()
{
    QTest::addColumn<QString>("documentTitle");
    QTest::addColumn<int>("lines");
    QTest::newRow("search list") << ListReport::kListTitle << 3;
    QTest::newRow("prima nota") << ListReport::kPrimaNotaTitle << 150;
}

void TestReportOutput::printListSendsTheListTemplate()
{
    QFETCH(QString, documentTitle);
    QFETCH(int, lines);
    TestPlatform platform;
    ReportOutput::printList(nullptr, QStringLiteral("ELENCO"), rows(lines), documentTitle);
    QCOMPARE(platform.printer.jobs.size(), 1);
    const PrintJob &job = platform.printer.jobs.first();
    QVERIFY(!job.preview);
    QCOMPARE(job.documentTitle, documentTitle);
    QCOMPARE(job.report.orientation, QPageLayout::Landscape);
    QStringList all;
    for (const PreparedPage &page : job.report.pages)
        all += page.texts();
    QCOMPARE(all.first(), QStringLiteral("ELENCO"));
    QCOMPARE(all.mid(1, lines), rows(lines));
    QCOMPARE(all.last(), QStringLiteral("Stampa eseguita in data 15/03/2024"));
    QVERIFY(platform.messages.shown.isEmpty());
}

void TestReportOutput::printerIsSetUpForTheJob()
{
    TestPlatform platform;
    auto report = ListReport::create(ListReport::kPrimaNotaTitle);
    ListReport::fill(*report, QStringLiteral("PRIMANOTA E BILANCIO - Causale :  - - -"), rows(80));
    const PreparedReport &prepared = report->PrepareReport(true);
    QVERIFY(prepared.pages.size() >= 2);

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    QtPrinterOutput::configure(printer, prepared);
    QCOMPARE(printer.docName(), QStringLiteral("Primanota"));
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
    QVERIFY(printer.fullPage());

    // What the dialog hands back when the user asks for the second page only.
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("job.pdf")));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    QVERIFY(QtPrinterOutput::printTo(printer, prepared));

    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("pdfinfo (poppler-utils) is not installed: the printed file cannot be read back");
    const QString info = poppler(QStringLiteral("pdfinfo"), {dir.filePath(QStringLiteral("job.pdf"))});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Primanota"))), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), dir.filePath(QStringLiteral("job.pdf")), QStringLiteral("-")});
    QVERIFY(!text.contains(QStringLiteral("PRIMANOTA E BILANCIO"))); // the title is on page 1 only
    QVERIFY(text.contains(prepared.pages[1].find(QStringLiteral("txtRiepilogo"))->lines.first()));
}

void TestReportOutput::renderedPdfCarriesTheListText()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF text cannot be checked");
    TestPlatform platform;
    auto report = ListReport::create();
    ListReport::fill(*report, QStringLiteral("SOCI CON ABBONAMENTO IN SCADENZA"), rows(200));
    const PreparedReport &prepared = report->PrepareReport(true);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lista.pdf"));
    QVERIFY(ReportRenderer::writePdf(prepared, pdf));

    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QStringLiteral("Pages:           %1").arg(prepared.pages.size())), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("842 x 595 pts (A4)")), qPrintable(info)); // landscape

    const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), prepared.pages.size());
    QVERIFY(pages.first().contains(QStringLiteral("SOCI CON ABBONAMENTO IN SCADENZA")));
    QCOMPARE(text.count(QStringLiteral("SOCI CON ABBONAMENTO IN SCADENZA")), 1);
    QCOMPARE(text.count(QStringLiteral("Stampa eseguita in data 15/03/2024")), 1);
    QVERIFY(pages.last().contains(QStringLiteral("Stampa eseguita in data 15/03/2024")));
    // Every line once, brackets included, in order; the last line before the footer.
    qsizetype at = 0;
    for (const QString &line : rows(200)) {
        const qsizetype found = text.indexOf(line, at);
        QVERIFY2(found >= 0, qPrintable(line));
        at = found + line.size();
    }
    QVERIFY(text.indexOf(QStringLiteral("Stampa eseguita"), at) > 0);

    if (qEnvironmentVariableIsSet("QUINTARA_SAVE_PAGES"))
        ReportRenderer::pageImage(prepared, 0, 110).save(qEnvironmentVariable("QUINTARA_SAVE_PAGES")
                                                         + QStringLiteral("/lista_pagina1.png"));
}

void TestReportOutput::previewWindowCommands()
{
    TestPlatform platform;
    auto report = ListReport::create();
    ListReport::fill(*report, QStringLiteral("ANTEPRIMA"), rows(60));
    ReportPreview preview(report->PrepareReport(true));
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));

    auto *zoom = control<QComboBox>(&preview, "cmbZoom");
    QVERIFY(zoom);
    QCOMPARE(preview.zoomPercent(), 100);
    QCOMPARE(zoom->currentText(), QStringLiteral("100 %"));
    auto *page = control<QLabel>(&preview, "imgPagina1");
    QVERIFY(page);
    QVERIFY(control<QLabel>(&preview, "imgPagina2"));
    const int width100 = page->pixmap().width();
    // 100 % is the paper's width, 297 mm, at the screen's resolution.
    QVERIFY(qAbs(width100 - 297 / 25.4 * preview.logicalDpiX()) < 2);

    zoom->setCurrentIndex(zoom->findData(200));
    QCOMPARE(preview.zoomPercent(), 200);
    page = control<QLabel>(&preview, "imgPagina1");
    QVERIFY(qAbs(page->pixmap().width() - 2 * width100) <= 2);

    if (qEnvironmentVariableIsSet("QUINTARA_SAVE_PAGES"))
        preview.grab().save(qEnvironmentVariable("QUINTARA_SAVE_PAGES") + QStringLiteral("/anteprima.png"));
    auto *full = control<QPushButton>(&preview, "btnSchermoIntero");
    QTest::mouseClick(full, Qt::LeftButton);
    QTRY_VERIFY(preview.windowState() & Qt::WindowFullScreen);
    QTest::mouseClick(full, Qt::LeftButton);
    QTRY_VERIFY(!(preview.windowState() & Qt::WindowFullScreen));

    QTest::mouseClick(control<QPushButton>(&preview, "btnStampa"), Qt::LeftButton);
    QCOMPARE(platform.printer.jobs.size(), 1);
    QVERIFY(!platform.printer.jobs.first().preview);
    QCOMPARE(platform.printer.jobs.first().documentTitle, QStringLiteral("Riepilogo dati"));
    QCOMPARE(platform.printer.jobs.first().report.pages.size(), report->prepared().pages.size());

    QTest::mouseClick(control<QPushButton>(&preview, "btnChiudi"), Qt::LeftButton);
    QVERIFY(!preview.isVisible());
}

void TestReportOutput::longPreviewDrawsThePagesOnScreen()
{
    TestPlatform platform;
    auto report = ListReport::create();
    ListReport::fill(*report, QStringLiteral("ANTEPRIMA"), rows(1500));
    const PreparedReport prepared = report->PrepareReport(true);
    const int total = int(prepared.pages.size());
    QVERIFY2(total >= 20, qPrintable(QString::number(total)));
    ReportPreview preview(prepared);
    preview.resize(1000, 700);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCoreApplication::processEvents();

    const auto drawn = [&] {
        QList<int> out;
        for (int i = 1; i <= total; ++i) {
            auto *page = control<QLabel>(&preview, QByteArray("imgPagina") + QByteArray::number(i));
            if (!page)
                return QList<int>{-i};
            if (!page->pixmap().isNull())
                out.append(i);
        }
        return out;
    };
    // Every page has its place, the first drawn, the last not yet.
    QList<int> shown = drawn();
    QVERIFY(shown.contains(1));
    QVERIFY2(shown.size() <= 3, qPrintable(QString::number(shown.size())));
    const int paperHeight = qRound(210 / 25.4 * preview.logicalDpiY());
    auto *last = control<QLabel>(&preview, QByteArray("imgPagina") + QByteArray::number(total));
    QVERIFY(qAbs(last->height() - paperHeight) <= 4);
    QVERIFY(last->y() > (total - 1) * paperHeight);

    // Scrolled to the end: the last page is drawn, the first dropped.
    auto *scroll = control<QScrollArea>(&preview, "panPagine");
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    shown = drawn();
    QVERIFY(shown.contains(total));
    QVERIFY(!shown.contains(1));
    QVERIFY2(shown.size() <= 3, qPrintable(QString::number(shown.size())));
    // What is drawn is the page itself, not a blank.
    const QImage expected = ReportRenderer::pageImage(prepared, total - 1, preview.logicalDpiX());
    QCOMPARE(last->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
             expected.convertToFormat(QImage::Format_RGB32));
}

void TestReportOutput::cancelledPrintDialogPrintsNothing()
{
    TestPlatform platform;
    if (!QtPrinterOutput::canPrint())
        QSKIP("this system offers nowhere to print: the print dialog is never shown");
    auto report = ListReport::create(ListReport::kPrimaNotaTitle);
    ListReport::fill(*report, QStringLiteral("PRIMANOTA"), rows(5));
    report->PrepareReport(true);

    // The real dialog, answered as the user who changes their mind.
    QString docName, printerName, title;
    bool seen = false;
    std::function<void()> answer = [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QPrintDialog *>(w); dialog && dialog->isVisible()) {
                seen = true;
                docName = dialog->printer()->docName();
                printerName = dialog->printer()->printerName();
                title = dialog->windowTitle();
                dialog->reject();
                return;
            }
        }
        QTimer::singleShot(10, answer);
    };
    QTimer::singleShot(0, answer);
    QtPrinterOutput real;
    real.print(nullptr, report->prepared());

    QVERIFY(seen);
    QCOMPARE(docName, QStringLiteral("Primanota"));
    QCOMPARE(printerName, QPrinterInfo::defaultPrinter().printerName());
    QVERIFY(title.contains(QStringLiteral("Primanota")));
    QVERIFY(platform.messages.shown.isEmpty());
}

QTEST_MAIN(TestReportOutput)
#include "tst_report_output.moc"
