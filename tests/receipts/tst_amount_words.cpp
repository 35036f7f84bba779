// The amount of a receipt in Italian words, as the receipt prints it.
#include "receipts/AmountInWords.h"

#include <QTest>

class TestAmountWords : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void words_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("words");
        const struct
        {
            const char *stored, *words;
        } cases[] = {
            {"0,50", "zero/50"},
            {"1,00", "uno/00"},
            {"11,00", "undici/00"},
            {"16,00", "sedici/00"},
            {"17,00", "diciassette/00"},
            {"21,00", "ventuno/00"},
            {"28,00", "ventotto/00"},
            {"100,00", "cento/00"},
            {"101,00", "centouno/00"},
            {"111,00", "centoundici/00"},
            {"1000,00", "mille/00"},
            {"1001,00", "milleuno/00"},
            {"2000,00", "duemila/00"},
            {"1000000,00", "unmilione/00"},
            {"2000000,00", "duemilioni/00"},
            {"99999999999,99",
             "novantanovemiliardinovecentonovantanovemilioninovecentonovantanovemilanovecentonovantanove/99"},
            // The receipts' own example, and the other joins of the words.
            {"120,50", "centoventi/50"},
            {"23,00", "ventitré/00"},
            {"103,00", "centotré/00"},
            {"1003,00", "milletré/00"},
            {"23000,00", "ventitremila/00"},
            {"21000,00", "ventunomila/00"},
            {"38,05", "trentotto/05"},
            {"180,00", "centottanta/00"},
            {"1999,90", "millenovecentonovantanove/90"},
            {"3001001,10", "tremilionimilleuno/10"},
            {"1000000000,00", "unmiliardo/00"},
            {"25,5", "venticinque/50"},
        };
        for (const auto &c : cases)
            QTest::newRow(c.stored) << QString::fromUtf8(c.stored) << QString::fromUtf8(c.words);
    }
    void words()
    {
        QFETCH(QString, stored);
        QFETCH(QString, words);
        QCOMPARE(AmountInWords::ofStoredAmount(stored).value_or(QStringLiteral("<none>")), words);
    }

    // What is not a stored amount, or more than the words can hold, gives no words.
    void notAnAmount_data()
    {
        QTest::addColumn<QString>("stored");
        for (const char *s : {"", "dieci", "1e5", "-5,00", "1.000,00", "100000000000,00", "12,5x"})
            QTest::newRow(s) << QString::fromLatin1(s);
    }
    void notAnAmount()
    {
        QFETCH(QString, stored);
        QVERIFY(!AmountInWords::ofStoredAmount(stored));
    }
};

QTEST_GUILESS_MAIN(TestAmountWords)
#include "tst_amount_words.moc"
