// The association's yearly duties in the window shown after the login: when
// each appears, that it stays until marked done, and what lands in
// Adempimenti.ini.
#include "support/TestPlatform.h"

#include "books/YearDeadlines.h"
#include "common/ArchivePaths.h"
#include "common/ui/FieldEdit.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmPassword.h"

#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

namespace {

void writeSettings(const QByteArray &bytes)
{
    QFile f(YearDeadlines::path());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QStringList rows(QDialog *d)
{
    QStringList out;
    const QAbstractItemModel *model = control<QListView>(d, "lstAdempimenti")->model();
    for (int i = 0; i < model->rowCount(); ++i)
        out.append(model->index(i, 0).data().toString());
    return out;
}

void logIn(TestApp &app)
{
    if (!QFile::exists(ArchivePaths::password()))
        writeFirstAccessPassword(ArchivePaths::password());
    auto *login = app.screens->password();
    QTest::keyClicks(login->txtPassword, QStringLiteral("benvenutissimo"));
    QTest::mouseClick(login->cmdOK, Qt::LeftButton);
}

const QString kStatement2023 = QStringLiteral("Deposito al RUNTS del rendiconto 2023 entro il 30/06/2024");
const QString kCount2024 = QStringLiteral("Aggiornamento al RUNTS del numero dei soci (2024) entro il 30/06/2024");
const QString kFive = QStringLiteral("Rendiconto del 5 per mille ricevuto nel 2023 entro il 10/09/2024");

} // namespace

class TestYearDeadlines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void whenEachIsShown_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QStringList>("shown"); // each row's start
        const QByteArray received = "[Adempimenti]\r\nCinquePerMilleRicevuto=10/09/2023\r\n";
        QTest::newRow("before the notice") << QDate(2024, 5, 30) << received << QStringList{};
        QTest::newRow("first day of notice") << QDate(2024, 5, 31) << received << QStringList{kStatement2023, kCount2024};
        QTest::newRow("on the day") << QDate(2024, 6, 30) << received << QStringList{kStatement2023, kCount2024};
        QTest::newRow("after the day, not done") << QDate(2024, 7, 20) << received
                                                 << QStringList{kStatement2023, kCount2024};
        QTest::newRow("statement filed") << QDate(2024, 6, 10)
                                         << received + "RendicontoDepositato2023=05/06/2024\r\n" << QStringList{kCount2024};
        QTest::newRow("both done") << QDate(2024, 6, 10)
                                   << received + "RendicontoDepositato2023=05/06/2024\r\nNumeroSociAggiornato2024=06/06/2024\r\n"
                                   << QStringList{};
        QTest::newRow("5 per mille: before its notice") << QDate(2024, 8, 10)
                                                        << received + "RendicontoDepositato2023=05/06/2024\r\nNumeroSociAggiornato2024=06/06/2024\r\n"
                                                        << QStringList{};
        QTest::newRow("5 per mille: notice begun") << QDate(2024, 8, 11)
                                                   << received + "RendicontoDepositato2023=05/06/2024\r\nNumeroSociAggiornato2024=06/06/2024\r\n"
                                                   << QStringList{kFive};
        QTest::newRow("5 per mille: late, with the year's duties") << QDate(2024, 9, 11) << received
                                                                   << QStringList{kStatement2023, kCount2024, kFive};
        QTest::newRow("5 per mille: done") << QDate(2024, 9, 11)
                                           << received + "CinquePerMilleRendicontato2023=01/09/2024\r\n"
                                           << QStringList{kStatement2023, kCount2024};
        QTest::newRow("no receipt typed") << QDate(2024, 9, 11) << QByteArray() << QStringList{kStatement2023, kCount2024};
    }

    void whenEachIsShown()
    {
        QFETCH(QDate, today);
        QFETCH(QByteArray, settings);
        QFETCH(QStringList, shown);
        TestApp app;
        app.platform.clock.date = today;
        writeSettings(settings);
        QStringList seen;
        bool opened = false;
        app.platform.modal.handlers << [&](QDialog *d) {
            opened = true;
            seen = rows(d);
        };
        logIn(app);
        QCOMPARE(opened, !shown.isEmpty());
        QCOMPARE(seen.size(), shown.size());
        for (int i = 0; i < shown.size(); ++i)
            QVERIFY2(seen[i].startsWith(shown[i]), qPrintable(seen[i]));
    }

    void markedDoneStaysDone()
    {
        TestApp app;
        app.platform.clock.date = QDate(2024, 6, 28);
        QStringList after;
        app.platform.modal.handlers << [&](QDialog *d) {
            QVERIFY(rows(d).value(0).startsWith(kStatement2023));
            QVERIFY2(rows(d).value(0).endsWith(QStringLiteral("(mancano 2 giorni)")), qPrintable(rows(d).value(0)));
            QTest::mouseClick(control<QPushButton>(d, "btnFatto"), Qt::LeftButton);
            after = rows(d);
        };
        logIn(app);
        QCOMPARE(after.size(), 1);
        QVERIFY(after[0].startsWith(kCount2024));
        QVERIFY2(readBytes(YearDeadlines::path()).contains("RendicontoDepositato2023=28/06/2024"),
                 readBytes(YearDeadlines::path()).constData());

        // The next login shows only what is left.
        app.screens = std::make_unique<ScreenSet>();
        app.screens->start();
        QStringList next;
        app.platform.modal.handlers << [&](QDialog *d) { next = rows(d); };
        logIn(app);
        QCOMPARE(next.size(), 1);
        QVERIFY(next[0].startsWith(kCount2024));
    }

    void receiptDayTypedBringsItsReport()
    {
        TestApp app;
        app.platform.clock.date = QDate(2024, 6, 1);
        QStringList after;
        app.platform.modal.handlers << [&](QDialog *d) {
            FieldEdit *day = control<FieldEdit>(d, "txtCinque");
            day->setFocus();
            typeText(day, QStringLiteral("20/06/2023"));
            QTest::mouseClick(control<QPushButton>(d, "btnCinque"), Qt::LeftButton);
            after = rows(d);
        };
        logIn(app);
        QCOMPARE(after.size(), 3);
        // Its day comes before the others'.
        QVERIFY2(after[0].startsWith(QStringLiteral("Rendiconto del 5 per mille ricevuto nel 2023 entro il 20/06/2024")),
                 qPrintable(after[0]));
        QVERIFY(readBytes(YearDeadlines::path()).contains("CinquePerMilleRicevuto=20/06/2023"));
    }

    void receiptDayInTheFutureRefused()
    {
        TestApp app;
        app.platform.clock.date = QDate(2024, 6, 1);
        app.platform.modal.handlers << [&](QDialog *d) {
            FieldEdit *day = control<FieldEdit>(d, "txtCinque");
            day->setFocus();
            typeText(day, QStringLiteral("02/06/2024"));
            QTest::mouseClick(control<QPushButton>(d, "btnCinque"), Qt::LeftButton);
        };
        logIn(app);
        QVERIFY(app.platform.messages.lastText().startsWith(
            QStringLiteral("Attenzione: indicare il giorno in cui il contributo del 5 per mille")));
        QVERIFY(!readBytes(YearDeadlines::path()).contains("CinquePerMilleRicevuto"));
    }
};

QTEST_MAIN(TestYearDeadlines)
#include "tst_year_deadlines.moc"
