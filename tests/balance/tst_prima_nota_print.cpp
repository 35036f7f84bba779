#include "support/TestPlatform.h"

#include "balance/BalanceFixtures.h"
#include "balance/ui/PickCombo.h"
#include "balance/ui/TfrmBilancio.h"
#include "balance/ui/TfrmMenuBilancio.h"
#include "common/ui/FieldEdit.h"
#include "output/ListReport.h"
#include "output/ReportTemplate.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

namespace {

const QString kSeparator = QStringLiteral("- - - - - - - - - - - - - - - -");

// Movements of March 2014: n incomes of 10,00 each.
QStringList incomes(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out.append(QStringLiteral("Quota socio %1|%2/03/2014|+10,00").arg(i).arg(1 + (i - 1) % 28, 2, 10, QLatin1Char('0')));
    return out;
}

} // namespace

class TestPrimaNotaPrint : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void print_data();
    void print();
    void printTwiceGivesTheSameOutput();
    void printAfterAListingThatStopped();

private:
    // Opens a fresh prima nota over the chooser for March 2014 and runs the
    // handler while it is shown.
    void onList(TestPlatform &platform, const QString &filter, const std::function<void(TfrmBilancio *)> &handler);
};

void TestPrimaNotaPrint::onList(TestPlatform &platform, const QString &filter,
                                const std::function<void(TfrmBilancio *)> &handler)
{
    TfrmMenuBilancio chooser;
    chooser.showScreen();
    chooser.txtAnno->setText(QStringLiteral("2014"));
    typeText(chooser.txtTipologia, filter);
    chooser.txtGiornoInizio->setCurrentIndex(0);
    chooser.txtMeseInizio->setCurrentIndex(2);
    chooser.txtGiornoFine->setCurrentIndex(30);
    chooser.txtMeseFine->setCurrentIndex(2);
    bool ran = false;
    platform.modal.handlers.append([&](QDialog *d) {
        handler(qobject_cast<TfrmBilancio *>(d));
        ran = true;
    });
    QTest::mouseClick(chooser.btnVisualizza, Qt::LeftButton);
    QVERIFY(ran);
}

void TestPrimaNotaPrint::print_data()
{
    QTest::addColumn<int>("movements");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("answer"); // to the question
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("title"); // empty: nothing printed
    const QString warning = QStringLiteral(
        "Operazione di stampa non applicabile: la primanota non contiene nessun movimento in entrata o in uscita.");
    const QString question = QStringLiteral("Si vuole stampare la presente primanota?");
    QTest::newRow("empty list") << 0 << "" << int(MessageBoxes::Answer::Yes) << QStringList{warning} << "";
    QTest::newRow("answer No") << 3 << "" << int(MessageBoxes::Answer::No) << QStringList{question} << "";
    QTest::newRow("three rows, no reason")
        << 3 << "" << int(MessageBoxes::Answer::Yes) << QStringList{question}
        << "PRIMANOTA E BILANCIO - Causale :  - - -";
    QTest::newRow("one row, a reason") << 3 << " socio 2" << int(MessageBoxes::Answer::Yes)
                                       << QStringList{question} << "PRIMANOTA E BILANCIO - Causale :  socio 2";
    QTest::newRow("sixty rows over several pages") << 60 << "" << int(MessageBoxes::Answer::Yes)
                                                   << QStringList{question}
                                                   << "PRIMANOTA E BILANCIO - Causale :  - - -";
}

