// The statement readers on small files of every kind banks give: what rows come
// out, which lines are refused and why, and which files are refused whole.
#include "bank/BankFixtures.h"

#include "bank/XlsFixture.h"
#include "support/FileFaults.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <xlsxwriter.h>

class TestBankReaders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void csv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("semicolons, preamble, Dare/Avere, totals, BOM") << QByteArray(
            "\xEF\xBB\xBF"
            "Banca Esempio;;;;\r\n"
            "Conto;IT60X0542811101000000123456;;;\r\n"
            "Periodo;01/01/2026 - 31/01/2026;;;\r\n"
            "\r\n"
            "Data contabile;Data valuta;Descrizione;Dare;Avere;Descrizione estesa\r\n"
            "05/01/2026;04/01/2026;BONIFICO A VOSTRO FAVORE;;1.234,56;BONIFICO DA ROSSI MARIO PER QUOTA 2026\r\n"
            "07/01/2026;07/01/2026;PAGAMENTO POS;12,30;;CAFF\xC3\x88 CENTRALE\r\n"
            "Totale;;;12,30;1.234,56;\r\n"
            "Saldo finale;;;;5.000,00;\r\n")
            << QStringList{QStringLiteral("6 05/01/2026 04/01/2026 1.234,56 | BONIFICO A VOSTRO FAVORE | BONIFICO DA ROSSI "
                                          "MARIO PER QUOTA 2026 | ROSSI MARIO | "),
                           QStringLiteral("7 07/01/2026 07/01/2026 -12,30 | PAGAMENTO POS | CAFFÈ CENTRALE |  | ")};
        QTest::newRow("commas, quotes with doubled quotes and a line break, point decimals, ISO dates")
            << QByteArray("Data,Descrizione,Importo,Riferimento\n"
                          "2026-02-01,\"Quota \"\"socio\"\" 2026, Bianchi\",\"1,250.00\",R1\n"
                          "2026-02-03,\"Rimborso spese\nseconda riga\",-45.10,R2\n")
            << QStringList{QStringLiteral("2 01/02/2026 01/02/2026 1.250,00 | Quota \"socio\" 2026, Bianchi |  |  | R1"),
                           QStringLiteral("3 03/02/2026 03/02/2026 -45,10 | Rimborso spese seconda riga |  |  | R2")};
        QTest::newRow("tabs, two-digit years, Windows-1252")
            << QByteArray("Data operazione\tOperazione\tAccrediti\tAddebiti\n"
                          "02/03/26\tCaff\xE8 e t\xE8\t\t3,50\n"
                          "03/03/26\tContributo\t100\t\n")
            << QStringList{QStringLiteral("2 02/03/2026 02/03/2026 -3,50 | Caffè e tè |  |  | "),
                           QStringLiteral("3 03/03/2026 03/03/2026 100,00 | Contributo |  |  | ")};
        QTest::newRow("bad amounts, impossible date, another currency")
            << QByteArray("Data;Descrizione;Importo;Divisa\n"
                          "01/04/2026;uno;1.234,5;EUR\n"
                          "02/04/2026;due;-;EUR\n"
                          "31/02/2025;tre;10,00;EUR\n"
                          "03/04/2026;quattro;10,00;USD\n"
                          "04/04/2026;cinque;10,00;EUR\n")
            << QStringList{QStringLiteral("6 04/04/2026 04/04/2026 10,00 | cinque |  |  | "),
                           QStringLiteral("!2 importo non valido: \"1.234,5\""),
                           QStringLiteral("!3 importo non valido: \"-\""),
                           QStringLiteral("!4 data non valida: \"31/02/2025\""),
                           QStringLiteral("!5 movimento in USD: si importano solo movimenti in euro")};
        QTest::newRow("an amount on both sides, a movement without date")
            << QByteArray("Data;Descrizione;Dare;Avere\n"
                          "01/05/2026;doppio;5,00;5,00\n"
                          ";senza data;;7,00\n")
            << QStringList{QStringLiteral("!2 importo sia in Dare sia in Avere"), QStringLiteral("!3 data mancante")};
        QTest::newRow("UTF-8 and Windows-1252 lines in one file")
            << QByteArray("Data;Descrizione;Importo\n"
                          "01/06/2026;Caff\xC3\xA8;1,00\n"
                          "02/06/2026;Caff\xE8;1,00\n")
            << QStringList{QStringLiteral(
                   "error: Riga 3: i caratteri sono scritti in una codifica diversa dal resto del file.")};
        QTest::newRow("binary") << QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0garbage;1;2\n", 22)
                                << QStringList{QStringLiteral("error: Il file non è un testo: contiene dati binari.")};
        QTest::newRow("prose, no table") << QByteArray("Caro socio,\nla riunione è il 3 marzo.\n")
                                         << QStringList{QStringLiteral("error: no header")};
    }
    void csv()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QCOMPARE(describe(readWithHeader(BankFile::fromBytes(bytes))), expected);
    }

    void closingBalanceOfATable()
    {
        const BankStatement s = readWithHeader(BankFile::fromBytes(
            "Data;Descrizione;Importo\n10/01/2026;a;1,00\n12/01/2026;b;-2,00\nSaldo contabile finale;;1.500,25\n"));
        QVERIFY(s.closing);
        QCOMPARE(s.closing->cents, 150025);
        QCOMPARE(s.closing->date, QDate(2026, 1, 12));
    }

    void cbi_data()
    {
        // A 62 record: type, account, movement number, booking, value, sign, amount,
        // ABI reason, bank reference (17), description.
        const auto r62 = [](const char *num, const char *book, const char *val, const char *sign, const char *amount,
                            const char *ref, const char *desc) {
            return QByteArray("620012345") + num + book + val + sign + amount + "048" + QByteArray(ref).leftJustified(17, ' ') +
                   desc + "\r\n";
        };
        const auto r63 = [](const char *num, const char *tag, const char *text) {
            return QByteArray("630012345") + num + tag + text + "\r\n";
        };
        const QByteArray head = " RH0300112345ESEMPIO\r\n"
                                "610012345000    EUR010126C000000001000,00\r\n";
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<qint64>("closing");
        QTest::newRow("movements with counterparty and reason")
            << head + r62("001", "050126", "040126", "C", "000000004377,96", "REF0001", "BONIFICO A VOSTRO FAVORE") +
                   r63("001", "YYY", "ROSSI MARIO VIA ROMA 1") + r63("001", "RI1", "QUOTA 2026") +
                   r62("002", "070126", "070126", "D", "000000000012,30", "REF0002", "PAGAMENTO POS") +
                   "640012345000310126C000000005365,66\r\nEF\r\n"
            << QStringList{QStringLiteral("3 05/01/2026 04/01/2026 4.377,96 | BONIFICO A VOSTRO FAVORE | QUOTA 2026 | "
                                          "ROSSI MARIO VIA ROMA 1 | REF0001"),
                           QStringLiteral("6 07/01/2026 07/01/2026 -12,30 | PAGAMENTO POS |  |  | REF0002")}
            << qint64(536566);
        QTest::newRow("a leading blank on every record, a bad date and a bad sign")
            << head + " " + r62("001", "310226", "310226", "C", "000000000001,00", "X", "UNO") + " " +
                   r62("002", "010326", "010326", "X", "000000000001,00", "Y", "DUE") + " " +
                   r63("002", "RI1", "NON DEVE ATTACCARSI") + " " +
                   r62("003", "020326", "020326", "D", "000000000002,50", "Z", "TRE")
            << QStringList{QStringLiteral("6 02/03/2026 02/03/2026 -2,50 | TRE |  |  | Z"),
                           QStringLiteral("!3 data non valida: \"310226\""),
                           QStringLiteral("!4 importo non valido: \"X000000000001,00\"")}
            << qint64(-1);
        QTest::newRow("another currency") << QByteArray("RH0300112345\r\n610012345000    USD010126C000000001000,00\r\n")
                                          << QStringList{QStringLiteral(
                                                 "error: Riga 2: il conto è in USD; si importano solo estratti conto in euro.")}
                                          << qint64(-1);
    }
    void cbi()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QFETCH(qint64, closing);
        const BankFile f = BankFile::fromBytes(bytes);
        QCOMPARE(f.kind, BankFile::Kind::Cbi);
        QCOMPARE(describe(f.statement), expected);
        if (closing >= 0) {
            QVERIFY(f.statement.opening);
            QCOMPARE(f.statement.opening->cents, 100000);
            QCOMPARE(f.statement.opening->date, QDate(2026, 1, 1));
            QVERIFY(f.statement.closing);
            QCOMPARE(f.statement.closing->cents, closing);
        }
    }

    void camt_data()
    {
        const auto doc = [](const char *ns, const QByteArray &entries) {
            return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:") +
                   ns + "\">\n<BkToCstmrStmt><Stmt><Acct><Id><IBAN>IT60X0542811101000000123456</IBAN></Id></Acct>\n"
                        "<Bal><Tp><CdOrPrtry><Cd>OPBD</Cd></CdOrPrtry></Tp><Amt Ccy=\"EUR\">1000.00</Amt>"
                        "<CdtDbtInd>CRDT</CdtDbtInd><Dt><Dt>2026-01-01</Dt></Dt></Bal>\n"
                        "<Bal><Tp><CdOrPrtry><Cd>CLBD</Cd></CdOrPrtry></Tp><Amt Ccy=\"EUR\">5.5</Amt>"
                        "<CdtDbtInd>DBIT</CdtDbtInd><Dt><Dt>2026-01-31</Dt></Dt></Bal>\n" +
                   entries + "</Stmt></BkToCstmrStmt></Document>\n";
        };
        const QByteArray credit = "<Ntry><Amt Ccy=\"EUR\">50</Amt><CdtDbtInd>CRDT</CdtDbtInd><Sts>BOOK</Sts>"
                                  "<BookgDt><Dt>2026-01-10</Dt></BookgDt><ValDt><Dt>2026-01-09</Dt></ValDt>"
                                  "<AcctSvcrRef>BANK-1</AcctSvcrRef><AddtlNtryInf>BONIFICO</AddtlNtryInf>"
                                  "<NtryDtls><TxDtls><Refs><EndToEndId>NOTPROVIDED</EndToEndId></Refs>"
                                  "<RltdPties><Dbtr><Nm>Verdi Anna</Nm></Dbtr><Cdtr><Nm>Circolo</Nm></Cdtr></RltdPties>"
                                  "<RmtInf><Ustrd>Quota 2026</Ustrd></RmtInf></TxDtls></NtryDtls></Ntry>\n";
        const QByteArray debit = "<Ntry><Amt Ccy=\"EUR\">12.3</Amt><CdtDbtInd>DBIT</CdtDbtInd><Sts><Cd>BOOK</Cd></Sts>"
                                 "<BookgDt><DtTm>2026-01-11T10:00:00</DtTm></BookgDt>"
                                 "<AcctSvcrRef>BANK-2</AcctSvcrRef><NtryDtls><TxDtls><RltdPties><Cdtr><Pty><Nm>Tipografia"
                                 "</Nm></Pty></Cdtr></RltdPties></TxDtls></NtryDtls></Ntry>\n";
        const QByteArray pending = "<Ntry><Amt Ccy=\"EUR\">99.00</Amt><CdtDbtInd>CRDT</CdtDbtInd><Sts>PDNG</Sts>"
                                   "<BookgDt><Dt>2026-01-12</Dt></BookgDt></Ntry>\n";
        const QByteArray dollars = "<Ntry><Amt Ccy=\"USD\">10.00</Amt><CdtDbtInd>CRDT</CdtDbtInd><Sts>BOOK</Sts>"
                                   "<BookgDt><Dt>2026-01-13</Dt></BookgDt></Ntry>\n";
        const QByteArray badDate = "<Ntry><Amt Ccy=\"EUR\">1.00</Amt><CdtDbtInd>CRDT</CdtDbtInd><Sts>BOOK</Sts>"
                                   "<BookgDt><Dt>2026-02-31</Dt></BookgDt></Ntry>\n";
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected");
        const QStringList two{QStringLiteral("6 10/01/2026 09/01/2026 50,00 | BONIFICO | Quota 2026 | Verdi Anna | BANK-1"),
                              QStringLiteral("7 11/01/2026 11/01/2026 -12,30 |  |  | Tipografia | BANK-2")};
        QTest::newRow("version 02") << doc("camt.053.001.02", credit + debit) << two;
        QTest::newRow("version 08, pending skipped") << doc("camt.053.001.08", credit + debit + pending) << two;
        QTest::newRow("another currency, impossible date")
            << doc("camt.053.001.02", dollars + badDate)
            << QStringList{QStringLiteral("!6 movimento in USD: si importano solo movimenti in euro"),
                           QStringLiteral("!7 data non valida: \"2026-02-31\"")};
        QTest::newRow("cut short") << doc("camt.053.001.02", credit).left(300)
                                   << QStringList{QStringLiteral("error: Riga 4: il file XML si interrompe prima della fine.")};
        QTest::newRow("other XML") << QByteArray("<?xml version=\"1.0\"?><rss><channel/></rss>")
                                   << QStringList{QStringLiteral("error: Il file XML non è un estratto conto (camt.053).")};
    }
    void camt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        const BankFile f = BankFile::fromBytes(bytes);
        QCOMPARE(describe(f.statement), expected);
        if (f.statement.ok() && f.statement.refused.isEmpty()) {
            QVERIFY(f.statement.opening == (BankBalance{QDate(2026, 1, 1), 100000}));
            QVERIFY(f.statement.closing == (BankBalance{QDate(2026, 1, 31), -550}));
        }
    }

    // A workbook as a bank gives it: text header, dates as serial numbers, amounts as numbers.
    void xlsx()
    {
        QTemporaryDir dir;
        const QByteArray path = (dir.path() + QStringLiteral("/lista.xlsx")).toUtf8();
        lxw_workbook *wb = workbook_new(path.constData());
        lxw_worksheet *ws = workbook_add_worksheet(wb, "Lista Movimenti");
        worksheet_write_string(ws, 0, 0, "Lista movimenti al 31/01/2026", nullptr);
        const char *header[] = {"Data contabile", "Data valuta", "Descrizione", "Accrediti", "Addebiti",
                                "Descrizione estesa", "Mezzo"};
        for (int c = 0; c < 7; ++c)
            worksheet_write_string(ws, 2, lxw_col_t(c), header[c], nullptr);
        worksheet_write_number(ws, 3, 0, 46027, nullptr); // 05/01/2026
        worksheet_write_number(ws, 3, 1, 46026, nullptr);
        worksheet_write_string(ws, 3, 2, "BONIFICO A VOSTRO FAVORE", nullptr);
        worksheet_write_number(ws, 3, 3, 30, nullptr);
        worksheet_write_string(ws, 3, 5, "BONIFICO DA NERI LUCA PER QUOTA", nullptr);
        worksheet_write_string(ws, 4, 0, "07/01/2026", nullptr);
        worksheet_write_number(ws, 4, 1, 46029, nullptr);
        worksheet_write_string(ws, 4, 2, "COMMISSIONI", nullptr);
        worksheet_write_number(ws, 4, 4, 1.5, nullptr);
        worksheet_write_number(ws, 5, 0, 46030, nullptr);
        worksheet_write_string(ws, 5, 2, "TRE DECIMALI", nullptr);
        worksheet_write_number(ws, 5, 4, 1.505, nullptr);
        lxw_worksheet *second = workbook_add_worksheet(wb, "Altro");
        worksheet_write_string(second, 0, 0, "Data;Importo", nullptr);
        QVERIFY(workbook_close(wb) == LXW_NO_ERROR);
        const BankFile f = BankFile::load(QString::fromUtf8(path));
        QCOMPARE(describe(readWithHeader(f)),
                 (QStringList{QStringLiteral("4 05/01/2026 04/01/2026 30,00 | BONIFICO A VOSTRO FAVORE | BONIFICO DA NERI "
                                             "LUCA PER QUOTA | NERI LUCA | "),
                              QStringLiteral("5 07/01/2026 07/01/2026 -1,50 | COMMISSIONI |  |  | "),
                              QStringLiteral("!6 importo non valido: \"1.505\"")}));
    }

    // A legacy workbook: the same table read through FreeXL.
    void xls()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/lista.xls");
        QVERIFY(FileFaults::writeBytes(
            path, XlsFixture::workbook({{QStringLiteral("Lista movimenti")},
                                        {QStringLiteral("Data contabile"), QStringLiteral("Descrizione"), QStringLiteral("Importo")},
                                        {46027.0, QStringLiteral("BONIFICO DA ROSSI"), 50.0},
                                        {QStringLiteral("07/01/2026"), QStringLiteral("COMMISSIONI"), -2.5},
                                        {46030.0, QStringLiteral("TRE DECIMALI"), 1.505}})));
        const BankFile f = BankFile::load(path);
        QCOMPARE(describe(readWithHeader(f)),
                 (QStringList{QStringLiteral("3 05/01/2026 05/01/2026 50,00 | BONIFICO DA ROSSI |  | ROSSI | "),
                              QStringLiteral("4 07/01/2026 07/01/2026 -2,50 | COMMISSIONI |  |  | "),
                              QStringLiteral("!5 importo non valido: \"1.505\"")}));
    }

    void filesRefusedWhole_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("link") << "link" << "è un collegamento a un altro file";
        QTest::newRow("FIFO") << "fifo" << "non è un file ordinario";
        QTest::newRow("200 MB") << "huge" << "è di 200 MB: troppo grande per un estratto conto";
        QTest::newRow("folder") << "folder" << "è una cartella";
        QTest::newRow("broken workbook") << "zip" << "non è una cartella di lavoro Excel leggibile";
        QTest::newRow("broken xls") << "xls" << "non è una cartella di lavoro Excel (.xls) leggibile";
    }
    void filesRefusedWhole()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString real = dir.path() + QStringLiteral("/vero.csv");
        QVERIFY(FileFaults::writeBytes(real, "Data;Descrizione;Importo\n01/01/2026;a;1,00\n"));
        const QString path = dir.path() + QStringLiteral("/estratto");
        if (kind == QLatin1String("link"))
            QVERIFY(FileFaults::makeLink(real, path));
        else if (kind == QLatin1String("fifo"))
            QVERIFY(FileFaults::makeFifo(path));
        else if (kind == QLatin1String("huge"))
            QVERIFY(FileFaults::makeSparse(path, 200LL * 1024 * 1024));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        else if (kind == QLatin1String("zip"))
            QVERIFY(FileFaults::writeBytes(path, QByteArray("PK\x03\x04", 4) + QByteArray(200, 'x')));
        else
            QVERIFY(FileFaults::writeBytes(path, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0')));
        const BankFile f = BankFile::load(path);
        QVERIFY2(f.error().contains(message), qPrintable(f.error()));
        QVERIFY(f.rows(ColumnMapping()).rows.isEmpty());
    }
};

QTEST_MAIN(TestBankReaders)
#include "tst_bank_readers.moc"
