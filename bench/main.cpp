// quintara-bench [folder]
// Times the code paths the screens run on sample archives of 1,000, 10,000 and
// 100,000 member cards (and as many movements), each beside its floor: the least
// the same result could cost (reading the file's bytes, writing as many bytes as
// the document, a bare list widget given the same rows, a Qt program showing one
// window).
//
// How a figure is taken, so that it holds on a busy machine:
// - one untimed pass of the operation and of its floor first, so both meet a
//   warm file cache and warm allocators; the peak memory is taken on that pass;
// - then five timed runs of each, floor and operation in turn, so both meet the
//   same load; each figure is the minimum of its five runs.
//
// One line per operation and size:
//   <operation> <size> <seconds> <floor> <floor seconds> <ratio> <peak MB>
// where the peak is the growth of the process's resident memory during the
// operation (at 100,000 only; "-" elsewhere); for start-up, which runs as a
// program of its own, it is that program's whole resident peak. A floor's own
// line names no floor.
//
// The floors: a scan (search, lists, payments due, prima nota) is set against
// reading its file's bytes; an export against reading the archive plus writing
// as many bytes as its document, the way documents are written (beside, synced,
// swapped in); an export window against its document alone; an export's
// workbook (".xlsx") against the workbook library alone writing the same cells,
// made ready beforehand, through its public interface; a list window
// against a bare list widget given the same rows (the prima nota's also reads
// the year's bytes); the window of what is due after the login against its two
// scans run alone; start-up to the login screen painted against a Qt Widgets
// program that paints one window.
// The copy of the data folder (made at every end of the program) runs on a folder
// of its own: 10,000 members, two years of 50,000 movements each and 200 photos;
// it is set against reading those files' bytes, and so is the end of a run in
// which nothing changed (the files read and compared with the newest copy).
// The last line is "worst_ratio_at_100000 <operation> <ratio>": the largest ratio
// to its floor at 100,000 over the operations a user waits for (scans, list
// windows, exports, start-up); the lines that time the record codec alone are
// in the table but not in that line.
//
// Adding an operation is one function and one row in operations(), naming its
// floor. QUINTARA_BENCH_ONLY=<text> runs only the operations whose name contains
// the text (with their floors); QUINTARA_BENCH_SIZES=1000,10000 chooses the sizes.
// Given a folder, the archives are kept there and used again by the next run.
#include "SampleData.h"
#include "backup/BackupMaker.h"
#include "balance/PrimaNota.h"
#include "balance/ui/TfrmBilancio.h"
#include "common/Platform.h"
#include "common/RecordFile.h"
#include "common/SafeSave.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"
#include "common/ui/ListScreen.h"
#include "members/MemberExport.h"
#include "members/MemberSearch.h"
#include "members/SubscriptionLists.h"
#include "members/ui/TfrmExpAnagrafica.h"
#include "movements/MovementExport.h"
#include "movements/MovementLists.h"
#include "movements/ui/TfrmExpMovimenti.h"
#include "output/ExportDocument.h"
#include "output/ExportTableModel.h"
#include "statement/CashStatement.h"
#include "statement/YearCache.h"
#include "output/XlsxWorkbook.h"
#include "common/TextRules.h"
#include "common/Win1252.h"
#include "shell/DueReminder.h"
#include "shell/ui/TfrmInScadenza.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <xlsxwriter.h>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>
#endif

namespace {

constexpr int kYear = 2024;
constexpr int kRuns = 5;
constexpr qint64 kLargest = 100000;

// The archives of one size and what several operations share.
struct Bench
{
    QString folder;
    qint64 size = 0;
    QString members() const { return folder + QStringLiteral("/Soci.pro"); }
    QString movements() const { return folder + QStringLiteral("/%1.eur").arg(kYear); }

    qint64 memberDocumentBytes = 0;   // the size of "Soci.xls" for this archive
    qint64 movementDocumentBytes = 0; // the size of "Movimenti.xls" for this year
    RowTable memberRows;              // the member search's rows, for the list fills
    QStringList memberTexts;          // the same as texts, for the bare list
    QStringList primaNotaTexts;       // the prima nota's rows of the whole year, as texts
    // The cells of each export's workbook as the library takes them, made once.
    std::shared_ptr<struct PreparedSheet> memberCells, movementCells;
    qint64 childPeakKb = -1;        // the resident peak the last program started reported
    volatile qint64 sink = 0;       // keeps results alive so nothing is optimised away
};

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "quintara-bench: %s\n", qPrintable(why));
    std::exit(1);
}

// ---- floors -------------------------------------------------------------------

