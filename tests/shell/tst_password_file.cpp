// The password scrambler and the INI file that keeps it.
#include "common/IniText.h"
#include "shell/Crypt.h"
#include "shell/PasswordStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPasswordFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstAccessPasswordStoredForm()
    {
        QCOMPARE(Crypt::scramble(QStringLiteral("BENVENUTISSIMO")), QStringLiteral("5D602824792B0896A26F06075021"));
        QCOMPARE(Crypt::unscramble(QStringLiteral("5D602824792B0896A26F06075021")).value(),
                 QStringLiteral("BENVENUTISSIMO"));
    }

    void shortTexts()
    {
        QCOMPARE(Crypt::scramble(QString()), QString());
        QCOMPARE(Crypt::unscramble(QString()).value(), QString());
        QCOMPARE(Crypt::scramble(QStringLiteral("A")), QStringLiteral("5E"));
        QCOMPARE(Crypt::scramble(QStringLiteral("È")), QStringLiteral("D7"));
    }

    void roundTripOverEveryByteValue()
    {
        // Every code up to 255, in a few arrangements (each character's key depends on all before it).
        QString all;
        for (int i = 0; i < 255; ++i)
            all.append(QChar(ushort(i)));
        QString reversed = all;
        std::reverse(reversed.begin(), reversed.end());
        QString last;
        last.append(QChar(ushort(255)));
        for (const QString &text : {all, reversed, last}) {
            const QString hex = Crypt::scramble(text);
            QCOMPARE(hex.size(), 2 * text.size());
            QCOMPARE(Crypt::unscramble(hex).value(), text);
        }
    }

    void unscrambleRules()
    {
        QVERIFY(!Crypt::unscramble(QStringLiteral("5G")).has_value());
        // Lower-case digits are read, a last odd digit is ignored.
        QCOMPARE(Crypt::unscramble(QStringLiteral("5e")).value(), QStringLiteral("A"));
        QCOMPARE(Crypt::unscramble(QStringLiteral("5E7")).value(), QStringLiteral("A"));
    }

    void iniLookupIgnoresCase()
    {
        const IniText ini = IniText::parse("; comment\r\n[other]\r\nValore=x\r\n[ACCESSO]\r\n  valore = 5E \r\n");
        QCOMPARE(ini.value(QStringLiteral("Accesso"), QStringLiteral("Valore")), QStringLiteral("5E"));
        QVERIFY(ini.value(QStringLiteral("Accesso"), QStringLiteral("Altro")).isNull());
        QVERIFY(ini.value(QStringLiteral("Manca"), QStringLiteral("Valore")).isNull());
    }

    void writingChangesOnlyItsLine_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("value replaced, rest kept")
            << QByteArray("; Quintara\r\n[Other]\r\nValore=keep\r\n[accesso]\r\nVALORE=00\r\nExtra=1\r\n")
            << QByteArray("; Quintara\r\n[Other]\r\nValore=keep\r\n[accesso]\r\nVALORE=5E\r\nExtra=1\r\n");
        QTest::newRow("key added to its section")
            << QByteArray("[Accesso]\nAltro=1\n\n[Dopo]\nX=2\n")
            << QByteArray("[Accesso]\nAltro=1\nValore=5E\n\n[Dopo]\nX=2\n");
        QTest::newRow("section added") << QByteArray("[Dopo]\r\nX=2") << QByteArray("[Dopo]\r\nX=2\r\n[Accesso]\r\nValore=5E\r\n");
        QTest::newRow("empty file") << QByteArray() << QByteArray("[Accesso]\r\nValore=5E\r\n");
        QTest::newRow("Windows code page kept") << QByteArray("; Citt\xE0\r\n[Accesso]\r\nValore=00\r\n")
                                                << QByteArray("; Citt\xE0\r\n[Accesso]\r\nValore=5E\r\n");
        QTest::newRow("UTF-8 mark kept") << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=00\r\n")
                                         << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=5E\r\n");
        // Without a line feed after the lone CR the new key would be read as part of the header.
        QTest::newRow("header ending in a lone CR")
            << QByteArray("[Accesso]\r") << QByteArray("[Accesso]\r\r\nValore=5E\r\n");
    }
    void writingChangesOnlyItsLine()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        IniText ini = IniText::parse(before);
        ini.setValue(QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("5E"));
        QCOMPARE(ini.toBytes(), after);
        QCOMPARE(IniText::parse(ini.toBytes()).value(QStringLiteral("Accesso"), QStringLiteral("Valore")),
                 QStringLiteral("5E"));
    }

    void storeReadsAndWrites()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("unins000.dll"));
        PasswordStore store(path);
        QCOMPARE(store.read().value(), QString()); // no file: the empty password
        QVERIFY(store.write(QStringLiteral("SEGRETO")));
        QCOMPARE(store.read().value(), QStringLiteral("SEGRETO"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Accesso]\r\nValore=ZZ\r\n");
        }
        QVERIFY(!store.read().has_value()); // damaged value
    }
};

QTEST_GUILESS_MAIN(TestPasswordFile)
#include "tst_password_file.moc"
