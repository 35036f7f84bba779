// A list screen of 100,000 rows: the list is a view over the rows' stored
// bytes, and only the rows it draws are ever made into text.
#include "support/TestPlatform.h"

#include "common/RowBytes.h"
#include "common/ui/ListScreen.h"
#include "common/ui/RowList.h"
#include "support/ShownRows.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr int kRows = 100000;

// The text of the n-th member of the list (1-based), as the member rows go.
QString rowText(int n)
{
    return QStringLiteral("Socio %1").arg(n, 6, 10, QLatin1Char('0')).leftJustified(30) +
           QStringLiteral("  C.F. RSSMRA80A01H501U  Scad. 31/12/2030  Tel. 0543 123456    Note: ");
}

} // namespace

class TestLongLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void onlyTheRowsShownAreMade()
    {
        TestPlatform platform;
        // Read in the reverse order of the names: row n of the sorted list is
        // the record at position kRows + 1 - n.
        RowBytes built;
        built.reserve(kRows);
        for (int n = kRows; n >= 1; --n) {
            built.beginRow(kRows + 1 - n);
            built.append(rowText(n).toLatin1());
        }
        built.sort();
        const RowTable rows = built.takeRows();

        QWidget window;
        window.resize(862, 560);
        ListScreen::Places places;
        places.instructions = QPoint(16, 80);
        places.instructionsWidth = 830;
        places.findEdit = QRect(16, 122, 600, 28);
        places.findButton = QRect(632, 120, 110, 32);
        places.list = QRect(16, 162, 830, 330);
        ListScreen screen(&window, &window, places, QStringLiteral("Riepilogo Soci in archivio"));
        QSignalSpy chosen(&screen, &ListScreen::rowChosen);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto *list = control<RowList>(&window, "lstRecords");
        screen.setRows(rows);
        QCOMPARE(ShownRows::count(list), kRows);
        QCOMPARE(screen.rowCount(), kRows);
        // Filling made no row's text.
        QCOMPARE(list->rowModel()->textsMade(), 0);

        // Drawing the list makes the texts of the rows it shows, some 17 of
        // them, each maybe more than once, and no others.
        const int onScreen = list->viewport()->height() / 15 + 1;
        const auto madeFor = [&](auto work) {
            const qint64 before = list->rowModel()->textsMade();
            work();
            return list->rowModel()->textsMade() - before;
        };
        const auto drawing = [&] { (void)list->viewport()->grab(); };
        const qint64 atTop = madeFor([&] {
            QCoreApplication::processEvents();
            drawing();
        });
        QVERIFY(atTop > 0);
        QVERIFY2(atTop <= 4 * onScreen, qPrintable(QString::number(atTop)));

        list->scrollToBottom();
        const qint64 atBottom = madeFor([&] {
            QCoreApplication::processEvents();
            drawing();
        });
        QVERIFY(atBottom > 0);
        QVERIFY2(atBottom <= 4 * onScreen, qPrintable(QString::number(atBottom)));
        QCOMPARE(ShownRows::text(list, kRows - 1), rowText(kRows));
        QCOMPARE(ShownRows::text(list, 0), rowText(1));
        QVERIFY(ShownRows::place(list, kRows - 1).width() >= 1600);

        // "Trova" walks the stored rows: a key found only near the end selects
        // its row without a text made for the rows before it.
        auto *key = control<QLineEdit>(&window, "txtTrova");
        key->setText(QStringLiteral("SOCIO 099999"));
        const qint64 finding =
            madeFor([&] { QTest::mouseClick(control<QPushButton>(&window, "btnTrova"), Qt::LeftButton); });
        QCOMPARE(ShownRows::current(list), kRows - 2);
        QVERIFY2(finding <= 4 * onScreen, qPrintable(QString::number(finding)));

        // The count and the printed lines come from the same rows.
        const QStringList printed = screen.rowTexts();
        QCOMPARE(printed.size(), kRows);
        QCOMPARE(printed.at(kRows / 2), rowText(kRows / 2 + 1));

        // A double click on the last row chooses the record behind it.
        ShownRows::doubleClick(list, kRows - 1);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().first().toLongLong(), 1);
    }
};

QTEST_MAIN(TestLongLists)
#include "tst_long_lists.moc"
