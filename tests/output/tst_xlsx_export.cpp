// The workbook (".xlsx") an export window writes when its format is chosen: read
// back cell by cell and set against the ".xls" document the same window writes
// of the same archive. Texts stay texts, amounts and dates become numbers with
// their formats, the sheet keeps its name, the header is bold and frozen.
#include "support/FileFaults.h"
#include "support/TestPlatform.h"
#include "support/XlsxReader.h"

#include "common/ArchivePaths.h"
#include "common/RecordCodec.h"
#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"
#include "common/TextRules.h"
#include "common/ui/PictureButton.h"
#include "members/MemberExport.h"
#include "members/ui/TfrmExpAnagrafica.h"
#include "movements/ui/TfrmExpMovimenti.h"
#include "output/ExportTableModel.h"
#include "output/XlsxWorkbook.h"
#include "output/ui/ExportProcedure.h"

#include <QDate>
#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

#include <memory>

#include <zip.h>

using XlsxReader::Cell;

namespace {

enum class Archive { Members, Movements };

TSchedaSocio rossi()
{
    TSchedaSocio s;
    s.Dipendente = QStringLiteral("Rossi Mario");
    s.Cittadinanza = QStringLiteral("007");
    s.Stipendio = QStringLiteral("50,00");
    s.Luogo = QStringLiteral("Forlì");
    s.DataNasc = QStringLiteral("12/05/1970");
    s.CodFisc = QStringLiteral("RSSMRA70E12D704X");
    s.Indirizzo = QStringLiteral("Via Roma 1");
    s.Citta = QStringLiteral("Città di Castello");
    s.Prov = QStringLiteral("PG");
    s.Cap = QStringLiteral("06012");
    s.Familiari = QStringLiteral("Presidente");
    s.Iban = QStringLiteral("IT60X0542811101000000123456");
    s.Note = QStringLiteral("Socio fondatore & tesoriere <2020>\r\nseconda riga");
    s.DataSca = QStringLiteral("31/12/2024");
    s.Recapito = QStringLiteral("0612");
    s.Email = QStringLiteral("mario.rossi@example.it");
    return s;
}

TSchedaSocio bianchi()
{
    TSchedaSocio s;
    s.Dipendente = QStringLiteral("Bianchi Anna");
    s.Cittadinanza = QStringLiteral("0002");
    s.Stipendio = QStringLiteral("12,3456");
    s.DataNasc = QStringLiteral("31/02/1985"); // no such day
    s.PartitaIva = QStringLiteral("01234567890");
    s.Note = QStringLiteral("Quota da 30 € pagata");
    s.DataSca = QStringLiteral("1-2");
    return s;
}

TSchedaMovimento income()
{
    TSchedaMovimento m;
    m.Entrata = QStringLiteral("Sì");
    m.Uscita = QStringLiteral("No");
    m.Data = QStringLiteral("05/03/2014");
    m.Causale = QStringLiteral("Quota sociale & iscrizione <2014>");
    m.DataSca = QStringLiteral("15/03/2014");
    m.Preavviso = QStringLiteral("5");
    m.Importo = QStringLiteral("1234,50");
    m.Totale = QStringLiteral("+1234,50");
    m.Pagatore = QStringLiteral("Rossi Mario");
    m.RecapitoPag = QStringLiteral("075 123456");
    m.Categoria = QStringLiteral("0001");
    m.Pagamento = QStringLiteral("Contanti");
    m.Saldato = QStringLiteral("Sì");
    return m;
}

TSchedaMovimento expense()
{
    TSchedaMovimento m;
    m.Entrata = QStringLiteral("No");
    m.Uscita = QStringLiteral("Sì");
    m.Data = QStringLiteral("10/03/2014");
    m.Causale = QStringLiteral("Affitto palestra");
    m.Importo = QStringLiteral("42,50");
    m.Totale = QStringLiteral("-42,50");
    m.Beneficiario = QStringLiteral("Comune di Forlì");
    m.Ricevuta = QStringLiteral("CRO 0042");
    m.Saldato = QStringLiteral("No");
    return m;
}

template <class Record>
void writeRecords(const QString &path, const QList<Record> &records)
{
    RecordFile<Record> file;
    QVERIFY(file.open(path));
    for (const Record &r : records)
        QVERIFY(file.append(r));
    file.close();
}

// The export window of an archive of three records (the last one empty), shown.
std::unique_ptr<ExportScreen> openWindow(Archive archive, TestPlatform &p)
{
    std::unique_ptr<ExportScreen> w;
    if (archive == Archive::Members) {
        writeRecords<TSchedaSocio>(ArchivePaths::members(), {rossi(), bianchi(), TSchedaSocio()});
        w = std::make_unique<TfrmExpAnagrafica>();
    } else {
        const QString year = p.file(QStringLiteral("2014.eur"));
        writeRecords<TSchedaMovimento>(year, {income(), expense(), TSchedaMovimento()});
        auto *movements = new TfrmExpMovimenti;
        movements->setYearFile(year);
        w.reset(movements);
    }
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return nullptr;
    return w;
}

// Types over a grid cell as the user does: the first key opens the editor.
bool typeOver(QTableView *grid, int row, int column, const QString &text)
{
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, column));
    QTest::keyClick(grid, text.at(0).toLatin1());
    QLineEdit *editor = nullptr;
    for (QLineEdit *e : grid->viewport()->findChildren<QLineEdit *>())
        if (e->isVisible())
            editor = e;
    if (!editor)
        return false;
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    return true;
}

