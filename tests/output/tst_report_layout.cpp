// The layout engine: list pages, card pages, placeholders, cutting and fitting.
#include "support/TestPlatform.h"

#include "output/ListReport.h"
#include "output/ReportLayout.h"
#include "output/ReportTemplate.h"

#include <QFontMetricsF>
#include <QTest>

using ReportUnits::mm;

namespace {

QStringList numberedLines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines.append(QStringLiteral("RIGA %1 ROSSI MARIO                 01/01/2024").arg(i, 3, 10, QLatin1Char('0')));
    return lines;
}

struct Placed
{
    int page;
    const PreparedItem *item;
};

QList<Placed> placed(const PreparedReport &r, const QString &name)
{
    QList<Placed> out;
    for (int p = 0; p < r.pages.size(); ++p)
        for (const PreparedItem *it : r.pages[p].findAll(name))
            out.append({p, it});
    return out;
}

} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void longListContinuesOverLandscapePages();
    void footerFollowsTheLastLine_data();
    void footerFollowsTheLastLine();
    void emptyListPrintsTitleBandAndFooter();
    void placeholders_data();
    void placeholders();
    void cardValueIsCutAtTheBoxEdge();
    void portraitPhotoFitsThePictureBox();
    void orientation();
    void secondPreparationStartsFromNothing();
};

void TestReportLayout::longListContinuesOverLandscapePages()
{
    TestPlatform platform;
    auto report = ListReport::create();
    ListReport::fill(*report, QStringLiteral("ELENCO SOCI"), numberedLines(200));
    QCOMPARE(report->FindObject(QStringLiteral("txtRiepilogo"))->rect.height(), 200 * 12.822);
    QCOMPARE(report->FindObject(QStringLiteral("MasterData"))->rect.height(), 200 * 12.822 + 10);

    const PreparedReport &r = report->PrepareReport(true);
    QCOMPARE(r.documentTitle, QStringLiteral("Riepilogo dati"));
    QCOMPARE(r.orientation, QPageLayout::Landscape);
    QVERIFY2(r.pages.size() >= 3, qPrintable(QString::number(r.pages.size())));

    const qreal pageHeight = mm(190);
    QStringList printed;
    for (int p = 0; p < r.pages.size(); ++p) {
        const PreparedPage &page = r.pages[p];
        QVERIFY(qAbs(page.paper.width() - mm(297)) < 0.01);
        QVERIFY(qAbs(page.paper.height() - mm(210)) < 0.01);
        // The title only on the first page.
        QCOMPARE(page.find(QStringLiteral("txtTitolo")) != nullptr, p == 0);
        for (const PreparedItem *part : page.findAll(QStringLiteral("txtRiepilogo"))) {
            // Every line of the slice lies whole inside the printable area.
            const qreal lastLineBottom = part->rect.top() + 1 + part->lines.size() * part->pitch;
            QVERIFY2(lastLineBottom <= pageHeight + 0.01, qPrintable(QStringLiteral("page %1").arg(p + 1)));
            QVERIFY(part->rect.top() >= -1.01);
            printed += part->lines;
        }
    }
    QCOMPARE(printed, numberedLines(200));
    QCOMPARE(r.pages.first().find(QStringLiteral("txtTitolo"))->lines, QStringList{QStringLiteral("ELENCO SOCI")});

    const auto footers = placed(r, QStringLiteral("txtPagina"));
    QCOMPARE(footers.size(), 1);
    QCOMPARE(footers.first().item->lines, QStringList{QStringLiteral("Stampa eseguita in data 15/03/2024")});
    const auto parts = placed(r, QStringLiteral("txtRiepilogo"));
    QCOMPARE(footers.first().page, parts.last().page);
    QVERIFY(footers.first().item->rect.top() > parts.last().item->rect.top() + parts.last().item->lines.size() * 12.822);
}

void TestReportLayout::footerFollowsTheLastLine_data()
{
    QTest::addColumn<int>("lines");
    // Around the number of lines that fill the first page, where the footer
    // must move to the next page rather than leave it.
    for (int n : {1, 40, 50, 51, 52, 53, 54, 55, 56, 57, 110, 111, 112})
        QTest::addRow("%d lines", n) << n;
}