// The bytes of a file through one buffer, as a scan streams through its read-ahead.
void readBytes(Bench &b, const QString &path)
{
    static QByteArray buffer(1 << 20, '\0');
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail(f.errorString());
    qint64 total = 0;
    for (;;) {
        const qint64 got = f.read(buffer.data(), buffer.size());
        if (got < 0)
            fail(f.errorString());
        if (got == 0)
            break;
        total += got;
    }
    b.sink = b.sink + total;
}

// As many bytes written as the document has, the way every document is written:
// a new file beside the old one, in pieces, synced and swapped in.
void writeBytes(Bench &b, const QString &path, qint64 bytes)
{
    static const QByteArray piece(1 << 20, 'x');
    SafeSave f(path);
    if (!f.open())
        fail(f.errorString());
    for (qint64 left = bytes; left > 0; left -= piece.size())
        if (!f.write(piece.constData(), std::min<qint64>(left, piece.size())))
            fail(f.errorString());
    if (!f.commit())
        fail(f.errorString());
    b.sink = b.sink + bytes;
}

void membersExportFloor(Bench &b)
{
    readBytes(b, b.members());
    writeBytes(b, b.folder + QStringLiteral("/floor.xls"), b.memberDocumentBytes);
}

void movementsExportFloor(Bench &b)
{
    readBytes(b, b.movements());
    writeBytes(b, b.folder + QStringLiteral("/floor.xls"), b.movementDocumentBytes);
}

// Rows in a plain list widget: items made from the texts, shown and painted.
void fillBare(Bench &b, const QStringList &texts, const QSize &size)
{
    QListWidget list;
    list.resize(size);
    list.setUniformItemSizes(true);
    list.addItems(texts);
    list.show();
    QCoreApplication::processEvents();
    b.sink = b.sink + list.count();
}

void fillListBare(Bench &b) { fillBare(b, b.memberTexts, QSize(830, 330)); }

// The least the prima nota window could do: read the year's bytes and show its
// rows in a bare list of the window's size.
void primaNotaFloor(Bench &b)
{
    readBytes(b, b.movements());
    fillBare(b, b.primaNotaTexts, QSize(1035, 732));
}

// ---- the record layer ----------------------------------------------------------

template <class R>
void readAllRaw(Bench &b, const QString &path)
{
    RecordFile<R> f;
    if (!f.open(path, RecordFileBase::Access::Read))
        fail(f.errorString());
    const qint64 count = f.count();
    qint64 n = 0;
    for (qint64 i = 0; i < count; ++i) {
        const char *raw = f.readNextInPlace();
        if (!raw)
            fail(f.errorString());
        n += raw[0];
    }
    b.sink = b.sink + n;
}

template <class R>
void decodeAll(Bench &b, const QString &path)
{
    RecordFile<R> f;
    if (!f.open(path, RecordFileBase::Access::Read))
        fail(f.errorString());
    const qint64 count = f.count();
    R r;
    qint64 n = 0;
    for (qint64 i = 0; i < count; ++i) {
        if (!f.readNext(r))
            fail(f.errorString());
        n += r.Note.size();
    }
    b.sink = b.sink + n;
}

// ---- the screens' paths ------------------------------------------------------

// The program's folder seam pointed at the archives of the size being measured.
class BenchFolder : public ProgramFolder
{
public:
    QString path() const override { return folder + QLatin1Char('/'); }
    QString folder;
};

// Runs what reads the program's folder on this size's archives.
template <class Run>
void inFolder(Bench &b, Run run)
{
    BenchFolder folder;
    folder.folder = b.folder;
    Platform::setFolder(&folder);
    run();
    Platform::setFolder(nullptr);
}

void keepScan(Bench &b, const ListScan &scan)
{
    if (!scan.complete)
        fail(scan.error);
    b.sink = b.sink + scan.rows.size();
}

// The member search as its "Cerca" runs it: with every criterion empty (the
// whole archive listed and sorted) and with one criterion that matches nothing.
void memberSearchAllEmpty(Bench &b)
{
    inFolder(b, [&] { keepScan(b, MemberSearch::run({})); });
}

void memberSearchNoMatch(Bench &b)
{
    const MemberSearch::Criteria criteria{{&TSchedaSocio::Dipendente, QStringLiteral("zqxjw")}};
    inFolder(b, [&] { keepScan(b, MemberSearch::run(criteria)); });
}

void subscriptionList(Bench &b, SubscriptionLists::Kind kind)
{
    inFolder(b, [&] { keepScan(b, SubscriptionLists::scan(kind, Platform::clock().today())); });
}