void exportAs(ExportScreen *w, const char *option)
{
    // Clicked on its circle, at the left: the rest of the control may be beyond its caption.
    QRadioButton *choice = control<QRadioButton>(w, option);
    QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(6, choice->height() / 2));
    QVERIFY(choice->isChecked());
    QTest::mouseClick(control<PictureButton>(w, "cmdEsporta"), Qt::LeftButton);
}

// A spreadsheet day number as the text the ".xls" shows.
QString dayText(double serial) { return QDate(1899, 12, 30).addDays(qint64(serial)).toString(QStringLiteral("dd/MM/yyyy")); }

bool isAmountFormat(const QString &f)
{
    return f.contains(QStringLiteral("0.00")) && f.contains(QStringLiteral("€"));
}

// The workbook's cell holds what the document's cell shows: the same text, or
// the amount or the day that text reads as. A control character the workbook
// cannot hold is a blank there.
void compareCell(const Cell &cell, QString shown, const QString &where)
{
    for (QChar &c : shown)
        if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
            c = QLatin1Char(' ');
    switch (cell.type) {
    case Cell::Type::Empty:
        QVERIFY2(shown.isEmpty(), qPrintable(where + QStringLiteral(" is empty, the document shows ") + shown));
        break;
    case Cell::Type::Text:
        QVERIFY2(cell.format == QStringLiteral("General"), qPrintable(where + QStringLiteral(": ") + cell.format));
        QCOMPARE(cell.text, shown);
        break;
    case Cell::Type::Number:
        if (cell.format == QStringLiteral("dd/mm/yyyy")) {
            QVERIFY2(TextRules::isValidDate(shown), qPrintable(where + QStringLiteral(": ") + shown));
            QCOMPARE(dayText(cell.number), shown);
        } else {
            QVERIFY2(isAmountFormat(cell.format), qPrintable(where + QStringLiteral(": ") + cell.format));
            const std::optional<double> amount = TextRules::parseAmount(shown);
            QVERIFY2(amount, qPrintable(where + QStringLiteral(": ") + shown));
            QCOMPARE(cell.number, *amount);
        }
        break;
    }
}

