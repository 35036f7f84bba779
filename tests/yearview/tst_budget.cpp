// The budget of a year: typed or proposed on its screen, kept in its own file,
// a damaged file never lost without asking, and set beside the actual figures
// on screen, on paper and in the worksheets.
#include "output/ReportRenderer.h"
#include "yearview/Budget.h"
#include "yearview/ui/TfrmPreventivo.h"

#include "YearFixtures.h"
#include "support/Poppler.h"
#include "support/TestPlatform.h"
#include "support/XlsxReader.h"

#include "common/ui/Palette.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using Budgets = QMap<int, QMap<QString, qint64>>;
Q_DECLARE_METATYPE(Budgets)

namespace {

void type(TfrmPreventivo &s, const QString &code, const QString &text)
{
    const int row = s.rowOf(code);
    QVERIFY2(row >= 0, qPrintable(code));
    s.tblPreventivo->item(row, TfrmPreventivo::BcBudget)->setText(text);
}

QString shownBudget(const TfrmPreventivo &s, const QString &code)
{
    return s.tblPreventivo->item(s.rowOf(code), TfrmPreventivo::BcBudget)->text();
}

} // namespace

class TestBudget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileRoundTrip_data()
    {
        QTest::addColumn<Budgets>("budgets");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("un anno") << Budgets{{2025, {{"A.E1", 320000}, {"A.U3", 180050}}}}
                                 << QByteArray("[2025]\r\nA.U3=1800,50\r\nA.E1=3200,00\r\n");
        QTest::newRow("due anni, zero e grandi cifre")
            << Budgets{{2026, {{"I.U1", 0}, {"F.E4", 123456789012}}}, {2024, {{"C.E2", 5}}}}
            << QByteArray("[2024]\r\nC.E2=0,05\r\n\r\n[2026]\r\nI.U1=0,00\r\nF.E4=1234567890,12\r\n");
        QTest::newRow("nessuno") << Budgets{} << QByteArray();
    }
    void fileRoundTrip()
    {
        QFETCH(Budgets, budgets);
        QFETCH(QByteArray, bytes);
        TestPlatform p;
        Budget b;
        for (auto y = budgets.begin(); y != budgets.end(); ++y)
            b.setYear(y.key(), y.value());
        QString error;
        QVERIFY2(b.save(p.folder.path(), &error), qPrintable(error));
        QCOMPARE(readBytes(p.file(Budget::fileName())), bytes);
        const Budget::Loaded back = Budget::load(p.folder.path());
        QVERIFY2(back.budget, qPrintable(back.problem));
        QVERIFY(*back.budget == b);
    }

    void typedThroughTheScreen()
    {
        TestPlatform p;
        YearFixtures::writeAll();
        {
            TfrmPreventivo s;
            QVERIFY(s.load());
            s.showYear(2025);
            QCOMPARE(s.lblAnno->text(), QStringLiteral("2025"));
            type(s, QStringLiteral("A.E1"), QStringLiteral("1.500"));
            type(s, QStringLiteral("A.E4"), QStringLiteral("200,5"));
            QCOMPARE(shownBudget(s, QStringLiteral("A.E1")), QStringLiteral("1.500,00"));
            // What is not an amount is refused and the cell keeps what it had.
            type(s, QStringLiteral("A.E1"), QStringLiteral("mille"));
            QVERIFY(p.messages.lastText().contains(QStringLiteral("\"mille\" non è un importo")));
            QCOMPARE(shownBudget(s, QStringLiteral("A.E1")), QStringLiteral("1.500,00"));
            // An emptied cell takes the item out.
            type(s, QStringLiteral("A.E4"), QString());
            type(s, QStringLiteral("A.U3"), QStringLiteral("550,00"));
            QVERIFY(s.hasUnsavedChanges());
            s.btnSalva->click();
            QVERIFY(!s.hasUnsavedChanges());
        }
        QCOMPARE(readBytes(p.file(Budget::fileName())), QByteArray("[2025]\r\nA.U3=550,00\r\nA.E1=1500,00\r\n"));
        TfrmPreventivo again;
        QVERIFY(again.load());
        again.showYear(2025);
        QCOMPARE(shownBudget(again, QStringLiteral("A.E1")), QStringLiteral("1.500,00"));
        QCOMPARE(shownBudget(again, QStringLiteral("A.U3")), QStringLiteral("550,00"));
        QCOMPARE(shownBudget(again, QStringLiteral("A.E4")), QString());
        again.showYear(2026);
        QCOMPARE(shownBudget(again, QStringLiteral("A.E1")), QString());
    }

    void leavingWithChangesAsks()
    {
        TestPlatform p;
        YearFixtures::writeAll();
        TfrmPreventivo s;
        QVERIFY(s.load());
        s.showYear(2025);
        type(s, QStringLiteral("A.E1"), QStringLiteral("10"));
        p.messages.answers << MessageBoxes::Answer::Yes;
        s.show();
        s.btnEsci->click();
        QVERIFY(p.messages.shown.first().text.contains(QStringLiteral("Il preventivo è stato modificato")));
        QCOMPARE(readBytes(p.file(Budget::fileName())), QByteArray("[2025]\r\nA.E1=10,00\r\n"));
    }

    void proposedFromTheYearBefore()
    {
        TestPlatform p;
        YearFixtures::writeAll();
        TfrmPreventivo s;
        QVERIFY(s.load());
        s.showYear(2025);
        type(s, QStringLiteral("B.E1"), QStringLiteral("5"));
        // Replacing what was typed is asked first; No keeps it.
        p.messages.answers << MessageBoxes::Answer::No;
        s.btnProponi->click();
        QCOMPARE(shownBudget(s, QStringLiteral("B.E1")), QStringLiteral("5,00"));
        p.messages.answers << MessageBoxes::Answer::Yes;
        s.btnProponi->click();
        // The year before: dues 60,00 and rent 250,00.
        QCOMPARE(shownBudget(s, QStringLiteral("A.E1")), QStringLiteral("60,00"));
        QCOMPARE(shownBudget(s, QStringLiteral("A.U3")), QStringLiteral("250,00"));
        QCOMPARE(shownBudget(s, QStringLiteral("B.E1")), QString());
        QVERIFY(s.hasUnsavedChanges());
    }

    void damagedFileOpensEmptyAndIsKept_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("non un anno") << QByteArray("[duemila]\r\nA.E1=10,00\r\n");
        QTest::newRow("voce sconosciuta") << QByteArray("[2025]\r\nA.E1=10,00\r\nZ.U9=3,00\r\n");
        QTest::newRow("non un importo") << QByteArray("[2025]\r\nA.E1=dieci\r\n");
        QTest::newRow("riga fuori anno") << QByteArray("A.E1=10,00\r\n[2025]\r\n");
        QTest::newRow("non testo") << QByteArray("[2025]\r\nA.E1=1\0\xff\xfe", 17);
    }
    void damagedFileOpensEmptyAndIsKept()
    {
        QFETCH(QByteArray, bytes);
        TestPlatform p;
        YearFixtures::writeAll();
        StatementFixtures::writeText(Budget::fileName(), bytes);
        TfrmPreventivo s;
        QVERIFY(s.load());
        QVERIFY(p.messages.lastText().contains(QStringLiteral("il file Preventivo.ini è danneggiato")));
        QVERIFY(s.lblAvviso->text().contains(QStringLiteral("danneggiato")));
        s.showYear(2025);
        QCOMPARE(shownBudget(s, QStringLiteral("A.E1")), QString());
        type(s, QStringLiteral("A.E1"), QStringLiteral("20"));
        // Saving asks, and No leaves the file byte for byte.
        p.messages.clear();
        p.messages.answers << MessageBoxes::Answer::No;
        s.btnSalva->click();
        QVERIFY(p.messages.shown.first().text.contains(QStringLiteral("Sovrascrivere il file?")));
        QCOMPARE(readBytes(p.file(Budget::fileName())), bytes);
        p.messages.answers << MessageBoxes::Answer::Yes;
        s.btnSalva->click();
        QCOMPARE(readBytes(p.file(Budget::fileName())), QByteArray("[2025]\r\nA.E1=20,00\r\n"));
        QVERIFY(s.lblAvviso->text().isEmpty());
    }

    void comparedWithTheActual_data()
    {
        QTest::addColumn<QString>("line"); // an item's code or a total's words
        QTest::addColumn<QStringList>("shown"); // budget, actual, difference, %, mark
        QTest::addColumn<QString>("colour");
        QTest::newRow("sotto") << "A.E1" << QStringList{"100,00", "75,50", "-24,50", "75,5 %", ""} << "";
        QTest::newRow("uscita oltre") << "A.U3" << QStringList{"500,00", "600,00", "100,00", "120,0 %", "oltre"}
                                      << "rosso";
        QTest::newRow("senza preventivo") << "A.E4" << QStringList{"", "200,00", "", "", ""} << "";
        QTest::newRow("preventivo zero") << "A.U1" << QStringList{"0,00", "12,30", "12,30", "", "oltre"} << "rosso";
        QTest::newRow("pari") << "C.E2" << QStringList{"80,00", "80,00", "0,00", "100,0 %", ""} << "";
        QTest::newRow("totale uscite A") << "Totale uscite"
                                         << QStringList{"500,00", "612,30", "112,30", "122,5 %", "oltre"} << "rosso";
        QTest::newRow("totale entrate A") << "Totale entrate"
                                          << QStringList{"100,00", "275,50", "175,50", "275,5 %", "oltre"} << "verde";
    }
    void comparedWithTheActual()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, shown);
        QFETCH(QString, colour);
        TestPlatform p;
        YearFixtures::writeAll();
        StatementFixtures::writeText(Budget::fileName(),
                                     "[2025]\r\nA.E1=100\r\nA.U3=500,00\r\nA.U1=0\r\nC.E2=80\r\n[2024]\r\nA.E4=1\r\n");
        TfrmPreventivo s;
        QVERIFY(s.load());
        s.showYear(2025);
        // The first row showing the line: the section A total for a total's words.
        int row = -1;
        for (int r = s.tblConfronto->rowCount() - 1; r >= 0; --r)
            if (s.tblConfronto->columnSpan(r, 0) == 1 &&
                (s.tblConfronto->item(r, TfrmPreventivo::CcCode)->text() == line ||
                 s.tblConfronto->item(r, TfrmPreventivo::CcText)->text() == line))
                row = r;
        QVERIFY2(row >= 0, qPrintable(line));
        QStringList cells;
        for (int c = TfrmPreventivo::CcBudget; c < TfrmPreventivo::CcColumns; ++c)
            cells.append(s.tblConfronto->item(row, c)->text());
        QCOMPARE(cells, shown);
        // Over budget: red for expense, green for income.
        const QColor wanted = colour == QStringLiteral("rosso")   ? Palette::red
                              : colour == QStringLiteral("verde") ? Palette::green
                                                                  : Palette::ink;
        QCOMPARE(s.tblConfronto->item(row, TfrmPreventivo::CcActual)->foreground().color(), wanted);
    }

    void comparisonPrintedAndExported()
    {
        TestPlatform p;
        YearFixtures::writeAll();
        StatementFixtures::writeText(Budget::fileName(), "[2025]\r\nA.E1=100\r\nA.U3=500,00\r\n");
        EnteData e;
        e.denominazione = QStringLiteral("Circolo Culturale La Quinta");
        e.codiceFiscale = QStringLiteral("12345678903");
        QVERIFY(e.save(p.folder.path()));
        TfrmPreventivo s;
        QVERIFY(s.load());
        s.showYear(2025);
        s.tabPagine->setCurrentIndex(TfrmPreventivo::ComparisonPage);
        s.btnStampa->click();
        s.tabPagine->setCurrentIndex(TfrmPreventivo::BudgetPage);
        s.btnStampa->click();
        QCOMPARE(p.printer.jobs.size(), 2);
        QCOMPARE(p.printer.jobs.at(0).documentTitle, QStringLiteral("Preventivo e consuntivo dell'esercizio 2025"));
        QCOMPARE(p.printer.jobs.at(1).documentTitle, QStringLiteral("Bilancio preventivo dell'esercizio 2025"));

        p.messages.answers << MessageBoxes::Answer::No;
        s.btnEsporta->click();
        const QList<QStringList> sheet =
            XlsxReader::readDocument(readBytes(p.file(QStringLiteral("PreventivoConsuntivo2025.xls"))));
        QVERIFY(sheet.contains(QStringList{"A.U3", "Godimento beni di terzi", "500,00", "600,00", "100,00", "120,0 %",
                                           "sì"}));
        s.optXlsx->click();
        p.messages.answers << MessageBoxes::Answer::No;
        s.btnEsporta->click();
        const XlsxReader::Sheet book = XlsxReader::read(p.file(QStringLiteral("PreventivoConsuntivo2025.xlsx")));
        QVERIFY2(book.error.isEmpty(), qPrintable(book.error));
        bool found = false;
        for (const auto &row : book.rows)
            if (row.first().text == QStringLiteral("A.U3")) {
                found = true;
                QCOMPARE(row.at(2).number, 500.0);
                QCOMPARE(row.at(3).number, 600.0);
                QCOMPARE(row.at(4).number, 100.0);
                QCOMPARE(row.at(6).text, QStringLiteral("sì"));
            }
        QVERIFY(found);

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF text cannot be checked");
        QTemporaryDir dir;
        for (int job = 0; job < 2; ++job) {
            const QString pdf = dir.filePath(QStringLiteral("p%1.pdf").arg(job));
            QVERIFY(ReportRenderer::writePdf(p.printer.jobs.at(job).report, pdf));
            const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                                       QStringLiteral("UTF-8"), pdf, QStringLiteral("-")})
                                     .simplified();
            QStringList wanted{QStringLiteral("Circolo Culturale La Quinta"), QStringLiteral("Codice fiscale 12345678903"),
                               QStringLiteral("A) Uscite da attività di interesse generale")};
            if (job == 0)
                wanted << QStringLiteral("A.U3 Godimento beni di terzi 500,00 600,00 100,00 120,0 % oltre")
                       << QStringLiteral("registrati al 15/03/2024");
            else
                wanted << QStringLiteral("A.E1 Entrate da quote associative e apporti dei fondatori 100,00");
            for (const QString &w : wanted)
                QVERIFY2(text.contains(w), qPrintable(w + QStringLiteral("\n---\n") + text));
        }
    }
};

QTEST_MAIN(TestBudget)
#include "tst_budget.moc"