// The same rows through the list screens' own list, as the searches fill it.
void fillListScreen(Bench &b)
{
    QWidget window;
    window.resize(860, 560);
    ListScreen::Places places;
    places.instructions = QPoint(16, 16);
    places.instructionsWidth = 800;
    places.findEdit = QRect(16, 60, 600, 26);
    places.findButton = QRect(632, 60, 110, 30);
    places.list = QRect(16, 100, 830, 330);
    ListScreen screen(&window, &window, places, QStringLiteral("Riepilogo"));
    screen.setRows(b.memberRows);
    window.show();
    QCoreApplication::processEvents();
    b.sink = b.sink + screen.rowCount();
}

// What the export window reads when it opens: the archive into the export rows.
void memberExportRows(Bench &b)
{
    ExportTableModel rows(MemberExport::sheet());
    const auto read = rows.load(b.members());
    if (!read)
        fail(read.error());
    b.sink = b.sink + *read;
}

// The member export without its window: the archive read into the export rows
// and "Soci.xls" written from them.
void memberExportDocument(Bench &b)
{
    ExportTableModel rows(MemberExport::sheet());
    const auto read = rows.load(b.members());
    if (!read)
        fail(read.error());
    QString error;
    if (!ExportDocument::save(b.folder + QStringLiteral("/Soci.xls"), rows.description(), &error))
        fail(error);
    b.sink = b.sink + *read;
}

// The cells of an export's workbook made ready for the library beforehand: the
// header, then each cell's kind and its UTF-8 text or its number.
struct PreparedSheet
{
    struct Cell
    {
        enum class Kind : unsigned char { Empty, Text, Amount, Day } kind = Kind::Empty;
        double number = 0;
        std::string text;
    };
    std::vector<std::string> header;
    std::vector<Cell> cells; // row after row
};

std::shared_ptr<PreparedSheet> prepare(const ExportSheet &sheet, const QString &archive)
{
    ExportTableModel rows(sheet);
    const auto read = rows.load(archive);
    if (!read)
        fail(read.error());
    const ExportDescription d = rows.description();
    auto out = std::make_shared<PreparedSheet>();
    for (const ExportColumn &c : d.columns)
        out->header.push_back(c.header.toStdString());
    out->cells.reserve(size_t(d.rowCount) * d.columns.size());
    using Kind = PreparedSheet::Cell::Kind;
    for (qint64 r = 0; r < d.rowCount; ++r) {
        for (int c = 0; c < d.columns.size(); ++c) {
            const ExportDescription::Cell cell = d.cell(r, c);
            const QString text = cell.text ? *cell.text : Win1252::decode(cell.bytes.toByteArray());
            PreparedSheet::Cell p;
            std::optional<double> amount;
            std::optional<QDate> day;
            if (text.isEmpty())
                p.kind = Kind::Empty;
            else if (d.columns[c].kind == ExportColumn::Kind::Amount && (amount = TextRules::parseAmount(text)))
                p = {Kind::Amount, *amount, {}};
            else if (d.columns[c].kind == ExportColumn::Kind::Date && (day = TextRules::parseDate(text)))
                p = {Kind::Day, double(QDate(1899, 12, 30).daysTo(*day)), {}};
            else
                p = {Kind::Text, 0, text.toStdString()};
            out->cells.push_back(std::move(p));
        }
    }
    return out;
}

// The floor of a workbook: the library alone writing the prepared cells through
// its public interface, one worksheet on one thread in constant-memory mode.
void workbookFloor(Bench &b, std::shared_ptr<PreparedSheet> &prepared, const ExportSheet &sheet,
                   const QString &archive)
{
    if (!prepared)
        prepared = prepare(sheet, archive);
    const PreparedSheet &p = *prepared;
    const QByteArray path = QFile::encodeName(b.folder + QStringLiteral("/floor.xlsx"));
    QByteArray folder = QFile::encodeName(b.folder);
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = folder.data();
    lxw_workbook *book = workbook_new_opt(path.constData(), &options);
    lxw_worksheet *ws = book ? workbook_add_worksheet(book, "Foglio1") : nullptr;
    if (!ws)
        fail(QStringLiteral("the floor's workbook could not be made"));
    lxw_format *bold = workbook_add_format(book);
    lxw_format *amount = workbook_add_format(book);
    lxw_format *day = workbook_add_format(book);
    format_set_bold(bold);
    format_set_num_format(amount, "#,##0.00\\ \"\xE2\x82\xAC\"");
    format_set_num_format(day, "dd/mm/yyyy");
    const auto columns = lxw_col_t(p.header.size());
    for (lxw_col_t c = 0; c < columns; ++c)
        worksheet_write_string(ws, 0, c, p.header[c].c_str(), bold);
    using Kind = PreparedSheet::Cell::Kind;
    for (size_t i = 0; i < p.cells.size(); ++i) {
        const PreparedSheet::Cell &cell = p.cells[i];
        const auto row = lxw_row_t(i / columns + 1);
        const auto col = lxw_col_t(i % columns);
        switch (cell.kind) {
        case Kind::Empty: break;
        case Kind::Text: worksheet_write_string(ws, row, col, cell.text.c_str(), nullptr); break;
        case Kind::Amount: worksheet_write_number(ws, row, col, cell.number, amount); break;
        case Kind::Day: worksheet_write_number(ws, row, col, cell.number, day); break;
        }
    }
    for (lxw_col_t c = 0; c < columns; ++c)
        worksheet_set_column(ws, c, c, 20, nullptr);
    worksheet_freeze_panes(ws, 1, 0);
    if (workbook_close(book) != LXW_NO_ERROR)
        fail(QStringLiteral("the floor's workbook could not be written"));
    b.sink = b.sink + qint64(p.cells.size());
}