// The size of the worksheet's XML inside the workbook at path; -1 when unreadable.
qint64 sheetSize(const QString &path)
{
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
    if (!archive)
        return -1;
    zip_stat_t st;
    const bool found = zip_stat(archive, "xl/worksheets/sheet1.xml", 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE);
    zip_discard(archive);
    return found ? qint64(st.size) : -1;
}

// A sheet of the given rows. Every row differs, most cells need escaping or are
// numbers and dates, and some rows are left without a cell: every fifth from the
// fourth, and, with a hole, the whole third quarter. In a grid, every third text
// cell is typed over by the user.
struct TestSheet
{
    QList<QList<QByteArray>> stored;
    QHash<qint64, QString> typed; // row * columns + column
    ExportDescription description;

    TestSheet(qint64 rows, bool hole, bool grid)
    {
        using Kind = ExportColumn::Kind;
        description.sheetName = QStringLiteral("Prova");
        description.columns = {{QStringLiteral("Nome"), 100, Kind::Text},
                               {QStringLiteral("Quota"), 60, Kind::Amount},
                               {QStringLiteral("Nato il"), 60, Kind::Date},
                               {QStringLiteral("Note"), 200, Kind::Text}};
        const qint64 columns = description.columns.size();
        for (qint64 r = 0; r < rows; ++r) {
            QList<QByteArray> row(columns);
            const bool empty = r % 5 == 3 || (hole && r >= rows / 2 && r < rows * 3 / 4);
            if (!empty) {
                row[0] = QStringLiteral("%1 Socio n\u00b0 %2").arg(r, 5, 10, QLatin1Char('0')).arg(r).toLatin1();
                row[1] = r % 4 == 0 ? QByteArray("dieci") : QByteArray::number(r * 7) + ",5";
                row[2] = r % 3 == 0 ? QByteArray() : QStringLiteral("%1/03/19%2").arg(r % 28 + 1, 2, 10, QLatin1Char('0')).arg(r % 100, 2, 10, QLatin1Char('0')).toLatin1();
                row[3] = "Ritiro & consegna <" + QByteArray::number(r) + "> " + QByteArray("\xe8 cos\xec\r\nfine");
            }
            if (grid && !empty && r % 3 == 1)
                typed.insert(r * columns + 3, QStringLiteral("Corretto a mano: \u20ac %1").arg(r));
            stored.append(row);
        }
        if (grid) {
            description.rowCount = rows;
            description.cell = [this, columns](qint64 row, int column) -> ExportDescription::Cell {
                const auto t = typed.constFind(row * columns + column);
                if (t != typed.constEnd())
                    return {{}, &t.value()};
                return {stored[row][column], nullptr};
            };
        } else {
            for (qint64 r = 0; r < rows; ++r) {
                QStringList texts;
                for (const QByteArray &cell : stored[r])
                    texts.append(QString::fromLatin1(cell));
                description.rows.append(texts);
            }
        }
    }
};

} // namespace

class TestXlsxExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void workbookHoldsTheDocumentsCells_data();
    void workbookHoldsTheDocumentsCells();
    void cellKinds_data();
    void cellKinds();
    void xlsStaysTheDefault();
    void refusedWorkbookKeepsTheOldFile();
    void cutSheetIsRefused_data();
    void cutSheetIsRefused();
    void everyRowReadsBack_data();
    void everyRowReadsBack();
    void fullScratchSpaceKeepsTheOldWorkbook_data();
    void fullScratchSpaceKeepsTheOldWorkbook();
};

void TestXlsxExport::workbookHoldsTheDocumentsCells_data()
{
    QTest::addColumn<Archive>("archive");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("typedColumn"); // a column the user may type over
    QTest::newRow("members") << Archive::Members << "Soci" << "Riepilogo Soci" << 3;
    QTest::newRow("movements") << Archive::Movements << "Movimenti" << "Riepilogo annuale movimenti" << 18;
}

