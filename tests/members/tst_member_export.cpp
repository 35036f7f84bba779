#include "support/TestPlatform.h"

#include "common/ArchivePaths.h"
#include "common/RecordCodec.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"
#include "common/TextRules.h"
#include "common/Win1252.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmGuida.h"
#include "members/MemberExport.h"
#include "members/ui/TfrmExpAnagrafica.h"
#include "output/ExportDocument.h"
#include "output/ui/ExportProcedure.h"

#include <QFile>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include <atomic>
#include <cstdlib>
#include <new>

#include <malloc.h>

// Every object this program makes with new is counted while counting is on:
// a grid that made an item, a text holder or any other object for each cell
// would show it here, whatever its classes.
namespace {
std::atomic<bool> g_counting{false};
std::atomic<qint64> g_allocations{0};

void *counted(std::size_t size)
{
    if (g_counting.load(std::memory_order_relaxed))
        g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
} // namespace

void *operator new(std::size_t size) { return counted(size); }
void *operator new[](std::size_t size) { return counted(size); }
void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }

namespace {

// The heap in use, small blocks and large ones alike.
qint64 heapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks) + qint64(m.hblkhd);
}

TSchedaSocio rossi()
{
    TSchedaSocio s;
    s.Dipendente = QStringLiteral("Rossi Mario");
    s.Cittadinanza = QStringLiteral("0001");
    s.Stipendio = QStringLiteral("50,00");
    s.Luogo = QStringLiteral("Forlì");
    s.DataNasc = QStringLiteral("12/05/1970");
    s.CodFisc = QStringLiteral("RSSMRA70E12D704X");
    s.Indirizzo = QStringLiteral("Via Roma 1");
    s.Citta = QStringLiteral("Città di Castello");
    s.Prov = QStringLiteral("PG");
    s.Cap = QStringLiteral("06012");
    s.Qualifiche = QStringLiteral("Geometra");
    s.Familiari = QStringLiteral("Presidente");
    s.Iban = QStringLiteral("IT60X0542811101000000123456");
    s.Note = QStringLiteral("Socio fondatore & tesoriere <2020>");
    s.DataSca = QStringLiteral("31/12/2024");
    s.Preavviso = QStringLiteral("30");
    s.Recapito = QStringLiteral("0755551234");
    s.Email = QStringLiteral("mario.rossi@example.it");
    s.File01 = QStringLiteral("tessera.pdf");
    s.Desc01 = QStringLiteral("Tessera");
    return s;
}

TSchedaSocio bianchi()
{
    TSchedaSocio s;
    s.Dipendente = QStringLiteral("Bianchi Anna");
    s.Cittadinanza = QStringLiteral("0002");
    s.Stipendio = QStringLiteral("30,00");
    s.Luogo = QStringLiteral("Bologna");
    s.DataNasc = QStringLiteral("01/02/1985");
    s.PartitaIva = QStringLiteral("01234567890");
    s.Indirizzo = QStringLiteral("Piazza Maggiore 2");
    s.Citta = QStringLiteral("Bologna");
    s.Prov = QStringLiteral("BO");
    s.Cap = QStringLiteral("40121");
    s.Qualifiche = QStringLiteral("Insegnante");
    s.Note = QStringLiteral("Quota da 30 € pagata");
    s.DataSca = QStringLiteral("28/02/2025");
    s.Preavviso = QStringLiteral("15");
    return s;
}

// Writes the archive byte by byte; the first member's name carries trailing
// blanks on disk, as an archive written by another program may.
void writeArchive(const QString &path, const QList<TSchedaSocio> &records)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (qsizetype i = 0; i < records.size(); ++i) {
        QByteArray raw = RecordCodec::encode(records[i]);
        if (i == 0 && !records[i].Dipendente.isEmpty()) {
            const int len = quint8(raw[0]);
            raw[0] = char(len + 3);
            raw[1 + len] = raw[2 + len] = raw[3 + len] = ' ';
        }
        f.write(raw);
    }
}

// The text a grid cell shows.
QString cell(QTableView *grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

QByteArray fixture(const char *name)
{
    return readBytes(QStringLiteral(QUINTARA_TESTS_DIR "/output/fixtures/") + QLatin1String(name));
}

// Stands between the grid and its rows and notes every row the grid asks a text of.
class AskedRows : public QIdentityProxyModel
{
public:
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            rows.insert(index.row());
        return QIdentityProxyModel::data(index, role);
    }
    mutable QSet<int> rows;
};

} // namespace

class TestMemberExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threeMembersAreShownAndExportedExactly();
    void emptyArchiveExportsTheHeaderAlone();
    void gridColumnsFollowTheTable();
    void typedOverCellIsExportedButArchiveUnchanged();
    void readOnlyColumnsRefuseTyping();
    void hintsFollowTheMouse_data();
    void hintsFollowTheMouse();
    void helpAndExit();
    void reExportAfterFailureAndWindowStaysOpen();
    void largeArchiveBuildsOnlyTheRowsShown();
    void everyStoredByteIsExportedAsItsText();

private:
    static void show(TfrmExpAnagrafica &w)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
};

void TestMemberExport::threeMembersAreShownAndExportedExactly()
{
    TestPlatform p;
    writeArchive(ArchivePaths::members(), {rossi(), bianchi(), TSchedaSocio()});

    TfrmExpAnagrafica w;
    show(w);
    auto *grid = control<QTableView>(&w, "grdRecords");
    QVERIFY(grid);
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(cell(grid, 0, 0), QStringLiteral("1"));
    QCOMPARE(cell(grid, 1, 0), QStringLiteral("2"));
    QCOMPARE(cell(grid, 2, 0), QStringLiteral("3"));
    QCOMPARE(cell(grid, 0, 1), QStringLiteral("Rossi Mario"));
    QCOMPARE(cell(grid, 1, 9), QStringLiteral("Bologna"));
    QCOMPARE(cell(grid, 2, 1), QString());

    QTest::mouseClick(control<PictureButton>(&w, "cmdEsporta"), Qt::LeftButton);
    QCOMPARE(p.messages.shown.size(), 2);
    QCOMPARE(p.messages.shown[0].text, ExportProcedure::askText());
    QCOMPARE(p.messages.shown[1].text, ExportProcedure::successText());
    const QByteArray expected = fixture("soci_tre.xls");
    QVERIFY(!expected.isEmpty());
    QCOMPARE(readBytes(p.file(QStringLiteral("Soci.xls"))), expected);
    QCOMPARE(p.shell.opened, QList<QUrl>{QUrl::fromLocalFile(p.file(QStringLiteral("Soci.xls")))});
    QVERIFY(w.isVisible());
}

void TestMemberExport::emptyArchiveExportsTheHeaderAlone()
{
    TestPlatform p;
    TfrmExpAnagrafica w;
    show(w);
    QCOMPARE(control<QTableView>(&w, "grdRecords")->model()->rowCount(), 0);
    // An absent archive is created empty, as every screen that reads it does.
    QVERIFY(QFile::exists(ArchivePaths::members()));
    QCOMPARE(QFileInfo(ArchivePaths::members()).size(), 0);

    p.messages.answers = {MessageBoxes::Answer::Yes, MessageBoxes::Answer::No};
    QTest::mouseClick(control<PictureButton>(&w, "cmdEsporta"), Qt::LeftButton);
    const QByteArray expected = fixture("soci_vuoto.xls");
    QVERIFY(!expected.isEmpty());
    QCOMPARE(readBytes(p.file(QStringLiteral("Soci.xls"))), expected);
    QVERIFY(p.shell.opened.isEmpty());
}

void TestMemberExport::gridColumnsFollowTheTable()
{
    TestPlatform p;
    writeArchive(ArchivePaths::members(), {rossi()});
    TfrmExpAnagrafica w;
    show(w);
    QCOMPARE(w.windowTitle(), QStringLiteral(" Esporta archivio Soci in Microsoft Excel"));
    QCOMPARE(w.size(), QSize(862, 560));
    auto *grid = control<QTableView>(&w, "grdRecords");
    QCOMPARE(grid->model()->columnCount(), 19);
    QCOMPARE(grid->geometry(), QRect(8, 80, 821, 409));
    QVERIFY(grid->alternatingRowColors());
    QCOMPARE(grid->rowHeight(0), 21);

    const QStringList headers = {"N.", "Cognome e nome", "Tessera n.", "Quota associativa", "Luogo di nascita",
                                 "Data di nascita", "Codice fiscale", "Partita IVA", "Indirizzo di residenza",
                                 "Città", "Prov.", "CAP", "Qualifiche", "Incarico ricoperto", "IBAN", "Note",
                                 "Scadenza abbonamento", "Recapito telefonico", "E-mail"};
    const QList<int> widths = {60, 250, 180, 150, 250, 180, 180, 150, 250, 250, 100, 120, 300, 250, 200, 350, 150, 180, 250};
    const QList<int> editable = {3, 5, 6, 11, 14, 16, 18};
    for (int c = 0; c < 19; ++c) {
        QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
        QCOMPARE(grid->columnWidth(c), widths[c]);
        QCOMPARE(bool(grid->model()->flags(grid->model()->index(0, c)) & Qt::ItemIsEditable), editable.contains(c));
    }
    // The record's days of notice and attachments are not among the cells.
    for (int c = 0; c < 19; ++c) {
        QVERIFY(cell(grid, 0, c) != QStringLiteral("tessera.pdf"));
        QVERIFY(cell(grid, 0, c) != QStringLiteral("Tessera"));
    }
    QCOMPARE(MemberExport::columnIndex(QStringLiteral("colEmail")), 18);
}