void membersWorkbookFloor(Bench &b) { workbookFloor(b, b.memberCells, MemberExport::sheet(), b.members()); }
void movementsWorkbookFloor(Bench &b) { workbookFloor(b, b.movementCells, MovementExport::sheet(), b.movements()); }

// The same rows written as the workbook "Soci.xlsx", set against the library alone.
void memberExportWorkbook(Bench &b)
{
    ExportTableModel rows(MemberExport::sheet());
    const auto read = rows.load(b.members());
    if (!read)
        fail(read.error());
    QString error;
    if (!XlsxWorkbook::save(b.folder + QStringLiteral("/Soci.xlsx"), rows.description(), &error))
        fail(error);
    b.sink = b.sink + *read;
}

// The export window as the user meets it: opened on the archive (its grid
// loaded, shown and painted), then its export picture's document written from
// the grid's rows (without the question and the message around it).
void memberExportWindow(Bench &b)
{
    inFolder(b, [&] {
        TfrmExpAnagrafica screen;
        screen.show();
        QCoreApplication::processEvents();
        QString error;
        if (!ExportDocument::save(b.folder + QStringLiteral("/Soci.xls"), screen.rows()->description(), &error))
            fail(error);
        b.sink = b.sink + screen.rows()->rowCount();
    });
}

// The movement search and the payments-due list: the one movement scan with
// their filters, on the year file the card works on.
void movementSearchAllEmpty(Bench &b) { keepScan(b, MovementLists::search(b.movements(), {})); }

void movementSearchNoMatch(Bench &b)
{
    const MovementLists::Criteria criteria{{&TSchedaMovimento::Causale, QStringLiteral("zqxjw")}};
    keepScan(b, MovementLists::search(b.movements(), criteria));
}

void paymentsDue(Bench &b) { keepScan(b, MovementLists::paymentsDue(b.movements(), QDate(kYear, 6, 30))); }

// The movement export without its window, as the member one above.
void movementExportDocument(Bench &b)
{
    ExportTableModel rows(MovementExport::sheet());
    const auto read = rows.load(b.movements());
    if (!read)
        fail(read.error());
    QString error;
    if (!ExportDocument::save(b.folder + QStringLiteral("/Movimenti.xls"), rows.description(), &error))
        fail(error);
    b.sink = b.sink + *read;
}

void movementExportWorkbook(Bench &b)
{
    ExportTableModel rows(MovementExport::sheet());
    const auto read = rows.load(b.movements());
    if (!read)
        fail(read.error());
    QString error;
    if (!XlsxWorkbook::save(b.folder + QStringLiteral("/Movimenti.xlsx"), rows.description(), &error))
        fail(error);
    b.sink = b.sink + *read;
}

// The real movement export window, as the member one above.
void movementExportWindow(Bench &b)
{
    TfrmExpMovimenti screen;
    screen.setYearFile(b.movements());
    screen.show();
    QCoreApplication::processEvents();
    QString error;
    if (!ExportDocument::save(b.folder + QStringLiteral("/Movimenti.xls"), screen.rows()->description(), &error))
        fail(error);
    b.sink = b.sink + screen.rows()->rowCount();
}

// The prima nota of the whole year with no reason: every movement read, checked
// against the interval, made a row and added to the totals.
PrimaNota::Request wholeYear(const Bench &b)
{
    return {QString(), QStringLiteral("01/01/%1").arg(kYear), QStringLiteral("31/12/%1").arg(kYear), b.movements()};
}

void primaNota(Bench &b)
{
    const PrimaNota::Result r = PrimaNota::list(wholeYear(b));
    if (!r.complete())
        fail(r.error);
    b.sink = b.sink + r.rows.size();
}

// The same through the real list screen: shown, filled, laid out and painted.
void primaNotaScreen(Bench &b)
{
    TfrmBilancio screen;
    screen.setWindowState(Qt::WindowNoState);
    screen.resize(1035, 732);
    screen.setRequest(wholeYear(b));
    screen.show();
    QCoreApplication::processEvents();
    b.sink = b.sink + screen.lstRecords->model()->rowCount();
}