void TestXlsxExport::workbookHoldsTheDocumentsCells()
{
    QFETCH(Archive, archive);
    QFETCH(QString, file);
    QFETCH(QString, sheet);
    QFETCH(int, typedColumn);
    TestPlatform p;
    auto w = openWindow(archive, p);
    QVERIFY(w);
    QVERIFY(typeOver(w->grdRecords, 1, typedColumn, QStringLiteral("75,50")));

    exportAs(w.get(), "optXls");
    const QByteArray document = readBytes(p.file(file + QStringLiteral(".xls")));
    exportAs(w.get(), "optXlsx");

    const QString workbookPath = p.file(file + QStringLiteral(".xlsx"));
    QCOMPARE(p.messages.shown.size(), 4);
    QCOMPARE(p.messages.shown[2].text, ExportProcedure::askText());
    QCOMPARE(p.messages.shown[3].text, ExportProcedure::successText());
    QCOMPARE(p.shell.opened.value(1), QUrl::fromLocalFile(workbookPath));
    // The workbook is written beside the document, which stays as it was.
    QCOMPARE(readBytes(p.file(file + QStringLiteral(".xls"))), document);

    XlsxReader::Sheet book = XlsxReader::read(workbookPath);
    QVERIFY2(book.error.isEmpty(), qPrintable(book.error));
    QCOMPARE(book.name, sheet);
    QCOMPARE(book.frozenRows, 1);
    const QList<QStringList> shown = XlsxReader::readDocument(document);
    QCOMPARE(shown.size(), 4);
    const int columns = w->grdRecords->model()->columnCount() - 1;
    QCOMPARE(shown[0].size(), columns);
    QCOMPARE(book.rows[0].size(), columns);
    // A row without a single filled cell is not written at all: the spreadsheet
    // shows it as a row of empty cells.
    QVERIFY(book.rows.size() <= shown.size());
    while (book.rows.size() < shown.size())
        book.rows.append(QList<Cell>(columns));
    for (int r = 0; r < shown.size(); ++r)
        for (int c = 0; c < columns; ++c) {
            compareCell(book.rows[r][c], shown[r][c], QStringLiteral("row %1 column %2").arg(r + 1).arg(c + 1));
            if (QTest::currentTestFailed())
                return;
        }
    for (int c = 0; c < columns; ++c) {
        QVERIFY(book.rows[0][c].bold);
        QCOMPARE(book.rows[1][c].bold, false);
        // Every column as wide as its content, within a limit.
        QVERIFY2(book.widths.value(c) >= shown[0][c].size() && book.widths.value(c) <= 62,
                 qPrintable(QString::number(book.widths.value(c))));
    }
    // The last row is a card never filled: its cells are empty.
    for (const Cell &c : book.rows[3])
        QCOMPARE(c.type, Cell::Type::Empty);
    // The typed-over cell, and the cell of the same column in the first row as stored.
    QCOMPARE(shown[2][typedColumn - 1], QStringLiteral("75,50"));
    QCOMPARE(book.rows[2][typedColumn - 1].type,
             archive == Archive::Members ? Cell::Type::Number : Cell::Type::Text);
}

