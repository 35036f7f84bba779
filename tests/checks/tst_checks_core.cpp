// The code checks as the check windows report them: the tax code, the VAT
// number with its office, and the IBAN.
#include "checks/IbanCheck.h"
#include "checks/TaxCodeCheck.h"
#include "checks/VatNumberCheck.h"
#include "checks/VatOffices.h"

#include <QTest>

Q_DECLARE_METATYPE(CheckOutcome::Kind)

namespace {

const QString kTaxValid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString kTaxWrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
const QString kTaxLength =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");

QString vatValid(const QString &office)
{
    return QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                          "E' stato rilasciato dall'Ufficio IVA del Comune di ") +
           office + QStringLiteral(".");
}
const QString kVatWrong = QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                         "Non è quindi possibile fornire informazioni relative all'Ufficio IVA "
                                         "che lo ha rilasciato.");
const QString kVatLength =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");

const QString kIbanValid = QStringLiteral("L'IBAN digitato è VALIDO.");
const QString kIbanWrong = QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!");
const QString kIbanLength = QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");

constexpr auto Info = CheckOutcome::Kind::Information;
constexpr auto Warn = CheckOutcome::Kind::Warning;

void addOutcomeColumns()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<CheckOutcome::Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("closes");
}

void compareOutcome(const CheckOutcome &got)
{
    QFETCH(CheckOutcome::Kind, kind);
    QFETCH(QString, text);
    QFETCH(bool, closes);
    QCOMPARE(got.text, text);
    QCOMPARE(got.kind, kind);
    QCOMPARE(got.closesWindow, closes);
}

} // namespace

