// The shared text rules; this program runs under several locales and must give
// the same results under each.
#include "common/TextRules.h"

#include <QTest>

using namespace TextRules;

class TestTextRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fitting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("fitted");
        QTest::newRow("padded") << "Rossi" << 8 << "Rossi   ";
        QTest::newRow("trimmed first") << "  Rossi  " << 6 << "Rossi ";
        QTest::newRow("cut") << "Abbondanzieri Maria" << 10 << "Abbondanzi";
        QTest::newRow("empty") << "" << 3 << "   ";
    }
    void fitting()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, fitted);
        QCOMPARE(fit(text, width), fitted);
    }

    void caseChangesOnlyAsciiLetters()
    {
        QCOMPARE(upperAZ(QStringLiteral("città è bella")), QStringLiteral("CITTà è BELLA"));
        QCOMPARE(lowerAZ(QStringLiteral("CITTÀ È")), QStringLiteral("cittÀ È"));
    }

    void containsNeedsANonEmptyNeedle()
    {
        QVERIFY(contains(QStringLiteral("Rossi Mario"), QStringLiteral("ssi M")));
        QVERIFY(!contains(QStringLiteral("Rossi Mario"), QString()));
        QVERIFY(!contains(QString(), QString()));
        QVERIFY(!contains(QStringLiteral("Rossi"), QStringLiteral("rossi")));
    }

    void rowsCompareIgnoringAsciiCase()
    {
        QVERIFY(compareRows(QStringLiteral("rossi"), QStringLiteral("ROSSI")) == 0);
        QVERIFY(compareRows(QStringLiteral("abc"), QStringLiteral("ABD")) < 0);
        QVERIFY(compareRows(QStringLiteral("Z"), QStringLiteral("è")) < 0); // by character code
        QVERIFY(compareRows(QStringLiteral("ab"), QStringLiteral("abc")) < 0);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("day first") << "05/03/2024" << QDate(2024, 3, 5);
        QTest::newRow("leap day") << "29/02/2024" << QDate(2024, 2, 29);
        QTest::newRow("no leap day") << "29/02/2023" << QDate();
        QTest::newRow("no such day") << "31/02/2024" << QDate();
        QTest::newRow("month 13") << "01/13/2024" << QDate();
        QTest::newRow("short parts") << "5/3/2024" << QDate();
        QTest::newRow("two-digit year") << "05/03/24" << QDate();
        QTest::newRow("other separator") << "05-03-2024" << QDate();
        QTest::newRow("blank") << "" << QDate();
        QTest::newRow("letters") << "aa/bb/cccc" << QDate();
    }
    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const auto parsed = parseDate(text);
        QCOMPARE(parsed.value_or(QDate()), date);
        QCOMPARE(isValidDate(text), date.isValid());
        if (date.isValid())
            QCOMPARE(formatDate(date), text);
    }

    void decimals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("comma") << "12,50" << true << 12.5;
        QTest::newRow("leading comma") << ",5" << true << 0.5;
        QTest::newRow("trailing comma") << "12," << true << 12.0;
        QTest::newRow("blanks") << " 7 " << true << 7.0;
        QTest::newRow("sign") << "-3,25" << true << -3.25;
        QTest::newRow("point is not a separator") << "12.50" << false << 0.0;
        QTest::newRow("two commas") << "1,2,3" << false << 0.0;
        QTest::newRow("lone comma") << "," << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("grouping") << "1.250,00" << false << 0.0;
    }
    void decimals()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto v = parseDecimal(text);
        QCOMPARE(v.has_value(), valid);
        if (valid)
            QCOMPARE(*v, value);
    }

    // A stored amount takes no exponent, however the general decimal rule reads one.
    void amounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("signed") << "+1234,57" << true << 1234.57;
        QTest::newRow("negative") << "-0,50" << true << -0.5;
        QTest::newRow("no sign, blanks") << " 12 " << true << 12.0;
        QTest::newRow("exponent") << "+1e3" << false << 0.0;
        QTest::newRow("huge exponent") << "+1e308" << false << 0.0;
        QTest::newRow("capital exponent") << "1,5E2" << false << 0.0;
        QTest::newRow("two signs") << "+-5" << false << 0.0;
        QTest::newRow("sign inside") << "5-" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
    }
    void amounts()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto v = parseAmount(text);
        QCOMPARE(v.has_value(), valid);
        if (valid)
            QCOMPARE(*v, value);
    }

    void generalFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 12.0 << "12";
        QTest::newRow("half") << 12.5 << "12,5";
        QTest::newRow("hundredths") << 0.05 << "0,05";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative") << -1250.75 << "-1250,75";
        QTest::newRow("fifteen digits") << 123456789012.345 << "123456789012,345";
        QTest::newRow("sum in binary") << 0.1 + 0.2 << "0,3";
    }
    void generalFormat()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(formatGeneral(value), text);
    }

    void twoDecimals()
    {
        QCOMPARE(formatTwoDecimals(1250), QStringLiteral("1250,00"));
        QCOMPARE(formatTwoDecimals(-0.5), QStringLiteral("-0,50"));
        QCOMPARE(formatTwoDecimals(-0.001), QStringLiteral("0,00"));
    }

    void fee_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("whole") << "12" << "12,00";
        QTest::newRow("one decimal") << "12,5" << "12,50";
        QTest::newRow("two decimals") << "12,50" << "12,50";
        QTest::newRow("leading comma") << ",5" << "0,50";
        QTest::newRow("leading zeros") << "007" << "7,00";
        QTest::newRow("three decimals kept") << "12,345" << "12,345";
        QTest::newRow("rounded to four") << "12,34567" << "12,3457";
        QTest::newRow("two commas") << "1,2,3" << "0,00";
        QTest::newRow("lone comma") << "," << "0,00";
        QTest::newRow("empty") << "" << "0,00";
        QTest::newRow("blank") << "   " << "0,00";
        QTest::newRow("ten digits") << "1234567890,5" << "1234567890,50";
        QTest::newRow("pasted negative") << "-5" << "-5,00";
        QTest::newRow("pasted exponent") << "1e305" << "0,00";
        QTest::newRow("twenty digits") << "12345678901234567890" << "0,00";
    }
    void fee()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        QCOMPARE(normaliseFee(typed), normalised);
        QCOMPARE(normaliseFee(normalised), normalised);
    }

    void amount_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("whole") << "7" << "7,00";
        QTest::newRow("one decimal") << "7,5" << "7,50";
        QTest::newRow("leading comma") << ",5" << "0,50";
        QTest::newRow("rounded up") << "12,345" << "12,35";
        QTest::newRow("rounded down") << "12,344" << "12,34";
        QTest::newRow("leading zeros") << "0012" << "12,00";
        QTest::newRow("empty") << "" << "0,00";
        QTest::newRow("lone comma") << "," << "0,00";
        QTest::newRow("binary just below") << "1,005" << "1,00";
        QTest::newRow("typed then left") << "1234,567" << "1234,57";
        QTest::newRow("not a number") << "12a" << "0,00";
        QTest::newRow("eighteen characters") << "999999999999999" << "999999999999999,00";
        QTest::newRow("pasted negative") << "-5" << "-5,00";
        QTest::newRow("negative half") << "-0,125" << "-0,13";
        QTest::newRow("pasted exponent") << "1e20" << "0,00";
        QTest::newRow("twenty digits") << "12345678901234567890" << "0,00";
    }
    void amount()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        QCOMPARE(normaliseAmount(typed), normalised);
        QCOMPARE(normaliseAmount(normalised), normalised);
    }

    void trimmingStopsAtControlCharacters()
    {
        QCOMPARE(trim(QStringLiteral("\t a b \r\n")), QStringLiteral("a b"));
        QCOMPARE(trim(QStringLiteral("\u00a0x\u00a0")), QStringLiteral("\u00a0x\u00a0"));
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_text_rules.moc"