void TestReportLayout::footerFollowsTheLastLine()
{
    QFETCH(int, lines);
    TestPlatform platform;
    auto report = ListReport::create();
    ListReport::fill(*report, QStringLiteral("T"), numberedLines(lines));
    const PreparedReport &r = report->PrepareReport(true);

    QStringList printed;
    for (const Placed &p : placed(r, QStringLiteral("txtRiepilogo")))
        printed += p.item->lines;
    QCOMPARE(printed, numberedLines(lines));

    const auto footers = placed(r, QStringLiteral("txtPagina"));
    QCOMPARE(footers.size(), 1);
    const Placed footer = footers.first();
    QVERIFY(footer.item->rect.bottom() <= mm(190) + 0.01);
    const auto parts = placed(r, QStringLiteral("txtRiepilogo"));
    Placed lastWithLines = parts.first();
    for (const Placed &p : parts)
        if (!p.item->lines.isEmpty())
            lastWithLines = p;
    if (footer.page == lastWithLines.page) {
        QVERIFY(footer.item->rect.top() >= lastWithLines.item->rect.top() + 1 + lastWithLines.item->lines.size() * 12.822);
    } else {
        // No room left after the data: the footer opens the next page.
        QCOMPARE(footer.page, r.pages.size() - 1);
        QVERIFY(qAbs(footer.item->rect.top() - mm(2)) < 0.01);
    }
}

void TestReportLayout::emptyListPrintsTitleBandAndFooter()
{
    TestPlatform platform;
    auto report = ListReport::create();
    ListReport::fill(*report, QStringLiteral("SOCI CON ABBONAMENTO SCADUTO"), {});
    const PreparedReport &r = report->PrepareReport(true);
    QCOMPARE(r.pages.size(), 1);
    const PreparedPage &page = r.pages.first();
    QCOMPARE(page.find(QStringLiteral("txtTitolo"))->lines, QStringList{QStringLiteral("SOCI CON ABBONAMENTO SCADUTO")});
    const PreparedItem *band = page.find(QStringLiteral("MasterData"));
    QVERIFY(band);
    QCOMPARE(band->rect.height(), 10.0);
    QVERIFY(qAbs(band->rect.top() - mm(8)) < 0.01);
    const PreparedItem *box = page.find(QStringLiteral("txtRiepilogo"));
    QVERIFY(box);
    QVERIFY(box->lines.isEmpty());
    const PreparedItem *footer = page.find(QStringLiteral("txtPagina"));
    QCOMPARE(footer->lines, QStringList{QStringLiteral("Stampa eseguita in data 15/03/2024")});
    QVERIFY(qAbs(footer->rect.top() - (mm(8) + 10 + mm(2))) < 0.01);
}

void TestReportLayout::placeholders_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("list line") << "txtRiepilogo" << "ROSSI [DATE] [socio onorario]" << "ROSSI [DATE] [socio onorario]";
    QTest::newRow("title") << "txtTitolo" << "[DATE]" << "[DATE]";
    QTest::newRow("footer") << "txtPagina" << "Oggi [DATE], [PAGE#]" << "Oggi 15/03/2024, [PAGE#]";
}

void TestReportLayout::placeholders()
{
    QFETCH(QString, object);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    TestPlatform platform;
    auto report = ListReport::create();
    ListReport::fill(*report, QStringLiteral("Riepilogo"), {QStringLiteral("riga")});
    report->FindObject(object)->SetText(text);
    const PreparedReport &r = report->PrepareReport(true);
    QCOMPARE(r.pages.first().find(object)->lines, QStringList{expected});
}

