#include "support/TestPlatform.h"

#include "output/ExportDocument.h"
#include "output/ui/ExportProcedure.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <unistd.h>

namespace {

const QString kAsk = QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del "
                                    "numero di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kDone = QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\n"
                                     "Si vuole aprire il file di Excel?");
const QString kFailed = QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                       "Accertarsi che il file di Excel non sia già aperto.");

ExportDescription sample(const QList<QStringList> &rows = {{QStringLiteral("Rossi"), QStringLiteral("10,00")}})
{
    ExportDescription d;
    d.fileName = QStringLiteral("Prova.xls");
    d.sheetName = QStringLiteral("Foglio di prova");
    d.columns = {{QStringLiteral("Nome"), 250}, {QStringLiteral("Quota"), 120}};
    d.rows = rows;
    return d;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellsAreWrittenAsSingleBytes_data();
    void cellsAreWrittenAsSingleBytes();
    void everyRowHasOneCellPerColumn();
    void noToFirstQuestionLeavesFileUntouched();
    void successAsksAndOpens_data();
    void successAsksAndOpens();
    void newExportReplacesWholeFile();
    void directoryAsTargetFailsWithMessage();
    void readOnlyFolderKeepsPreviousFile();
    void spreadsheetProgramReadsTheCells();
    void formKeepsItsLayout();
};

void TestExport::cellsAreWrittenAsSingleBytes_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("ampersand") << "Rossi & figli" << QByteArray("Rossi &amp; figli");
    QTest::newRow("angle brackets") << "a <nota> b" << QByteArray("a &lt;nota&gt; b");
    QTest::newRow("all three") << "&<>" << QByteArray("&amp;&lt;&gt;");
    QTest::newRow("accents") << "àèìòù ÀÉ" << QByteArray("\xe0\xe8\xec\xf2\xf9 \xc0\xc9");
    QTest::newRow("euro") << "30 €" << QByteArray("30 \x80");
    QTest::newRow("blanks trimmed") << "   Bianchi  " << QByteArray("Bianchi");
    QTest::newRow("empty") << "" << QByteArray("");
    QTest::newRow("line breaks") << "uno\r\ndue\ntre\rquattro" << QByteArray("uno due tre quattro");
    QTest::newRow("quotes kept") << "l'\"ente\"" << QByteArray("l'\"ente\"");
}

void TestExport::cellsAreWrittenAsSingleBytes()
{
    QFETCH(QString, cell);
    QFETCH(QByteArray, written);
    const QByteArray doc = ExportDocument::bytes(sample({{QStringLiteral("x"), cell}}));
    QVERIFY2(doc.endsWith("<td style=\"text-align: left;\">" + written + "</td></tr></table></body></html>"),
             doc.right(120).constData());
    QVERIFY(!doc.contains('\r'));
    QVERIFY(!doc.contains('\n'));
}

void TestExport::everyRowHasOneCellPerColumn()
{
    const QByteArray doc = ExportDocument::bytes(
        sample({{QStringLiteral("solo nome")}, {}, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}}));
    const QByteArray empty = "<td style=\"text-align: left;\"></td>";
    QVERIFY(doc.contains("<tr><td style=\"text-align: left;\">solo nome</td>" + empty + "</tr>"));
    QVERIFY(doc.contains("<tr>" + empty + empty + "</tr>"));
    QVERIFY(doc.contains("<tr><td style=\"text-align: left;\">a</td><td style=\"text-align: left;\">b</td></tr>"));
    QVERIFY(!doc.contains(">c<"));
    QVERIFY(doc.contains("<x:Name>Foglio di prova</x:Name>"));
    QVERIFY(doc.contains("<tr><td style=\"text-align: left; font-weight: bold;\" width=250>Nome</td>"
                         "<td style=\"text-align: left; font-weight: bold;\" width=120>Quota</td></tr>"));
}

