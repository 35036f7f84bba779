// The year at a glance as the treasurer sees it: the charts drawn, their
// figures under the pointer and in the table beside, the printout and the
// saved picture, and the way in from the period chooser.
#include "balance/ui/TfrmMenuBilancio.h"
#include "output/ReportRenderer.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmPassword.h"
#include "yearview/ui/ChartView.h"
#include "yearview/ui/TfrmAndamento.h"

#include "YearFixtures.h"
#include "support/Poppler.h"
#include "support/TestPlatform.h"

#include "common/ui/FieldEdit.h"
#include "common/ui/Palette.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <algorithm>
#include <cstdlib>

using StatementFixtures::Move;

namespace {

// The columns where a colour is found, as runs [first, last].
QList<std::pair<int, int>> columnsOf(const QImage &img, const QColor &colour)
{
    QList<std::pair<int, int>> runs;
    bool inside = false;
    for (int x = 0; x < img.width(); ++x) {
        bool found = false;
        for (int y = 0; y < img.height() && !found; ++y)
            found = img.pixelColor(x, y) == colour;
        if (found && !inside)
            runs.append({x, x});
        if (found)
            runs.last().second = x;
        inside = found;
    }
    return runs;
}

// The rows of one column painted in a colour: its top and its height.
std::pair<int, int> barAt(const QImage &img, int x, const QColor &colour)
{
    int top = -1;
    int height = 0;
    for (int y = 0; y < img.height(); ++y)
        if (img.pixelColor(x, y) == colour) {
            if (top < 0)
                top = y;
            ++height;
        }
    return {top, height};
}

void writeTwoMonths()
{
    StatementFixtures::writeYear(2025, {
        {QStringLiteral("Quote"), QStringLiteral("03/01/2025"), QStringLiteral("+100,00"), QStringLiteral("Contanti")},
        {QStringLiteral("Quote"), QStringLiteral("09/02/2025"), QStringLiteral("+50,00"), QStringLiteral("Contanti")},
    });
    StatementFixtures::writeText(Classification::fileName(), YearFixtures::classification());
}

} // namespace

class TestYearScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void barOfTheRightHeight()
    {
        TestPlatform p;
        writeTwoMonths();
        TfrmAndamento s;
        QVERIFY(s.load());
        s.showYear(2025);
        ChartView *chart = s.charts.at(0);
        QCOMPARE(chart->objectName(), QStringLiteral("grfentrate-uscite"));
        const QImage img = chart->grab().toImage();
        // Two income bars (the legend's square is the short green run).
        QList<std::pair<int, int>> bars;
        for (const auto &run : columnsOf(img, Palette::green))
            if (barAt(img, (run.first + run.second) / 2, Palette::green).second > 12)
                bars.append(run);
        QCOMPARE(bars.size(), 2);
        const int janX = (bars.at(0).first + bars.at(0).second) / 2;
        const int febX = (bars.at(1).first + bars.at(1).second) / 2;
        const auto [janTop, jan] = barAt(img, janX, Palette::green);
        const auto [febTop, feb] = barAt(img, febX, Palette::green);
        // Beside January's bar the scale's gridlines (50 € and 100 €): January's
        // top is on the upper one, February's on the lower one.
        QList<int> gridlines;
        for (int y = 0; y < img.height(); ++y)
            if (img.pixelColor(bars.at(0).first - 2, y) == Palette::paleBlue &&
                (gridlines.isEmpty() || gridlines.last() < y - 3))
                gridlines.append(y);
        QCOMPARE(gridlines.size(), 2);
        QVERIFY2(std::abs(janTop - gridlines.at(0)) <= 2, qPrintable(QStringLiteral("%1 %2").arg(janTop).arg(gridlines.at(0))));
        QVERIFY2(std::abs(febTop - gridlines.at(1)) <= 2, qPrintable(QStringLiteral("%1 %2").arg(febTop).arg(gridlines.at(1))));
        QVERIFY2(jan > 100 && std::abs(jan - 2 * feb) <= 3, qPrintable(QStringLiteral("%1 %2").arg(jan).arg(feb)));
        // The figure under the pointer.
        QCOMPARE(chart->tipAt(QPoint(janX, janTop + jan / 2)),
                 QStringLiteral("Gennaio 2025 - entrate: 100,00 € (2024: 0,00 €)"));
        QCOMPARE(chart->tipAt(QPoint(febX, febTop + feb / 2)),
                 QStringLiteral("Febbraio 2025 - entrate: 50,00 € (2024: 0,00 €)"));
    }

    void figuresInTheTableBeside_data()
    {
        QTest::addColumn<int>("chart");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("mesi") << 0 << QStringLiteral("Febbraio")
                              << QStringList{"Febbraio", "200,00", "0,00", "0,00", "0,00"};
        QTest::newRow("totale") << 0 << QStringLiteral("Totale")
                                << QStringList{"Totale", "355,50", "612,30", "60,00", "250,00"};
        QTest::newRow("saldo") << 1 << QStringLiteral("31/01/2025") << QStringList{"31/01/2025", "875,50"};
        QTest::newRow("voci") << 2 << QStringLiteral("A.U3") << QStringList{"A.U3", "Godimento", "600,00"};
        QTest::newRow("soci") << 3 << QStringLiteral("Marzo") << QStringList{"Marzo", "2", "1", "2"};
    }
    void figuresInTheTableBeside()
    {
        QFETCH(int, chart);
        QFETCH(QString, first);
        QFETCH(QStringList, row);
        TestPlatform p;
        YearFixtures::writeAll();
        YearFixtures::writeMembers({QStringLiteral("15/03/2025"), QStringLiteral("31/01/2025"),
                                    QStringLiteral("01/12/2024"), QStringLiteral("01/01/2026"),
                                    QStringLiteral("31/12/2025")});
        TfrmAndamento s;
        QVERIFY(s.load());
        s.showYear(2025);
        const QAbstractItemModel *m = s.tables.at(chart)->model();
        int found = -1;
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, 0).data().toString() == first)
                found = r;
        QVERIFY2(found >= 0, qPrintable(first));
        QStringList shown;
        for (int c = 0; c < m->columnCount(); ++c)
            shown.append(m->index(found, c).data().toString());
        if (chart == 2)
            shown[1] = shown[1].section(QLatin1Char(' '), 0, 0);
        QCOMPARE(shown, row);
    }

    void yearWithoutMovementsDrawsEmptyAxes()
    {
        TestPlatform p;
        writeTwoMonths();
        TfrmAndamento s;
        QVERIFY(s.load());
        s.showYear(2031);
        QVERIFY(s.txtAvvisi->toPlainText().contains(QStringLiteral("Nel 2031 non risulta nessun movimento saldato")));
        const QImage img = s.charts.at(0)->grab().toImage();
        // Axes and gridlines, no bar.
        QVERIFY(!columnsOf(img, Palette::grey).isEmpty());
        QVERIFY(!columnsOf(img, Palette::paleBlue).isEmpty());
        const auto green = columnsOf(img, Palette::green);
        QVERIFY2(green.size() == 1 && green.first().second - green.first().first < 12, "only the legend's square");
        QCOMPARE(s.charts.at(0)->tipAt(QPoint(img.width() / 2, img.height() / 2)).section(QLatin1Char(' '), 1, 1),
                 QStringLiteral("2031"));
    }

    void printedInLandscape()
    {
        TestPlatform p;
        YearFixtures::writeAll();
        EnteData e;
        e.denominazione = QStringLiteral("Circolo Culturale La Quinta");
        QVERIFY(e.save(p.folder.path()));
        TfrmAndamento s;
        QVERIFY(s.load());
        s.showYear(2025);
        s.btnStampa->click();
        QCOMPARE(p.printer.jobs.size(), 1);
        const PreparedReport report = p.printer.jobs.first().report;
        QCOMPARE(report.orientation, QPageLayout::Landscape);
        QCOMPARE(report.documentTitle, QStringLiteral("Andamento dell'anno 2025"));
        int pictures = 0;
        for (const PreparedPage &page : report.pages) {
            QVERIFY(page.paper.width() > page.paper.height());
            pictures += int(page.findAll(QStringLiteral("imgGrafico")).size());
        }
        QCOMPARE(pictures, 4);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF text cannot be checked");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("andamento.pdf"));
        QVERIFY(ReportRenderer::writePdf(report, pdf));
        const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                                                   QStringLiteral("-")})
                                 .simplified();
        for (const QString &w : {QStringLiteral("Circolo Culturale La Quinta"), QStringLiteral("Andamento dell'anno 2025"),
                                 QStringLiteral("n. 6 dell'archivio 2025.eur")})
            QVERIFY2(text.contains(w), qPrintable(w + QStringLiteral("\n---\n") + text));
    }

    void savedAsPicture()
    {
        TestPlatform p;
        writeTwoMonths();
        TfrmAndamento s;
        QVERIFY(s.load());
        s.showYear(2025);
        s.tabGrafici->setCurrentIndex(1);
        const QString path = p.file(QStringLiteral("grafico.png"));
        p.files.saveAnswers << path << QString();
        s.btnImmagine->click();
        QCOMPARE(p.files.suggestedNames.first(), p.file(QStringLiteral("Andamento2025-cassa-banca.png")));
        const QImage saved(path);
        QVERIFY(!saved.isNull());
        QVERIFY(saved.width() > saved.height());
        // The curve runs across the picture.
        const auto curve = columnsOf(saved, Palette::royal);
        QVERIFY(std::any_of(curve.begin(), curve.end(),
                            [&](const auto &run) { return run.second - run.first > saved.width() / 2; }));
        QVERIFY(p.messages.lastText().contains(path));
        // Cancelling the dialog writes nothing and says nothing.
        QFile::remove(path);
        p.messages.clear();
        s.btnImmagine->click();
        QVERIFY(!QFile::exists(path));
        QVERIFY(p.messages.shown.isEmpty());
    }

    void openedFromThePeriodChooserOnItsYear()
    {
        TestApp app;
        ScreenSet::handOver(app.screens->password(), app.screens->avvio());
        ScreenSet::handOver(app.screens->avvio(), app.screens->menuBilancio());
        app.screens->menuBilancio()->txtAnno->setText(QStringLiteral("2021"));
        bool seen = false;
        app.platform.modal.handlers << [&](QDialog *d) {
            seen = qobject_cast<TfrmAndamento *>(d) != nullptr;
            QCOMPARE(d->windowTitle(), QStringLiteral(" Quintara - Andamento dell'anno"));
            QCOMPARE(control<FieldEdit>(d, "txtAnno")->text(), QStringLiteral("2021"));
        };
        app.screens->menuBilancio()->btnAndamento->click();
        QVERIFY(seen);
    }
};

QTEST_MAIN(TestYearScreen)
#include "tst_year_screen.moc"
