// The association's data (Ente.ini) and the statement's classification
// (Rendiconto.ini): what lands on disk and what reads back.
#include "statement/Classification.h"
#include "common/EnteData.h"

#include "common/TextRules.h"

#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QTest>

using Side = StatementItems::Side;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestStatementFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void enteWrittenAsUtf8WithCrLf()
    {
        TestPlatform p;
        EnteData e{QStringLiteral("Società Corale \"La Quinta\""), QStringLiteral("97012340158"),
                   QStringLiteral("Via Roma 1; 20100 Milano"), QStringLiteral("12345"), QStringLiteral("APS"),
                   QStringLiteral("Anna Bianchi"), QStringLiteral("Luca Verdi")};
        QString error;
        QVERIFY2(e.save(p.folder.path(), &error), qPrintable(error));
        const QByteArray expected = QStringLiteral("[Ente]\r\n"
                                                   "Denominazione=Società Corale \"La Quinta\"\r\n"
                                                   "CodiceFiscale=97012340158\r\n"
                                                   "Indirizzo=Via Roma 1; 20100 Milano\r\n"
                                                   "Runts=12345\r\n"
                                                   "Tipologia=APS\r\n"
                                                   "Presidente=Anna Bianchi\r\n"
                                                   "Tesoriere=Luca Verdi\r\n")
                                        .toUtf8();
        QCOMPARE(readBytes(p.file(QStringLiteral("Ente.ini"))), expected);
        const auto back = EnteData::load(p.folder.path(), &error);
        QVERIFY(back.has_value());
        QCOMPARE(*back, e);
    }

    void enteAbsentIsEmptyAndUnreadableIsRefused()
    {
        TestPlatform p;
        QString error;
        const auto none = EnteData::load(p.folder.path(), &error);
        QVERIFY(none.has_value());
        QVERIFY(none->isEmpty());
        QVERIFY(!QFile::exists(p.file(QStringLiteral("Ente.ini"))));

        // A folder where the file should be: nothing to read, and the save leaves it alone.
        QVERIFY(QDir(p.folder.path()).mkdir(QStringLiteral("Ente.ini")));
        QVERIFY(!EnteData::load(p.folder.path(), &error).has_value());
        QVERIFY(!error.isEmpty());
        EnteData e;
        e.denominazione = QStringLiteral("X");
        QVERIFY(!e.save(p.folder.path(), &error));
        QVERIFY(QFileInfo(p.file(QStringLiteral("Ente.ini"))).isDir());
    }

    void enteReadsKeysAsAnEditorLeftThem()
    {
        TestPlatform p;
        // A byte-order mark, LF lines, blanks around keys, other case, a comment.
        writeFile(p.file(QStringLiteral("Ente.ini")),
                  "\xEF\xBB\xBF; scritto a mano\n[ente]\n  denominazione =  Circolo Ü  \nTIPOLOGIA=ODV\n");
        const auto e = EnteData::load(p.folder.path());
        QVERIFY(e.has_value());
        QCOMPARE(e->denominazione, QStringLiteral("Circolo Ü"));
        QCOMPARE(e->tipologia, QStringLiteral("ODV"));
        QVERIFY(e->presidente.isEmpty());
    }

    void reasonKeysReadBackTheSame_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::newRow("equals") << QStringLiteral("Quota=2025");
        QTest::newRow("semicolon") << QStringLiteral("Affitto; sala");
        QTest::newRow("bracket") << QStringLiteral("[Uscite] rimborso");
        QTest::newRow("hash and percent") << QStringLiteral("#1 sconto 10%");
        QTest::newRow("leading blank") << QStringLiteral(" erogazione");
        QTest::newRow("accented") << QStringLiteral("Attività è più però");
        QTest::newRow("250 characters") << QString(250, QLatin1Char('x')).replace(100, 3, QStringLiteral("=;["));
    }

    void reasonKeysReadBackTheSame()
    {
        QFETCH(QString, reason);
        TestPlatform p;
        Classification c;
        c.setItem(Side::Income, reason, QStringLiteral("A.E4"));
        c.setItem(Side::Expense, QStringLiteral("altro"), QStringLiteral("A.U5"));
        QVERIFY(c.save(p.folder.path()));
        const QByteArray bytes = readBytes(p.file(QStringLiteral("Rendiconto.ini")));
        // One line per entry: the key never breaks the file's layout.
        const QList<QByteArray> lines = bytes.split('\n');
        QVERIFY(bytes.endsWith("\r\n"));
        for (const QByteArray &l : lines.mid(0, lines.size() - 1))
            QVERIFY2(l.endsWith('\r'), l.constData());
        const auto back = Classification::load(p.folder.path());
        QVERIFY(back.has_value());
        QVERIFY(back->problems().isEmpty());
        // Read back the same, trimmed (a leading blank is not part of a reason).
        QCOMPARE(back->incomeItemOf(reason), QStringLiteral("A.E4"));
        QCOMPARE(back->incomeItemOf(TextRules::upperAZ(reason)), QStringLiteral("A.E4"));
        QCOMPARE(back->expenseItemOf(reason), QString());
        QCOMPARE(*back, c);
        // Written again, the file is the same byte for byte.
        QVERIFY(back->save(p.folder.path()));
        QCOMPARE(readBytes(p.file(QStringLiteral("Rendiconto.ini"))), bytes);
    }

    void reasonsMatchWithTheAZOnlyFolding()
    {
        Classification c;
        c.setItem(Side::Income, QStringLiteral("  Quota Associativa "), QStringLiteral("A.E1"));
        c.setItem(Side::Income, QStringLiteral("Attività"), QStringLiteral("A.E7"));
        QCOMPARE(c.incomeItemOf(QStringLiteral("QUOTA associativa")), QStringLiteral("A.E1"));
        QCOMPARE(c.incomeItemOf(QStringLiteral("ATTIVITà")), QStringLiteral("A.E7"));
        // Accented letters keep their case.
        QCOMPARE(c.incomeItemOf(QStringLiteral("ATTIVITÀ")), QString());
        QCOMPARE(c.expenseItemOf(QStringLiteral("Quota associativa")), QString());
        // An expense code is no income item.
        c.setItem(Side::Income, QStringLiteral("Quota associativa"), QStringLiteral("A.U1"));
        QCOMPARE(c.incomeItemOf(QStringLiteral("Quota associativa")), QString());
    }

    void paymentsAndBalancesOnDisk()
    {
        TestPlatform p;
        Classification c;
        c.setAccount(QStringLiteral("Contanti"), Classification::Account::Cassa);
        c.setAccount(QStringLiteral("Bonifico"), Classification::Account::Banca);
        c.setAccount(QString(), Classification::Account::Cassa);
        c.setOpening(2025, Classification::Opening{100000, -5050});
        QVERIFY(c.save(p.folder.path()));
        const QString text = QString::fromUtf8(readBytes(p.file(QStringLiteral("Rendiconto.ini"))));
        QVERIFY2(text.contains(QStringLiteral("[Pagamenti]\r\n=Cassa\r\nBonifico=Banca\r\nContanti=Cassa\r\n")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("[Saldi]\r\n2025.Cassa=1000,00\r\n2025.Banca=-50,50\r\n")),
                 qPrintable(text));
        const auto back = Classification::load(p.folder.path());
        QCOMPARE(back->accountOf(QStringLiteral(" CONTANTI")), Classification::Account::Cassa);
        QCOMPARE(back->accountOf(QStringLiteral("")), Classification::Account::Cassa);
        QCOMPARE(back->accountOf(QStringLiteral("Carta")), Classification::Account::None);
        QCOMPARE(back->opening(2025), std::optional(Classification::Opening{100000, -5050}));
        QVERIFY(!back->opening(2024).has_value());
    }

    void linesNotUnderstoodAreListed()
    {
        TestPlatform p;
        writeFile(p.file(QStringLiteral("Rendiconto.ini")),
                  "[Entrate]\r\nQuota=A.E1\r\nVendita=Z.E9\r\nAffitto=A.U3\r\n"
                  "[Pagamenti]\r\nAssegno=Posta\r\n[Saldi]\r\n2025.Cassa=1.000,00\r\n2025.Banca=1e3\r\n");
        const auto c = Classification::load(p.folder.path());
        QVERIFY(c.has_value());
        QCOMPARE(c->incomeItemOf(QStringLiteral("quota")), QStringLiteral("A.E1"));
        QCOMPARE(c->problems(), (QStringList{QStringLiteral("[Entrate] Vendita=Z.E9"),
                                             QStringLiteral("[Entrate] Affitto=A.U3"),
                                             QStringLiteral("[Pagamenti] Assegno=Posta"),
                                             QStringLiteral("[Saldi] 2025.Cassa=1.000,00"),
                                             QStringLiteral("[Saldi] 2025.Banca=1e3")}));
        QVERIFY(!c->opening(2025).has_value());
    }
};

QTEST_MAIN(TestStatementFiles)
#include "tst_statement_files.moc"