void TestExport::noToFirstQuestionLeavesFileUntouched()
{
    TestPlatform p;
    const QByteArray old = "<html>esportazione precedente</html>";
    writeFile(p.file(QStringLiteral("Prova.xls")), old);
    const QDateTime stamp = QFileInfo(p.file(QStringLiteral("Prova.xls"))).lastModified();
    p.messages.answers = {MessageBoxes::Answer::No};

    ExportProcedure::run(nullptr, sample());

    QCOMPARE(p.messages.shown.size(), 1);
    QCOMPARE(p.messages.shown[0].kind, MessageBoxes::Kind::Question);
    QCOMPARE(p.messages.shown[0].text, kAsk);
    QCOMPARE(readBytes(p.file(QStringLiteral("Prova.xls"))), old);
    QCOMPARE(QFileInfo(p.file(QStringLiteral("Prova.xls"))).lastModified(), stamp);
    QVERIFY(p.shell.opened.isEmpty());
}

void TestExport::successAsksAndOpens_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::newRow("yes opens") << int(MessageBoxes::Answer::Yes) << true;
    QTest::newRow("no does not") << int(MessageBoxes::Answer::No) << false;
}

void TestExport::successAsksAndOpens()
{
    QFETCH(int, answer);
    QFETCH(bool, opened);
    TestPlatform p;
    p.messages.answers = {MessageBoxes::Answer::Yes, MessageBoxes::Answer(answer)};

    ExportProcedure::run(nullptr, sample());

    QCOMPARE(p.messages.shown.size(), 2);
    QCOMPARE(p.messages.shown[1].kind, MessageBoxes::Kind::Question);
    QCOMPARE(p.messages.shown[1].text, kDone);
    const QString path = p.file(QStringLiteral("Prova.xls"));
    QCOMPARE(readBytes(path), ExportDocument::bytes(sample()));
    if (opened) {
        QCOMPARE(p.shell.opened.size(), 1);
        QCOMPARE(p.shell.opened[0], QUrl::fromLocalFile(path));
        QVERIFY(p.shell.opened[0].isLocalFile());
    } else {
        QVERIFY(p.shell.opened.isEmpty());
    }
}

void TestExport::newExportReplacesWholeFile()
{
    TestPlatform p;
    writeFile(p.file(QStringLiteral("Prova.xls")), QByteArray(20000, 'x'));
    ExportProcedure::run(nullptr, sample());
    QCOMPARE(readBytes(p.file(QStringLiteral("Prova.xls"))), ExportDocument::bytes(sample()));
    // No temporary file is left beside the export.
    QCOMPARE(QDir(p.folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("Prova.xls")});
}

void TestExport::directoryAsTargetFailsWithMessage()
{
    TestPlatform p;
    const QString target = p.file(QStringLiteral("Prova.xls"));
    QVERIFY(QDir().mkdir(target));
    writeFile(target + QStringLiteral("/dentro.txt"), "contenuto");

    ExportProcedure::run(nullptr, sample());

    QCOMPARE(p.messages.shown.size(), 2);
    QCOMPARE(p.messages.shown[1].kind, MessageBoxes::Kind::Plain);
    QCOMPARE(p.messages.shown[1].text, kFailed);
    QVERIFY(QFileInfo(target).isDir());
    QCOMPARE(readBytes(target + QStringLiteral("/dentro.txt")), QByteArray("contenuto"));
    QVERIFY(p.shell.opened.isEmpty());
    QCOMPARE(QDir(p.folder.path()).entryList(QDir::Files), QStringList());
}

void TestExport::readOnlyFolderKeepsPreviousFile()
{
    if (::geteuid() == 0)
        QSKIP("Running as root: a read-only folder does not stop root from writing, so this failure "
              "cannot be produced here (the folder-as-target case covers the failure path).");
    TestPlatform p;
    const QString target = p.file(QStringLiteral("Prova.xls"));
    const QByteArray old = "<html>esportazione precedente</html>";
    writeFile(target, old);
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    QFile::setPermissions(p.folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser
                                               | QFileDevice::ExeUser);

    ExportProcedure::run(nullptr, sample());

    QFile::setPermissions(p.folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(p.messages.lastText(), kFailed);
    QCOMPARE(readBytes(target), old);
}

void TestExport::spreadsheetProgramReadsTheCells()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: the worksheet is not converted to CSV to compare its cells.");

    TestPlatform p;
    const QList<QStringList> rows = {{QStringLiteral("Rossi & figli <srl>"), QStringLiteral("30 €")},
                                     {QStringLiteral("Città"), QString()}};
    ExportProcedure::run(nullptr, sample(rows));
    QTemporaryDir out;
    QProcess conv;
    conv.start(soffice, {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                         QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"),
                         out.path(), p.file(QStringLiteral("Prova.xls"))});
    QVERIFY(conv.waitForFinished(120000));
    QFile csv(out.path() + QStringLiteral("/Prova.csv"));
    QVERIFY2(csv.open(QIODevice::ReadOnly), qPrintable(QString::fromLocal8Bit(conv.readAllStandardError())));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0].trimmed(), QStringLiteral("Nome,Quota"));
    QCOMPARE(lines[1].trimmed(), QStringLiteral("Rossi & figli <srl>,30 €"));
    QCOMPARE(lines[2].trimmed(), QStringLiteral("Città,"));
}