// The day the reminder looks at: in the archives' year, as for the payments due.
class BenchClock : public Clock
{
public:
    QDate today() const override { return {kYear, 6, 30}; }
    QDateTime now() const override { return {today(), QTime(9, 0)}; }
};

// Runs what reads the program's folder and the day on this size's archives.
template <class Run>
void onTheDay(Bench &b, Run run)
{
    BenchClock clock;
    Platform::setClock(&clock);
    inFolder(b, run);
    Platform::setClock(nullptr);
}

// The two scans the window of what is due stands on, run alone: the members
// whose subscription is expiring or expired, and the year's payments due.
void reminderScans(Bench &b)
{
    onTheDay(b, [&] {
        const QDate today = Platform::clock().today();
        keepScan(b, SubscriptionLists::scan(SubscriptionLists::Kind::Expiring, today));
        keepScan(b, MovementLists::paymentsDue(b.movements(), today));
    });
}

// What the reminder adds to the start menu after the login: what is due
// gathered, and the window built, filled, shown and painted.
void reminderWindow(Bench &b)
{
    onTheDay(b, [&] {
        const DueReminder::Due due = DueReminder::gather(Platform::clock().today());
        if (!due.members.complete || !due.payments.complete || !due.any())
            fail(QStringLiteral("the reminder found nothing due"));
        TfrmInScadenza window;
        window.setDue(due);
        window.show();
        QCoreApplication::processEvents();
        b.sink = b.sink + due.members.rows.size() + due.payments.rows.size();
    });
}

// A program of the benchmark's own folder, started and waited for.
void runProgram(Bench &b, const char *name)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/startup/")
                            + QString::fromLatin1(name);
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, {});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        fail(QStringLiteral("%1 did not end well: %2 %3")
                 .arg(program, p.errorString(), QString::fromLocal8Bit(p.readAll())));
    b.childPeakKb = -1;
    for (const QByteArray &line : p.readAll().split('\n'))
        if (line.startsWith("peak_kb "))
            b.childPeakKb = line.mid(8).trimmed().toLongLong();
    b.sink = b.sink + 1;
}

// ---- the table ---------------------------------------------------------------

// ---- yearly cash statement --------------------------------------------------------

QString yearBefore(const Bench &b) { return b.folder + QStringLiteral("/%1.eur").arg(kYear - 1); }

// The floor of the statement: the bytes of the two year files it reads.
void statementFloor(Bench &b)
{
    readBytes(b, b.movements());
    readBytes(b, yearBefore(b));
}

// Every reason and payment method of the two years classified, as a treasurer
// would leave them, with the opening balances of the year before.
Classification &statementClassification()
{
    static Classification c;
    return c;
}

// The statement of the year beside the year before, from the files, as the
// screen computes it when it opens.
void statement(Bench &b)
{
    YearCache cache(b.folder + QLatin1Char('/'));
    const CashStatement s = CashStatement::compute(kYear, statementClassification(), cache.source());
    b.sink = b.sink + s.line(QStringLiteral("R"))->current + s.current().closingBanca;
}

void prepareStatement(Bench &b)
{
    const QString before = yearBefore(b);
    if (QFileInfo(before).size() != b.size * TSchedaMovimento::Size) {
        QFile::remove(before);
        RecordFile<TSchedaMovimento> file;
        if (!file.open(before, RecordFileBase::Access::Write))
            fail(file.errorString());
        const SampleData data(2);
        for (qint64 i = 0; i < b.size; ++i)
            if (!file.append(data.movement(kYear - 1, i, b.size, b.size)))
                fail(file.errorString());
        file.close();
    }
    Classification &c = statementClassification();
    c = Classification();
    YearCache cache(b.folder + QLatin1Char('/'));
    for (const int year : {kYear, kYear - 1})
        for (const YearMovements::Group &g : cache.get(year)->groups) {
            const auto side = g.income ? StatementItems::Side::Income : StatementItems::Side::Expense;
            const QString code = CashStatement::suggestion(side, g.causale);
            c.setItem(side, g.causale, code.isEmpty() ? (g.income ? QStringLiteral("A.E10") : QStringLiteral("A.U5")) : code);
            const auto account = CashStatement::suggestedAccount(g.pagamento);
            c.setAccount(g.pagamento, account == Classification::Account::None ? Classification::Account::Banca : account);
        }
    c.setOpening(kYear - 1, Classification::Opening{100000, 500000});
}

// ---- the copy of the data folder ------------------------------------------------