void TestXlsxExport::cellKinds_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<Cell::Type>("type");
    QTest::addColumn<double>("number");
    const auto text = Cell::Type::Text;
    const auto number = Cell::Type::Number;
    QTest::newRow("membership number with leading zeros") << "colCittadinanza" << "007" << text << 0.0;
    QTest::newRow("postcode with a leading zero") << "colCap" << "06012" << text << 0.0;
    QTest::newRow("telephone with a leading zero") << "colRecapito" << "0612" << text << 0.0;
    QTest::newRow("text that looks like a date elsewhere") << "colNote" << "12/05/1970" << text << 0.0;
    QTest::newRow("fee") << "colStipendio" << "50,00" << number << 50.0;
    QTest::newRow("fee with four decimals") << "colStipendio" << "12,3456" << number << 12.3456;
    QTest::newRow("fee with a sign") << "colStipendio" << "-3,5" << number << -3.5;
    QTest::newRow("fee with grouping") << "colStipendio" << "1.000,00" << text << 0.0;
    QTest::newRow("fee with an exponent") << "colStipendio" << "1e3" << text << 0.0;
    QTest::newRow("fee in words") << "colStipendio" << "dieci euro" << text << 0.0;
    QTest::newRow("birth date") << "colDataNasc" << "12/05/1970" << number << 25700.0;
    QTest::newRow("leap day") << "colDataNasc" << "29/02/2000" << number << 36585.0;
    QTest::newRow("no such leap day") << "colDataNasc" << "29/02/2001" << text << 0.0;
    QTest::newRow("date without leading zeros") << "colDataNasc" << "1/2/1970" << text << 0.0;
    QTest::newRow("day before March 1900") << "colDataSca" << "28/02/1900" << text << 0.0;
    QTest::newRow("first of March 1900") << "colDataSca" << "01/03/1900" << number << 61.0;
}

void TestXlsxExport::cellKinds()
{
    QFETCH(QString, column);
    QFETCH(QString, value);
    QFETCH(Cell::Type, type);
    QFETCH(double, number);
    TestPlatform p;
    TSchedaSocio s;
    s.Dipendente = QStringLiteral("Verdi Carla");
    const ExportSheet &sheet = MemberExport::sheet();
    const int index = sheet.columnIndex(column);
    QVERIFY(index > 0);
    // The field of the column, set through the record's own layout.
    QByteArray raw = RecordCodec::encode(s);
    const RecordCodec::FieldSlot slot = sheet.columns[index].field;
    raw[slot.offset] = char(value.size());
    raw.replace(slot.offset + 1, value.size(), value.toLatin1());
    {
        QFile f(ArchivePaths::members());
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(raw), raw.size());
    }
    TfrmExpAnagrafica w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    exportAs(&w, "optXlsx");

    const XlsxReader::Sheet book = XlsxReader::read(p.file(QStringLiteral("Soci.xlsx")));
    QVERIFY2(book.error.isEmpty(), qPrintable(book.error));
    QCOMPARE(book.rows.size(), 2);
    QCOMPARE(book.rows[1][0].text, QStringLiteral("Verdi Carla"));
    const Cell &cell = book.rows[1][index - 1];
    QCOMPARE(cell.type, type);
    if (type == Cell::Type::Text) {
        QCOMPARE(cell.text, value);
        QCOMPARE(cell.format, QStringLiteral("General"));
    } else {
        QCOMPARE(cell.number, number);
        if (column.startsWith(QStringLiteral("colData")))
            QCOMPARE(cell.format, QStringLiteral("dd/mm/yyyy"));
        else
            QVERIFY2(isAmountFormat(cell.format), qPrintable(cell.format));
    }
}

void TestXlsxExport::xlsStaysTheDefault()
{
    TestPlatform p;
    auto w = openWindow(Archive::Members, p);
    QVERIFY(w);
    QCOMPARE(control<QRadioButton>(w.get(), "optXls")->text(), QStringLiteral("Microsoft Excel (.xls)"));
    QCOMPARE(control<QRadioButton>(w.get(), "optXlsx")->text(), QStringLiteral("Excel 2007 e successivi (.xlsx)"));
    QVERIFY(control<QRadioButton>(w.get(), "optXls")->isChecked());
    QTest::mouseClick(w->cmdEsporta, Qt::LeftButton);
    QVERIFY(QFile::exists(p.file(QStringLiteral("Soci.xls"))));
    QVERIFY(!QFile::exists(p.file(QStringLiteral("Soci.xlsx"))));

    // Answering No to the question writes nothing in either format.
    p.messages.answers = {MessageBoxes::Answer::No};
    exportAs(w.get(), "optXlsx");
    QVERIFY(!QFile::exists(p.file(QStringLiteral("Soci.xlsx"))));
    QCOMPARE(p.messages.lastText(), ExportProcedure::askText());
}