void TestPrimaNotaPrint::print()
{
    QFETCH(int, movements);
    QFETCH(QString, filter);
    QFETCH(int, answer);
    QFETCH(QString, title);
    TestPlatform platform;
    BalanceFixtures::write(QStringLiteral("2014"), BalanceFixtures::parse(incomes(movements)));
    platform.messages.answers.append(MessageBoxes::Answer(answer));
    QStringList shownRows;
    QString income;
    double boxHeight = 0, bandHeight = 0;
    onList(platform, filter, [&](TfrmBilancio *d) {
        shownRows = BalanceFixtures::rows(d->lstRecords);
        income = d->lblTotEntrate->text();
        QTest::mouseClick(d->btnStampa, Qt::LeftButton);
        boxHeight = d->frxReport().FindObject(QStringLiteral("txtRiepilogo"))->rect.height();
        bandHeight = d->frxReport().FindObject(QStringLiteral("MasterData"))->rect.height();
        if (title.isEmpty()) {
            // Nothing was put into the template.
            QCOMPARE(d->frxReport().FindObject(QStringLiteral("txtTitolo"))->text(), QStringLiteral("Riepilogo"));
            QCOMPARE(d->frxReport().FindObject(QStringLiteral("txtRiepilogo"))->lineCount(), 0);
        }
    });
    QTEST(platform.messages.shown.size() ? QStringList{platform.messages.shown.first().text} : QStringList{},
          "boxes");
    if (title.isEmpty()) {
        QVERIFY(platform.printer.jobs.isEmpty());
        return;
    }
    QCOMPARE(platform.messages.shown.first().kind, MessageBoxes::Kind::Question);
    QCOMPARE(platform.printer.jobs.size(), 1);
    const PrintJob &job = platform.printer.jobs.first();
    QVERIFY(!job.preview);
    QCOMPARE(job.documentTitle, QStringLiteral("Primanota"));
    QCOMPARE(job.report.orientation, QPageLayout::Landscape);
    QCOMPARE(BalanceFixtures::printedLines(job.report, QStringLiteral("txtTitolo")), QStringList{title});

    const int n = int(shownRows.size());
    QVERIFY(n > 0);
    const QStringList expected = shownRows + QStringList{
        kSeparator,
        QStringLiteral("INTERVALLO SELEZIONATO :      Dal   01/03/2014   al   31/03/2014"),
        QStringLiteral("TOTALE ENTRATE :              ") + income,
        QStringLiteral("TOTALE USCITE :               0,00 €"),
        QStringLiteral("BILANCIO ENTRATE E USCITE :   ") + income,
    };
    QCOMPARE(BalanceFixtures::printedLines(job.report, QStringLiteral("txtRiepilogo")), expected);
    // The values start in column 31 of the fixed-pitch lines.
    for (int i = n + 1; i < n + 5; ++i)
        QVERIFY2(expected[i].at(29) == QLatin1Char(' ') && expected[i].at(30) != QLatin1Char(' '),
                 qPrintable(expected[i]));
    QCOMPARE(boxHeight, (n + 5) * 12.822);
    QCOMPARE(bandHeight, (n + 5) * 12.822 + 10);
    if (n == 3)
        QCOMPARE(bandHeight, 112.576);
    // The date footer once, after the last line.
    int footers = 0;
    for (const PreparedPage &page : job.report.pages)
        footers += int(page.findAll(QStringLiteral("txtPagina")).size());
    QCOMPARE(footers, 1);
    QVERIFY(job.report.pages.last().find(QStringLiteral("txtPagina")));
    QCOMPARE(job.report.pages.size() > 1, n == 60);
}

void TestPrimaNotaPrint::printTwiceGivesTheSameOutput()
{
    TestPlatform platform;
    BalanceFixtures::write(QStringLiteral("2014"), BalanceFixtures::parse(incomes(4)));
    onList(platform, QString(), [&](TfrmBilancio *d) {
        QTest::mouseClick(d->btnStampa, Qt::LeftButton);
        QTest::mouseClick(d->btnStampa, Qt::LeftButton);
    });
    QCOMPARE(platform.printer.jobs.size(), 2);
    const QStringList first = BalanceFixtures::printedLines(platform.printer.jobs[0].report, QStringLiteral("txtRiepilogo"));
    QCOMPARE(first.size(), 9);
    QCOMPARE(BalanceFixtures::printedLines(platform.printer.jobs[1].report, QStringLiteral("txtRiepilogo")), first);
}

void TestPrimaNotaPrint::printAfterAListingThatStopped()
{
    TestPlatform platform;
    BalanceFixtures::write(QStringLiteral("2014"),
                           BalanceFixtures::parse({"Quota|01/03/2014|+10,00", "Quota|02/03/2014|+10.00"}));
    // OK to the warning of the listing, Yes to the question.
    onList(platform, QString(), [&](TfrmBilancio *d) { QTest::mouseClick(d->btnStampa, Qt::LeftButton); });
    QCOMPARE(platform.printer.jobs.size(), 1);
    const QStringList lines = BalanceFixtures::printedLines(platform.printer.jobs[0].report, QStringLiteral("txtRiepilogo"));
    QCOMPARE(lines.size(), 2 + 5);
    QCOMPARE(lines.mid(2), (QStringList{
                               kSeparator,
                               QStringLiteral("INTERVALLO SELEZIONATO :      Dal gg/mm/aaaa al gg/mm/aaaa"),
                               QStringLiteral("TOTALE ENTRATE :              non calcolato"),
                               QStringLiteral("TOTALE USCITE :               non calcolato"),
                               QStringLiteral("BILANCIO ENTRATE E USCITE :   non calcolato"),
                           }));
}

QTEST_MAIN(TestPrimaNotaPrint)
#include "tst_prima_nota_print.moc"