class TestChecksCore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void taxCode_data()
    {
        addOutcomeColumns();
        QTest::newRow("valid") << "RSSMRA85T10A562S" << Info << kTaxValid << true;
        QTest::newRow("wrong check letter") << "RSSMRA85T10A562T" << Warn << kTaxWrong << true;
        QTest::newRow("another valid code") << "MRTMTT25D09F205Z" << Info << kTaxValid << true;
        QTest::newRow("lower case is tested in capitals") << "rssmra85t10a562s" << Info << kTaxValid << true;
        QTest::newRow("15 characters") << "RSSMRA85T10A562" << Warn << kTaxLength << false;
        QTest::newRow("17 characters") << "RSSMRA85T10A562SX" << Warn << kTaxLength << false;
        QTest::newRow("empty") << "" << Warn << kTaxLength << false;
        QTest::newRow("digit at the end") << "RSSMRA85T10A5621" << Warn << kTaxWrong << true;
        QTest::newRow("accented letter") << "RSSMRÀ85T10A562S" << Warn << kTaxWrong << true;
        QTest::newRow("hyphen") << "RSSMRA-5T10A562S" << Warn << kTaxWrong << true;
        QTest::newRow("blank inside") << "RSSMRA 5T10A562S" << Warn << kTaxWrong << true;
        // Homonym codes replace digits with letters: judged by the same rule.
        QTest::newRow("homonym letter") << "RSSMRA85T10A56NH" << Info << kTaxValid << true;
        // The signs between "9" and "A" count nothing but do not spoil the code.
        QTest::newRow("colon counts zero") << ":SSMRA85T10A562K" << Info << kTaxValid << true;
        QTest::newRow("at sign counts zero") << "RSSMRA@5T10A562Z" << Info << kTaxValid << true;
    }
    void taxCode()
    {
        QFETCH(QString, typed);
        compareOutcome(TaxCodeCheck::check(typed));
    }

    void taxCodeCheckCharacter()
    {
        QCOMPARE(TaxCodeCheck::checkCharacter(QStringLiteral("RSSMRA85T10A562")), QChar(u'S'));
        QVERIFY(TaxCodeCheck::checkCharacter(QStringLiteral("RSSMRA85T10A56")).isNull());
        QVERIFY(TaxCodeCheck::checkCharacter(QStringLiteral("RSSMRA85T10A56[")).isNull());
    }

    void vatNumber_data()
    {
        addOutcomeColumns();
        QTest::newRow("Milano 1") << "12345670157" << Info << vatValid(QStringLiteral("Milano 1")) << true;
        QTest::newRow("wrong check digit") << "12345670158" << Warn << kVatWrong << true;
        QTest::newRow("Napoli 1") << "00000000638" << Info << vatValid(QStringLiteral("Napoli 1")) << true;
        QTest::newRow("office 110 unknown") << "12345671106" << Info << vatValid(QString()) << true;
        QTest::newRow("office 000 unknown") << "12345670009" << Info << vatValid(QString()) << true;
        QTest::newRow("office 101") << "12345671015" << Info << vatValid(QStringLiteral("Bologna 2")) << true;
        QTest::newRow("office 120") << "12345671205" << Info << vatValid(QStringLiteral("Bologna 2")) << true;
        QTest::newRow("office 102") << "12345671023" << Info << vatValid(QStringLiteral("Napoli 2")) << true;
        QTest::newRow("office 121") << "12345671213" << Info << vatValid(QStringLiteral("Napoli 2")) << true;
        QTest::newRow("office 040") << "12345670405" << Info << vatValid(QStringLiteral("Forlì")) << true;
        QTest::newRow("office 096")
            << "12345670967" << Info << vatValid(QStringLiteral("Monza (Milano 2)")) << true;
        QTest::newRow("10 digits") << "1234567015" << Warn << kVatLength << false;
        QTest::newRow("12 digits") << "123456701570" << Warn << kVatLength << false;
        QTest::newRow("empty") << "" << Warn << kVatLength << false;
        QTest::newRow("letter at the end") << "1234567015A" << Warn << kVatWrong << true;
        QTest::newRow("letter inside") << "12345A70157" << Warn << kVatWrong << true;
        QTest::newRow("blank at the end") << "1234567015 " << Warn << kVatWrong << true;
    }
    void vatNumber()
    {
        QFETCH(QString, typed);
        compareOutcome(VatNumberCheck::check(typed));
    }

    void vatOffices_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("office");
        QTest::newRow("001") << "001" << "Torino";
        QTest::newRow("015") << "015" << "Milano 1";
        QTest::newRow("058") << "058" << "Roma 1";
        QTest::newRow("066") << "066" << "Aquila";
        QTest::newRow("097") << "097" << "Prato (Firenze 2)";
        QTest::newRow("099") << "099" << "Chiavari (Genova 2)";
        QTest::newRow("100") << "100" << "Roma 2";
        QTest::newRow("120") << "120" << "Bologna 2";
        QTest::newRow("121") << "121" << "Napoli 2";
        QTest::newRow("000") << "000" << "";
        QTest::newRow("103") << "103" << "";
        QTest::newRow("119") << "119" << "";
        QTest::newRow("122") << "122" << "";
        QTest::newRow("999") << "999" << "";
        QTest::newRow("two digits") << "15" << "";
    }
    void vatOffices()
    {
        QFETCH(QString, code);
        QFETCH(QString, office);
        QCOMPARE(VatOffices::name(code), office);
    }

    // 104 offices: every code from 001 to 102, then 120 and 121; nothing else.
    void vatOfficeCodesInTable()
    {
        int named = 0;
        for (int n = 0; n <= 999; ++n) {
            const QString code = QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
            const bool expected = (n >= 1 && n <= 102) || n == 120 || n == 121;
            QVERIFY2(VatOffices::name(code).isEmpty() != expected, qPrintable(code));
            named += expected;
        }
        QCOMPARE(named, 104);
    }

    void iban_data()
    {
        addOutcomeColumns();
        QTest::newRow("valid") << "IT60X0542811101000000123456" << Info << kIbanValid << true;
        QTest::newRow("last digit changed") << "IT60X0542811101000000123457" << Warn << kIbanWrong << true;
        QTest::newRow("lower case") << "it60x0542811101000000123456" << Info << kIbanValid << true;
        QTest::newRow("blanks around are trimmed") << "  IT60X0542811101000000123456 " << Info << kIbanValid << true;
        QTest::newRow("26 characters") << "IT60X054281110100000012345" << Warn << kIbanLength << false;
        QTest::newRow("28 characters") << "IT60X05428111010000001234567" << Warn << kIbanLength << false;
        QTest::newRow("blank inside") << "IT60X0542811101000000 12345" << Warn << kIbanWrong << true;
        QTest::newRow("foreign IBAN of 27") << "FR1420041010050500013M02606" << Info << kIbanValid << true;
        QTest::newRow("hyphen") << "IT60X0542811101000000-23456" << Warn << kIbanWrong << true;
        QTest::newRow("slash") << "IT60X0542811101000000/23456" << Warn << kIbanWrong << true;
    }
    void iban()
    {
        QFETCH(QString, typed);
        compareOutcome(IbanCheck::check(typed));
    }

    void ibanRemainder_data()
    {
        QTest::addColumn<QString>("iban");
        QTest::addColumn<int>("remainder");
        QTest::newRow("valid") << "IT60X0542811101000000123456" << 1;
        QTest::newRow("ending in 7") << "IT60X0542811101000000123457" << 28;
        QTest::newRow("blank inside") << "IT60X0542811101000000 12345" << 68;
        QTest::newRow("grouped by four") << "IT60 X054 2811 1010 0000 0123 456" << 1;
        QTest::newRow("with the word IBAN") << "IBAN IT60 X054 2811 1010 0000 0123 456" << 1;
        QTest::newRow("foreign") << "FR1420041010050500013M02606" << 1;
        QTest::newRow("hyphen") << "IT60X0542811101000000-23456" << 0;
        QTest::newRow("leading minus") << "IT60-0542811101000000123456" << 0;
        QTest::newRow("accented letter") << "IT60È0542811101000000123456" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void ibanRemainder()
    {
        QFETCH(QString, iban);
        QFETCH(int, remainder);
        QCOMPARE(IbanCheck::remainder(iban), remainder);
    }
};

QTEST_GUILESS_MAIN(TestChecksCore)
#include "tst_checks_core.moc"