void TestMemberExport::typedOverCellIsExportedButArchiveUnchanged()
{
    TestPlatform p;
    writeArchive(ArchivePaths::members(), {rossi(), bianchi()});
    const QByteArray archiveBefore = readBytes(ArchivePaths::members());

    {
        TfrmExpAnagrafica w;
        show(w);
        auto *grid = control<QTableView>(&w, "grdRecords");
        const int fee = MemberExport::columnIndex(QStringLiteral("colStipendio"));
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(1, fee));
        // Typing over the selected cell opens its editor with the typed text; the
        // export picture is clicked while the editor is still open.
        QTest::keyClick(grid, '7');
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != grid);
        QTest::keyClicks(editor, QStringLiteral("5,50"));
        QTest::mouseClick(control<PictureButton>(&w, "cmdEsporta"), Qt::LeftButton);

        const QByteArray doc = readBytes(p.file(QStringLiteral("Soci.xls")));
        QVERIFY(doc.contains("<td style=\"text-align: left;\">75,50</td>"));
        QVERIFY(!doc.contains("<td style=\"text-align: left;\">30,00</td>"));
        QVERIFY(doc.contains("<td style=\"text-align: left;\">50,00</td>"));
    }
    QCOMPARE(readBytes(ArchivePaths::members()), archiveBefore);

    TfrmExpAnagrafica again;
    show(again);
    QCOMPARE(cell(control<QTableView>(&again, "grdRecords"), 1, 3), QStringLiteral("30,00"));
}

void TestMemberExport::readOnlyColumnsRefuseTyping()
{
    TestPlatform p;
    writeArchive(ArchivePaths::members(), {rossi()});
    TfrmExpAnagrafica w;
    show(w);
    auto *grid = control<QTableView>(&w, "grdRecords");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClicks(grid, QStringLiteral("Verdi"));
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(cell(grid, 0, 1), QStringLiteral("Rossi Mario"));
}

void TestMemberExport::hintsFollowTheMouse_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("export") << "cmdEsporta" << "Esporta l'archivio in formato Microsoft Excel.";
    QTest::newRow("help") << "cmdGuida" << "Visualizza la pagina della guida sensibile al contesto.";
    QTest::newRow("exit") << "cmdEsci" << "Esci da questo ambiente di lavoro.";
    QTest::newRow("grid") << "grdRecords" << "";
    QTest::newRow("panel") << "panContainer" << "";
    QTest::newRow("status strip") << "shpInfo" << "";
    QTest::newRow("header strip") << "shpSfondo" << "";
}

void TestMemberExport::hintsFollowTheMouse()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    TestPlatform p;
    TfrmExpAnagrafica w;
    show(w);
    auto *info = ::control<QLabel>(&w, "panInfo");
    QCOMPARE(info->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
    // Start from a known text different from the expected one.
    info->setText(QStringLiteral("x"));
    QWidget *target = w.findChild<QWidget *>(control);
    QVERIFY(target);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(target, &enter);
    QCOMPARE(info->text(), hint);
}