constexpr qint64 kBackupMembers = 10000;
constexpr qint64 kBackupMovementsPerYear = 100000;
constexpr int kBackupPhotos = 200;

// The folder the copy is measured on, written once (kept in a folder given on
// the command line).
QString backupFolder(Bench &b)
{
    const QString folder = QFileInfo(b.folder).path() + QStringLiteral("/backup_data/");
    const QString last = folder + QStringLiteral("%1.jpg").arg(kBackupPhotos);
    if (QFileInfo(folder + QStringLiteral("%1.eur").arg(kYear - 1)).size() == kBackupMovementsPerYear * TSchedaMovimento::Size
        && QFileInfo::exists(last))
        return folder;
    QDir().mkpath(folder);
    QString error;
    const SampleData sample(3);
    if (!sample.writeArchives(folder, kBackupMembers, kYear - 1, kBackupMovementsPerYear, &error)
        || !sample.writeArchives(folder, kBackupMembers, kYear, kBackupMovementsPerYear, &error))
        fail(error);
    // Photos as a camera gives them: noise does not compress.
    QRandomGenerator random(11);
    QImage photo(480, 360, QImage::Format_RGB32);
    for (int n = 1; n <= kBackupPhotos; ++n) {
        for (int y = 0; y < photo.height(); ++y) {
            auto *line = reinterpret_cast<quint32 *>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x)
                line[x] = 0xff000000u | (random.generate() & 0x00ffffffu);
        }
        if (!photo.save(folder + QStringLiteral("%1.jpg").arg(n), "JPEG", 85))
            fail(QStringLiteral("cannot write the photos"));
    }
    QFile password(folder + QStringLiteral("unins000.dll"));
    if (!password.open(QIODevice::WriteOnly))
        fail(password.errorString());
    password.write("[Accesso]\r\nValore=5D602824792B0896A26F06075021\r\n");
    return folder;
}

void backupReadFloor(Bench &b)
{
    const QString folder = backupFolder(b);
    for (const QString &name : BackupMaker::dataFiles(folder))
        readBytes(b, folder + name);
}