void TestXlsxExport::refusedWorkbookKeepsTheOldFile()
{
    // The spreadsheet program holding the file is a folder in its place here: the
    // export's own message, the folder untouched and nothing left beside it.
    TestPlatform p;
    auto w = openWindow(Archive::Movements, p);
    QVERIFY(w);
    QVERIFY(QDir().mkdir(p.file(QStringLiteral("Movimenti.xlsx"))));
    const QStringList before = QDir(p.folder.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    exportAs(w.get(), "optXlsx");
    QCOMPARE(p.messages.shown.size(), 2);
    QCOMPARE(p.messages.shown[1].kind, MessageBoxes::Kind::Plain);
    QCOMPARE(p.messages.shown[1].text, ExportProcedure::failureText());
    QVERIFY(p.shell.opened.isEmpty());
    QCOMPARE(QDir(p.folder.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

void TestXlsxExport::cutSheetIsRefused_data()
{
    // Where a size limit stops every file of the program: the share of the
    // worksheet's XML kept, less some bytes. The zip itself, many times smaller,
    // always fits.
    QTest::addColumn<double>("kept");
    QTest::addColumn<int>("missing");
    QTest::newRow("half of the rows missing") << 0.5 << 0;
    QTest::newRow("only the sheet's closing bytes missing") << 1.0 << 40;
}

void TestXlsxExport::cutSheetIsRefused()
{
    // The workbook library builds the worksheet in scratch files of its own and
    // zips whatever they hold, without noticing that a full disk or a quota
    // stopped them short: a well-formed zip of a cut sheet. The export must find
    // it out and keep the previous workbook.
    QFETCH(double, kept);
    QFETCH(int, missing);
    TestPlatform p;
    {
        QFile archive(ArchivePaths::members());
        QVERIFY(archive.open(QIODevice::WriteOnly));
        const QByteArray record = RecordCodec::encode(rossi());
        for (int i = 0; i < 600; ++i)
            QCOMPARE(archive.write(record), record.size());
    }
    TfrmExpAnagrafica w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    exportAs(&w, "optXlsx");
    const QString path = p.file(QStringLiteral("Soci.xlsx"));
    const QByteArray old = readBytes(path);
    const qint64 sheet = sheetSize(path);
    QVERIFY(sheet > 0);
    const auto limit = qint64(double(sheet) * kept) - missing;
    QVERIFY2(old.size() < limit / 4, qPrintable(QStringLiteral("%1 %2").arg(old.size()).arg(limit)));
    const QStringList before = QDir(p.folder.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    {
        // Lowering one's own soft limit is always allowed: a limit that did not
        // take would leave nothing tested.
        FileFaults::SizeLimit cut(limit);
        QVERIFY(cut.active());
        exportAs(&w, "optXlsx");
    }
    QCOMPARE(p.messages.shown.size(), 4);
    QCOMPARE(p.messages.shown[3].kind, MessageBoxes::Kind::Plain);
    QCOMPARE(p.messages.shown[3].text, ExportProcedure::failureText());
    QCOMPARE(p.shell.opened.size(), 1);
    QCOMPARE(readBytes(path), old);
    QCOMPARE(QDir(p.folder.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

void TestXlsxExport::everyRowReadsBack_data()
{
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<bool>("hole");
    QTest::addColumn<bool>("grid");
    QTest::newRow("texts, some rows without a cell") << qint64(80) << false << false;
    QTest::newRow("grid, the last row empty") << qint64(99) << false << true;
    QTest::newRow("texts with a stretch without a cell") << qint64(100) << true << false;
    QTest::newRow("grid ending in rows without a cell") << qint64(8) << true << true;
    QTest::newRow("no rows") << qint64(0) << false << false;
    QTest::newRow("a large grid") << qint64(20000) << false << true;
}

void TestXlsxExport::everyRowReadsBack()
{
    // Every cell comes back as the document shows it, in its row; a row without
    // a cell is none in the workbook; the library's scratch files are gone.
    QFETCH(qint64, rows);
    QFETCH(bool, hole);
    QFETCH(bool, grid);
    QTemporaryDir dir;
    const TestSheet sheet(rows, hole, grid);
    const QString path = dir.filePath(QStringLiteral("Prova.xlsx"));
    QString error;
    QVERIFY2(XlsxWorkbook::save(path, sheet.description, &error), qPrintable(error));
    QCOMPARE(FileFaults::namesIn(dir.path()), QStringList{QStringLiteral("Prova.xlsx")});

    XlsxReader::Sheet book = XlsxReader::read(path);
    QVERIFY2(book.error.isEmpty(), qPrintable(book.error));
    QCOMPARE(book.name, QStringLiteral("Prova"));
    QCOMPARE(book.rows.value(0).value(0).text, QStringLiteral("Nome"));
    QVERIFY(book.rows.value(0).value(0).bold);
    qint64 last = -1;
    for (qint64 r = 0; r < rows; ++r)
        if (!sheet.stored[r][0].isEmpty())
            last = r;
    QCOMPARE(book.rows.size(), last + 2);
    const int columns = int(sheet.description.columns.size());
    for (qint64 r = 0; r <= last; ++r) {
        for (int c = 0; c < columns; ++c) {
            const auto typed = sheet.typed.constFind(r * columns + c);
            const QString shown = grid && typed != sheet.typed.constEnd()
                                      ? typed.value()
                                      : QString::fromLatin1(sheet.stored[r][c]).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
            compareCell(book.rows[r + 1].value(c), shown, QStringLiteral("row %1 column %2").arg(r + 2).arg(c + 1));
            if (QTest::currentTestFailed())
                return;
        }
    }
}

void TestXlsxExport::fullScratchSpaceKeepsTheOldWorkbook_data()
{
    // The share of the worksheet's XML that a size limit on every file lets
    // through: the library's scratch files fill up as on a full disk.
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<double>("kept");
    QTest::newRow("small sheet, a fifth") << qint64(3000) << 0.2;
    QTest::newRow("small sheet, half") << qint64(3000) << 0.5;
    QTest::newRow("small sheet, nearly all") << qint64(3000) << 0.97;
    QTest::newRow("100,000 rows, a third") << qint64(100000) << 0.3;
    QTest::newRow("100,000 rows, nearly all") << qint64(100000) << 0.97;
}

void TestXlsxExport::fullScratchSpaceKeepsTheOldWorkbook()
{
    QFETCH(qint64, rows);
    QFETCH(double, kept);
    TestPlatform p;
    const TestSheet sheet(rows, false, true);
    const QString path = p.file(QStringLiteral("Prova.xlsx"));
    QString error;
    QVERIFY2(XlsxWorkbook::save(path, sheet.description, &error), qPrintable(error));
    const QByteArray old = readBytes(path);
    const qint64 size = sheetSize(path);
    QVERIFY(size > 0);
    const auto limit = qint64(double(size) * kept);
    // The zip, many times smaller than its worksheet, would fit.
    QVERIFY(old.size() < limit);
    const QStringList before = FileFaults::namesIn(p.folder.dir.path());
    bool saved = true;
    {
        // Lowering one's own soft limit is always allowed: a limit that did not
        // take would leave nothing tested.
        FileFaults::SizeLimit cut(limit);
        QVERIFY(cut.active());
        saved = XlsxWorkbook::save(path, sheet.description, &error);
    }
    QVERIFY2(!saved, "a cut worksheet was taken for the workbook");
    QVERIFY2(error.startsWith(path), qPrintable(error));
    QCOMPARE(readBytes(path), old);
    QCOMPARE(FileFaults::namesIn(p.folder.dir.path()), before);
}

QTEST_MAIN(TestXlsxExport)
#include "tst_xlsx_export.moc"