void TestExport::formKeepsItsLayout()
{
    // A form of typed cells (the statement of a year): the columns' widths, every
    // row where it was put (the empty one too), bold where asked, the amounts
    // marked as numbers and shown as their text, and the texts as given.
    ExportDescription d;
    d.sheetName = QStringLiteral("Rendiconto \"2025\" & co");
    d.columns = {{QStringLiteral("Codice"), 70, ExportColumn::Kind::Text},
                 {QStringLiteral("Voce"), 520, ExportColumn::Kind::Text},
                 {QStringLiteral("2025"), 110, ExportColumn::Kind::Amount}};
    d.typedRows = {{ExportCell::of(QStringLiteral(" Amici <di> Città & \"Soci\" "), true)},
                   {},
                   {ExportCell::of(QStringLiteral("Codice"), true), ExportCell::of(QStringLiteral("Voce"), true),
                    ExportCell::of(QStringLiteral("2025"), true)},
                   {ExportCell::of(QStringLiteral("A1")), ExportCell::of(QStringLiteral("Quote € 2025")),
                    {QStringLiteral("1.234,50"), 1234.5, false}},
                   {ExportCell::of({}), ExportCell::of(QStringLiteral("Totale"), true), {QStringLiteral("-0,05"), -0.05, true}}};
    d.headerRow = 2;
    const QByteArray expected =
        "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
        " xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta http-equiv=\"Content-Type\" content=\"text/html;"
        " charset=windows-1252\"><!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
        "<x:Name>Rendiconto &quot;2025&quot; &amp; co</x:Name><x:WorksheetOptions><x:Selected/></x:WorksheetOptions>"
        "</x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table>"
        "<col width=70><col width=520><col width=110>"
        "<tr><td x:str style=\"text-align: left; font-weight: bold;\"> Amici &lt;di&gt; Citt\xe0 &amp; &quot;Soci&quot; </td></tr>"
        "<tr></tr>"
        "<tr><td x:str style=\"text-align: left; font-weight: bold;\">Codice</td>"
        "<td x:str style=\"text-align: left; font-weight: bold;\">Voce</td>"
        "<td x:str style=\"text-align: left; font-weight: bold;\">2025</td></tr>"
        "<tr><td x:str style=\"text-align: left;\">A1</td><td x:str style=\"text-align: left;\">Quote \x80 2025</td>"
        "<td x:num=\"1234.50\" sdval=\"1234.50\" style=\"text-align: right; mso-number-format:'\\#\\,\\#\\#0\\.00';\">1.234,50</td></tr>"
        "<tr><td x:str style=\"text-align: left;\"></td><td x:str style=\"text-align: left; font-weight: bold;\">Totale</td>"
        "<td x:num=\"-0.05\" sdval=\"-0.05\" style=\"text-align: right; mso-number-format:'\\#\\,\\#\\#0\\.00';"
        " font-weight: bold;\">-0,05</td></tr>"
        "</table></body></html>";
    QCOMPARE(ExportDocument::bytes(d), expected);

    // Saved, the same bytes land on the disk.
    TestPlatform p;
    const QString path = p.file(QStringLiteral("Rendiconto2025.xls"));
    QString error;
    QVERIFY2(ExportDocument::save(path, d, &error), qPrintable(error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), expected);
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