// The data files out of the system's memory, so the next reading takes them from
// the disk, as at the first end of the program after the computer was started.
void dropFromMemory(Bench &b)
{
#ifdef Q_OS_LINUX
    const QString folder = backupFolder(b);
    for (const QString &name : BackupMaker::dataFiles(folder)) {
        const int fd = ::open(QFile::encodeName(folder + name).constData(), O_RDONLY);
        if (fd < 0)
            fail(QStringLiteral("cannot open %1").arg(name));
        ::fdatasync(fd);
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
#else
    fail(QStringLiteral("files cannot be dropped from memory here"));
#endif
}

// The earlier copies, removed before a copy is timed: a fresh copy each time.
void removeCopies(Bench &b)
{
    QDir(backupFolder(b) + QStringLiteral("Backup")).removeRecursively();
}

void dropFromMemoryAndRemoveCopies(Bench &b)
{
    removeCopies(b);
    dropFromMemory(b);
}

void backupCopy(Bench &b)
{
    const QString folder = backupFolder(b);
    removeCopies(b); // for the untimed runs
    const BackupOutcome o = BackupMaker(folder).make(QDateTime(QDate(kYear, 3, 15), QTime(18, 0)));
    if (o.status != BackupOutcome::Status::Made)
        fail(QStringLiteral("backup: %1").arg(BackupMaker::message(o)));
}

// The end of a run that changed nothing: read, compared, no copy.
void backupUnchanged(Bench &b)
{
    const QString folder = backupFolder(b);
    if (!QFileInfo::exists(folder + QStringLiteral("Backup")))
        backupCopy(b);
    const BackupOutcome o = BackupMaker(folder).make(QDateTime(QDate(kYear, 3, 15), QTime(18, 30)));
    if (o.status != BackupOutcome::Status::Unchanged)
        fail(QStringLiteral("backup: a copy equal to the last was made again"));
}

struct Operation
{
    const char *name;
    // The operation it is set against; nullptr for a floor.
    const char *floor;
    std::function<void(Bench &)> run;
    // Operations whose cost does not depend on the archives run at the largest size only.
    bool everySize = true;
    // Runs as a program of its own: its peak is that program's whole resident peak.
    bool ownProcess = false;
    // Times the record codec alone, which no screen runs by itself: in the
    // table, but not a candidate for the worst line.
    bool codecOnly = false;
    // Run before each timing of the operation and of its floor, outside the time.
    std::function<void(Bench &)> before = nullptr;
};

const std::vector<Operation> &operations()
{
    using K = SubscriptionLists::Kind;
    static const std::vector<Operation> table = {
        {"members_read_floor", nullptr, [](Bench &b) { readBytes(b, b.members()); }},
        {"members_read_all", "members_read_floor", [](Bench &b) { readAllRaw<TSchedaSocio>(b, b.members()); }, true,
         false, true},
        {"members_decode_all", "members_read_floor", [](Bench &b) { decodeAll<TSchedaSocio>(b, b.members()); },
         true, false, true},
        {"members_search_all_empty", "members_read_floor", memberSearchAllEmpty},
        {"members_search_nomatch", "members_read_floor", memberSearchNoMatch},
        {"members_list_expiring", "members_read_floor", [](Bench &b) { subscriptionList(b, K::Expiring); }},
        {"members_list_expired", "members_read_floor", [](Bench &b) { subscriptionList(b, K::Expired); }},
        {"members_export_rows", "members_read_floor", memberExportRows},
        {"members_export_floor", nullptr, membersExportFloor},
        {"members_export_document", "members_export_floor", memberExportDocument},
        {"members_export_window", "members_export_document", memberExportWindow},
        {"members_export_xlsx_floor", nullptr, membersWorkbookFloor},
        {"members_export_xlsx", "members_export_xlsx_floor", memberExportWorkbook},
        {"members_fill_list_bare", nullptr, fillListBare},
        {"members_fill_list_screen", "members_fill_list_bare", fillListScreen},
        {"movements_read_floor", nullptr, [](Bench &b) { readBytes(b, b.movements()); }},
        {"movements_read_all", "movements_read_floor",
         [](Bench &b) { readAllRaw<TSchedaMovimento>(b, b.movements()); }, true, false, true},
        {"movements_decode_all", "movements_read_floor",
         [](Bench &b) { decodeAll<TSchedaMovimento>(b, b.movements()); }, true, false, true},
        {"movements_search_all_empty", "movements_read_floor", movementSearchAllEmpty},
        {"movements_search_nomatch", "movements_read_floor", movementSearchNoMatch},
        {"movements_payments_due", "movements_read_floor", paymentsDue},
        {"movements_prima_nota", "movements_read_floor", primaNota},
        {"movements_prima_nota_floor", nullptr, primaNotaFloor},
        {"movements_prima_nota_screen", "movements_prima_nota_floor", primaNotaScreen},
        {"movements_export_floor", nullptr, movementsExportFloor},
        {"movements_export_document", "movements_export_floor", movementExportDocument},
        {"movements_export_window", "movements_export_document", movementExportWindow},
        {"statement_read_floor", nullptr, statementFloor},
        {"statement_two_years", "statement_read_floor", statement},
        {"movements_export_xlsx_floor", nullptr, movementsWorkbookFloor},
        {"movements_export_xlsx", "movements_export_xlsx_floor", movementExportWorkbook},
        {"backup_read_floor", nullptr, backupReadFloor, false},
        {"backup_copy", "backup_read_floor", backupCopy, false, false, false, removeCopies},
        {"backup_unchanged", "backup_read_floor", backupUnchanged, false},
        {"backup_read_floor_cold", nullptr, backupReadFloor, false, false, false, dropFromMemory},
        {"backup_copy_cold", "backup_read_floor_cold", backupCopy, false, false, false,
         dropFromMemoryAndRemoveCopies},
        {"reminder_scans_floor", nullptr, reminderScans},
        {"reminder_after_login", "reminder_scans_floor", reminderWindow},
        {"startup_window_floor", nullptr, [](Bench &b) { runProgram(b, "quintara-bench-window"); }, false, true},
        {"startup_login", "startup_window_floor", [](Bench &b) { runProgram(b, "quintara-bench-startup"); }, false,
         true},
    };
    return table;
}

const Operation *find(const char *name)
{
    for (const Operation &op : operations())
        if (qstrcmp(op.name, name) == 0)
            return &op;
    fail(QStringLiteral("no operation %1").arg(QLatin1String(name)));
}

// ---- memory --------------------------------------------------------------------

// A value of /proc/self/status in kB; -1 where there is none.
qint64 statusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Starts a new peak from the memory in use now (Linux only): freed memory is
// handed back first, and the kernel's high-water mark is reset to it.
bool resetPeak()
{
#ifdef Q_OS_LINUX
    malloc_trim(0);
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
#else
    return false;
#endif
}

// Runs once and returns how far the resident memory rose above where it was, in MB;
// negative when it cannot be told.
double peakGrowthMb(Bench &b, const Operation &op)
{
    if (op.ownProcess) {
        op.run(b);
        return b.childPeakKb < 0 ? -1 : b.childPeakKb / 1024.0;
    }
    if (!resetPeak())
        return -1;
    const qint64 before = statusKb("VmRSS");
    op.run(b);
    const qint64 peak = statusKb("VmHWM");
    if (before < 0 || peak < 0)
        return -1;
    return (peak - before) / 1024.0;
}

double timed(Bench &b, const Operation &op)
{
    if (op.before)
        op.before(b);
    QElapsedTimer t;
    t.start();
    op.run(b);
    return t.nsecsElapsed() / 1e9;
}

// ---- running -------------------------------------------------------------------

struct Figures
{
    double seconds = 0;
    double floorSeconds = 0;
    double peakMb = -1;
};

Figures measure(Bench &b, const Operation &op)
{
    const Operation *floor = op.floor ? find(op.floor) : nullptr;
    Figures f;
    // The untimed pass: caches warm for both, and the peak taken.
    if (floor)
        floor->run(b);
    f.peakMb = peakGrowthMb(b, op);
    double best = 1e300, bestFloor = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        if (floor)
            bestFloor = std::min(bestFloor, timed(b, *floor));
        best = std::min(best, timed(b, op));
    }
    f.seconds = best;
    f.floorSeconds = floor ? bestFloor : 0;
    return f;
}