void TestMemberExport::helpAndExit()
{
    TestPlatform p;
    TfrmExpAnagrafica w;
    show(w);
    QString title, body;
    p.modal.handlers.append([&](QDialog *d) {
        title = control<QLabel>(d, "lblTitolo")->text();
        body = static_cast<TfrmGuida *>(d)->txtGuida->toPlainText();
    });
    QTest::mouseClick(control<PictureButton>(&w, "cmdGuida"), Qt::LeftButton);
    QCOMPARE(p.modal.opened, QStringList{QStringLiteral("TfrmGuida")});
    QCOMPARE(title, QStringLiteral("Esportazione archivio Soci in Microsoft Excel."));
    QVERIFY(body.contains(QStringLiteral("Libre Office")));

    QTest::mouseClick(control<PictureButton>(&w, "cmdEsci"), Qt::LeftButton);
    QVERIFY(!w.isVisible());
}

void TestMemberExport::reExportAfterFailureAndWindowStaysOpen()
{
    TestPlatform p;
    writeArchive(ArchivePaths::members(), {rossi()});
    QVERIFY(QDir().mkdir(p.file(QStringLiteral("Soci.xls"))));
    TfrmExpAnagrafica w;
    show(w);
    QTest::mouseClick(control<PictureButton>(&w, "cmdEsporta"), Qt::LeftButton);
    QCOMPARE(p.messages.shown.size(), 2);
    QCOMPARE(p.messages.shown[1].kind, MessageBoxes::Kind::Plain);
    QCOMPARE(p.messages.shown[1].text, ExportProcedure::failureText());
    QVERIFY(w.isVisible());

    // Once the obstacle is gone the same window exports.
    QVERIFY(QDir().rmdir(p.file(QStringLiteral("Soci.xls"))));
    p.messages.clear();
    QTest::mouseClick(control<PictureButton>(&w, "cmdEsporta"), Qt::LeftButton);
    QCOMPARE(p.messages.lastText(), ExportProcedure::successText());
    QVERIFY(readBytes(p.file(QStringLiteral("Soci.xls"))).contains("Rossi Mario"));
}

void TestMemberExport::largeArchiveBuildsOnlyTheRowsShown()
{
    TestPlatform p;
    constexpr int kMembers = 10000;
    constexpr qint64 kCells = qint64(kMembers) * 19;
    {
        QFile f(ArchivePaths::members());
        QVERIFY(f.open(QIODevice::WriteOnly));
        TSchedaSocio s = bianchi();
        for (int i = 1; i <= kMembers; ++i) {
            s.Dipendente = QStringLiteral("Socio %1").arg(i, 5, 10, QLatin1Char('0'));
            QVERIFY(f.write(RecordCodec::encode(s)) == TSchedaSocio::Size);
        }
    }
    TfrmExpAnagrafica w;
    auto *grid = control<QTableView>(&w, "grdRecords");
    // A grid of items would hold a text for each of the 190,000 cells.
    QVERIFY(!qobject_cast<QTableWidget *>(grid));
    AskedRows asked;
    asked.setSourceModel(grid->model());
    grid->setModel(&asked);
    const qint64 heapBefore = heapInUse();
    g_allocations = 0;
    g_counting = true;
    show(w);
    g_counting = false;
    const qint64 heapGrowth = heapInUse() - heapBefore;
    // Opening the window on the archive made a few thousand objects (the window's
    // first painting among them), not one for each cell or even each row; and the
    // grid holds the cells' text, a small part of the fixed-size records, not a
    // string or an item for each cell.
    QVERIFY2(g_allocations < kCells / 10, qPrintable(QString::number(qint64(g_allocations))));
    const qint64 archiveBytes = qint64(kMembers) * TSchedaSocio::Size;
    QVERIFY2(heapGrowth < archiveBytes / 3, qPrintable(QStringLiteral("%1 bytes for an archive of %2")
                                                             .arg(heapGrowth)
                                                             .arg(archiveBytes)));
    QCOMPARE(grid->model()->rowCount(), kMembers);
    const int onScreen = grid->viewport()->height() / 21 + 1;

    (void)grid->grab();
    QVERIFY(!asked.rows.isEmpty());
    for (int row : std::as_const(asked.rows))
        QVERIFY2(row < onScreen, qPrintable(QStringLiteral("row %1 asked at the top").arg(row)));

    asked.rows.clear();
    grid->scrollToBottom();
    (void)grid->grab();
    QVERIFY(asked.rows.contains(kMembers - 1));
    for (int row : std::as_const(asked.rows))
        QVERIFY2(row >= kMembers - onScreen, qPrintable(QStringLiteral("row %1 asked at the bottom").arg(row)));
    QCOMPARE(cell(grid, kMembers - 1, 1), QStringLiteral("Socio 10000"));

    // The worksheet is written from the rows themselves, not cell by cell through
    // the grid, which at most redraws what it shows.
    asked.rows.clear();
    QTest::mouseClick(control<PictureButton>(&w, "cmdEsporta"), Qt::LeftButton);
    QCOMPARE(p.messages.lastText(), ExportProcedure::successText());
    for (int row : std::as_const(asked.rows))
        QVERIFY2(row >= kMembers - onScreen, qPrintable(QStringLiteral("row %1 asked by the export").arg(row)));
    const QByteArray doc = readBytes(p.file(QStringLiteral("Soci.xls")));
    QCOMPARE(doc.count("<tr>"), kMembers + 1);
    QVERIFY(doc.contains("<tr><td style=\"text-align: left;\">Socio 00001</td>"));
    QVERIFY(doc.endsWith("<tr><td style=\"text-align: left;\">Socio 10000</td>"
                         "<td style=\"text-align: left;\">0002</td><td style=\"text-align: left;\">30,00</td>"
                         "<td style=\"text-align: left;\">Bologna</td><td style=\"text-align: left;\">01/02/1985</td>"
                         "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\">01234567890</td>"
                         "<td style=\"text-align: left;\">Piazza Maggiore 2</td><td style=\"text-align: left;\">Bologna</td>"
                         "<td style=\"text-align: left;\">BO</td><td style=\"text-align: left;\">40121</td>"
                         "<td style=\"text-align: left;\">Insegnante</td><td style=\"text-align: left;\"></td>"
                         "<td style=\"text-align: left;\"></td><td style=\"text-align: left;\">Quota da 30 \x80 pagata</td>"
                         "<td style=\"text-align: left;\">28/02/2025</td><td style=\"text-align: left;\"></td>"
                         "<td style=\"text-align: left;\"></td></tr></table></body></html>"));
}

