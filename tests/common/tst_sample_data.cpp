// The sample data generator: tax codes with the right check character, records
// that respect what the cards would have written, and the same bytes for the
// same seed.
#include "common/RecordFile.h"
#include "checks/IbanCheck.h"
#include "checks/TaxCodeCheck.h"
#include "SampleData.h"
#include "common/TextRules.h"
#include "support/TestPlatform.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSampleData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Worked by hand with the official tables of odd and even positions.
    void taxCode_data()
    {
        QTest::addColumn<QString>("surname");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<bool>("female");
        QTest::addColumn<QString>("town");
        QTest::addColumn<QString>("code");
        QTest::newRow("few consonants") << "Rossi" << "Mario" << QDate(1980, 1, 1) << false << "H501"
                                        << "RSSMRA80A01H501U";
        QTest::newRow("woman, name of two consonants")
            << "Bianchi" << "Giulia" << QDate(1990, 5, 1) << true << "F205" << "BNCGLI90E41F205P";
        QTest::newRow("blank in surname, name of six consonants")
            << "De Luca" << "Alessandro" << QDate(1975, 12, 31) << false << "H501" << "DLCLSN75T31H501O";
    }

    void taxCode()
    {
        QFETCH(QString, surname);
        QFETCH(QString, name);
        QFETCH(QDate, birth);
        QFETCH(bool, female);
        QFETCH(QString, town);
        QFETCH(QString, code);
        QCOMPARE(SampleData::taxCode(surname, name, birth, female, town), code);
        QVERIFY(TaxCodeCheck::isValid(code));
    }

    void archivesAreRealisticAndDeterministic()
    {
        TestPlatform platform; // today is 15/03/2024
        const QDate today = platform.clock.today();
        QTemporaryDir a, b, c;
        QVERIFY(SampleData(7).writeArchives(a.path(), 400, 2024, 600));
        QVERIFY(SampleData(7).writeArchives(b.path(), 400, 2024, 600));
        QVERIFY(SampleData(8).writeArchives(c.path(), 400, 2024, 600));
        for (const char *name : {"Soci.pro", "2024.eur"}) {
            const QString file = QString::fromLatin1(name);
            QCOMPARE(bytesOf(a.filePath(file)), bytesOf(b.filePath(file)));
            QVERIFY(bytesOf(a.filePath(file)) != bytesOf(c.filePath(file)));
        }

        QSet<QString> names, taxCodes;
        int expired = 0, withIban = 0;
        RecordFile<TSchedaSocio> members;
        QVERIFY(members.open(a.filePath(QStringLiteral("Soci.pro")), RecordFileBase::Access::Read));
        QCOMPARE(members.count(), qint64(400));
        while (!members.atEnd()) {
            TSchedaSocio s;
            QVERIFY(members.readNext(s));
            // Nothing was cut by the field capacities.
            QCOMPARE(RecordCodec::decode<TSchedaSocio>(RecordCodec::encode(s).constData()), s);
            QVERIFY(!s.Dipendente.isEmpty());
            names.insert(s.Dipendente);
            QCOMPARE(s.CodFisc.size(), 16);
            QVERIFY2(TaxCodeCheck::isValid(s.CodFisc), qPrintable(s.CodFisc));
            taxCodes.insert(s.CodFisc);
            QCOMPARE(TextRules::normaliseFee(s.Stipendio), s.Stipendio);
            const auto due = TextRules::parseDate(s.DataSca);
            QVERIFY2(due.has_value(), qPrintable(s.DataSca));
            QVERIFY(*due >= today.addDays(-120) && *due <= today.addDays(366));
            expired += *due < today;
            QVERIFY(!s.Preavviso.isEmpty());
            QVERIFY(!s.Email.contains(QLatin1Char(' ')));
            if (!s.Iban.isEmpty()) {
                ++withIban;
                QCOMPARE(s.Iban.size(), 27);
                QVERIFY2(IbanCheck::remainder(s.Iban) == 1, qPrintable(s.Iban));
            }
        }
        QVERIFY(names.size() > 200);
        QVERIFY(taxCodes.size() > 390);
        QVERIFY(expired > 40 && expired < 200);
        QVERIFY(withIban > 40);

        RecordFile<TSchedaMovimento> movements;
        QVERIFY(movements.open(a.filePath(QStringLiteral("2024.eur")), RecordFileBase::Access::Read));
        QCOMPARE(movements.count(), qint64(600));
        QDate previous;
        int income = 0, settled = 0;
        while (!movements.atEnd()) {
            TSchedaMovimento m;
            QVERIFY(movements.readNext(m));
            QCOMPARE(RecordCodec::decode<TSchedaMovimento>(RecordCodec::encode(m).constData()), m);
            QVERIFY((m.Entrata == kYes) != (m.Uscita == kYes));
            QVERIFY(m.Entrata == kYes || m.Entrata == kNo);
            const auto date = TextRules::parseDate(m.Data);
            QVERIFY(date && date->year() == 2024);
            QVERIFY(!previous.isValid() || *date >= previous);
            previous = *date;
            QVERIFY(TextRules::isValidDate(m.DataSca));
            QCOMPARE(TextRules::normaliseAmount(m.Importo), m.Importo);
            QCOMPARE(m.Totale, (m.Entrata == kYes ? QStringLiteral("+") : QStringLiteral("-")) + m.Importo);
            for (const QString *required : {&m.Causale, &m.Preavviso, &m.Pagatore, &m.Beneficiario})
                QVERIFY(!required->isEmpty());
            if (m.Entrata == kYes) {
                ++income;
                QVERIFY2(names.contains(m.Pagatore), qPrintable(m.Pagatore));
            }
            settled += m.Saldato == kYes;
        }
        QVERIFY(income > 250 && income < 550);
        QVERIFY(settled > 0 && settled < 600);
    }
};

QTEST_MAIN(TestSampleData)
#include "tst_sample_data.moc"