void printLine(const Operation &op, qint64 size, const Figures &f)
{
    std::printf("%s %lld %.6f", op.name, static_cast<long long>(size), f.seconds);
    if (op.floor)
        std::printf(" %s %.6f %.2f", op.floor, f.floorSeconds, f.seconds / f.floorSeconds);
    else
        std::printf(" - - -");
    if (size == kLargest && f.peakMb >= 0)
        std::printf(" %.1f\n", f.peakMb);
    else
        std::printf(" -\n");
    std::fflush(stdout);
}

QList<qint64> sizes()
{
    const QByteArray given = qgetenv("QUINTARA_BENCH_SIZES");
    if (given.isEmpty())
        return {1000, 10000, kLargest};
    QList<qint64> out;
    for (const QByteArray &s : given.split(','))
        if (s.toLongLong() > 0)
            out.append(s.toLongLong());
    return out;
}

// Whether the run asked for this operation: all of them, or those named, with
// the floors they are set against.
bool wanted(const Operation &op, const QByteArray &only)
{
    if (only.isEmpty() || QByteArray(op.name).contains(only))
        return true;
    for (const Operation &other : operations())
        if (other.floor && qstrcmp(other.floor, op.name) == 0 && wanted(other, only))
            return true;
    return false;
}

void prepare(Bench &b)
{
    // Archives kept in a folder given on the command line are used again: the
    // sample data is the same for the same size.
    const bool kept = QFileInfo(b.members()).size() == b.size * TSchedaSocio::Size
                      && QFileInfo(b.movements()).size() == b.size * TSchedaMovimento::Size;
    if (!kept) {
        QString error;
        QElapsedTimer t;
        t.start();
        if (!SampleData(1).writeArchives(b.folder, b.size, kYear, b.size, &error))
            fail(error);
        std::printf("generate_archives %lld %.6f\n", static_cast<long long>(b.size), t.nsecsElapsed() / 1e9);
    }
    memberExportDocument(b);
    b.memberDocumentBytes = QFileInfo(b.folder + QStringLiteral("/Soci.xls")).size();
    movementExportDocument(b);
    b.movementDocumentBytes = QFileInfo(b.folder + QStringLiteral("/Movimenti.xls")).size();
    prepareStatement(b);
    const PrimaNota::Result year = PrimaNota::list(wholeYear(b));
    if (!year.complete())
        fail(year.error);
    b.primaNotaTexts = year.rows.texts();
    inFolder(b, [&] {
        const ListScan scan = MemberSearch::run({});
        if (!scan.complete)
            fail(scan.error);
        b.memberRows = scan.rows;
        b.memberTexts = scan.rows.texts();
    });
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp;
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    const QByteArray only = qgetenv("QUINTARA_BENCH_ONLY");
    const QList<qint64> chosen = sizes();

    double worst = 0;
    QString worstName;
    for (const qint64 size : chosen) {
        Bench b;
        b.size = size;
        b.folder = root + QStringLiteral("/%1").arg(size);
        prepare(b);
        for (const Operation &op : operations()) {
            if (!wanted(op, only) || (!op.everySize && size != chosen.last()))
                continue;
            const Figures f = measure(b, op);
            printLine(op, size, f);
            if (size == kLargest && op.floor && !op.codecOnly && f.seconds / f.floorSeconds > worst) {
                worst = f.seconds / f.floorSeconds;
                worstName = QString::fromLatin1(op.name);
            }
        }
        if (argc <= 1)
            QDir(b.folder).removeRecursively();
    }
    if (chosen.contains(kLargest))
        std::printf("worst_ratio_at_100000 %s %.2f\n", qPrintable(worstName), worst);
    return 0;
}