void TestReportLayout::cardValueIsCutAtTheBoxEdge()
{
    TestPlatform platform;
    ReportTemplate report(QStringLiteral("repProva"), QStringLiteral("Prova"));
    ReportObject &box = report.add(ReportBuild::text(QStringLiteral("txtCampo15"), 60, 164, 128, 6));
    box.wordWrap = false;
    const QString longNote = QStringLiteral("Socio fondatore, ha curato l'archivio storico dell'associazione "
                                            "dal 1998 al 2015 e la biblioteca sociale, [da verificare]");
    box.SetText(longNote);
    const PreparedReport &r = report.PrepareReport(true);
    const PreparedItem *item = r.pages.first().find(QStringLiteral("txtCampo15"));
    QCOMPARE(item->lines.size(), 1);
    const QString printed = item->lines.first();
    QVERIFY2(printed.size() > 20 && printed.size() < longNote.size(), qPrintable(printed));
    QVERIFY(longNote.startsWith(printed));
    const QFontMetricsF fm(ReportLayout::font(QStringLiteral("Arial"), 10, false), ReportLayout::measuringDevice());
    const qreal inner = mm(128) - 4;
    QVERIFY(fm.horizontalAdvance(printed) <= inner);
    QVERIFY(fm.horizontalAdvance(longNote.left(printed.size() + 1)) > inner);

    box.SetText(QStringLiteral("Via Roma 1"));
    QCOMPARE(report.PrepareReport(true).pages.first().find(QStringLiteral("txtCampo15"))->lines,
             QStringList{QStringLiteral("Via Roma 1")});
}

void TestReportLayout::portraitPhotoFitsThePictureBox()
{
    TestPlatform platform;
    ReportTemplate report(QStringLiteral("repFoto"), QStringLiteral("Prova"));
    ReportObject &box = report.add(ReportBuild::picture(QStringLiteral("imgFoto"), 4, 21, 183, 79));
    box.centred = true;
    QImage portrait(300, 400, QImage::Format_RGB32);
    portrait.fill(Qt::red);
    box.SetPicture(portrait);
    const PreparedItem *item = report.PrepareReport(true).pages.first().find(QStringLiteral("imgFoto"));
    const QRectF fitted = item->pictureRect;
    QVERIFY(qAbs(fitted.height() - mm(79)) < 0.01);
    QVERIFY(qAbs(fitted.top() - mm(21)) < 0.01);
    QVERIFY(qAbs(fitted.width() - mm(79) * 0.75) < 0.01);
    QVERIFY(qAbs(fitted.center().x() - mm(4 + 183 / 2.0)) < 0.01);
}

void TestReportLayout::orientation()
{
    ReportTemplate report(QStringLiteral("repProva"), QStringLiteral("Prova"));
    const QSizeF portrait(mm(210), mm(297));
    QCOMPARE(report.paper(), portrait);
    report.SetOrientation(QPageLayout::Portrait);
    QCOMPARE(report.paper(), portrait);
    report.SetOrientation(QPageLayout::Landscape);
    QCOMPARE(report.paper(), portrait.transposed());
    QCOMPARE(report.printableArea(), QSizeF(mm(277), mm(190)));
    report.SetOrientation(QPageLayout::Landscape);
    QCOMPARE(report.paper(), portrait.transposed());
}

void TestReportLayout::secondPreparationStartsFromNothing()
{
    TestPlatform platform;
    auto report = ListReport::create();
    ListReport::fill(*report, QStringLiteral("PRIMA"), numberedLines(120));
    const int longPages = int(report->PrepareReport(true).pages.size());
    QVERIFY(longPages > 1);
    ListReport::fill(*report, QStringLiteral("SECONDA"), numberedLines(2));
    const PreparedReport first = report->PrepareReport(true);
    const PreparedReport second = report->PrepareReport(true);
    QCOMPARE(first.pages.size(), 1);
    QCOMPARE(first.pages.first().texts(), second.pages.first().texts());
    QCOMPARE(first.pages.first().texts(),
             QStringList({QStringLiteral("SECONDA"), numberedLines(2)[0], numberedLines(2)[1],
                          QStringLiteral("Stampa eseguita in data 15/03/2024")}));
}

QTEST_MAIN(TestReportLayout)
#include "tst_report_layout.moc"