void TestMemberExport::everyStoredByteIsExportedAsItsText()
{
    // Fields holding every byte of the code page, control characters and the
    // three escaped characters included, with blanks and line breaks at the ends.
    QByteArray raw = RecordCodec::encode(rossi());
    const auto put = [&raw](QString TSchedaSocio::*field, const QByteArray &bytes) {
        const RecordCodec::FieldSlot slot = RecordCodec::slotOf<TSchedaSocio>(field);
        QVERIFY(bytes.size() <= slot.capacity);
        raw[slot.offset] = char(bytes.size());
        raw.replace(slot.offset + 1, bytes.size(), bytes);
    };
    QByteArray low, high;
    for (int b = 1; b < 0x80; ++b)
        low.append(char(b));
    for (int b = 0x80; b < 0x100; ++b)
        high.append(char(b));
    put(&TSchedaSocio::Note, " \t" + low + "\r\n ");
    put(&TSchedaSocio::Familiari, high + "a\r\nb\rc\nd&<>\r\n");
    put(&TSchedaSocio::Dipendente, "  Rossi \x80 Mario\x81  ");
    TestPlatform p;
    {
        QFile f(ArchivePaths::members());
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(raw), raw.size());
    }
    TfrmExpAnagrafica w;
    show(w);
    QTest::mouseClick(control<PictureButton>(&w, "cmdEsporta"), Qt::LeftButton);

    // The same cells handed over as texts, as the card reads them.
    const TSchedaSocio record = RecordCodec::decode<TSchedaSocio>(raw.constData());
    QStringList texts;
    for (const ExportSheet::Column &c : MemberExport::sheet().columns.mid(1))
        texts.append(TextRules::trim(Win1252::decode(RecordCodec::trimmedBytes(raw.constData(), c.field).toByteArray())));
    QCOMPARE(texts.first(), record.Dipendente);
    QCOMPARE(texts.at(MemberExport::columnIndex(QStringLiteral("colNote")) - 1), record.Note);
    const QByteArray doc = readBytes(p.file(QStringLiteral("Soci.xls")));
    QCOMPARE(doc, ExportDocument::bytes(MemberExport::sheet().description({texts})));
    QVERIFY(doc.contains(">Rossi \x80 Mario\x81</td>"));
    QVERIFY(doc.contains(high + "a b c d&amp;&lt;&gt;</td>"));
    QVERIFY(!doc.contains('\r') && !doc.contains('\n'));
}

QTEST_MAIN(TestMemberExport)
#include "tst_member_export.moc"
