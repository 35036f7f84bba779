// quintara-bench [folder]
// Times the code paths the screens run on sample archives of 1,000, 10,000 and
// 100,000 member cards (and as many movements), beside the physical floor of
// each archive: reading its bytes into memory and writing as many bytes.
// Prints "name size seconds" per measurement (best of three runs), the peak
// memory, and last the worst ratio of a scan to the read floor of its archive.
//
// Each measurement is one small function over a Bench; adding one is one
// function and one line in kMeasurements.
// QUINTARA_BENCH_ONLY=<text> runs only the measurements whose name contains
// the text (and the read floors they are compared with).
#include "balance/PrimaNota.h"
#include "balance/ui/TfrmBilancio.h"
#include "common/RecordFile.h"
#include "SampleData.h"
#include "common/TextRules.h"
#include "common/ui/ListScreen.h"
#include "common/Platform.h"
#include "members/MemberExport.h"
#include "members/MemberSearch.h"
#include "members/SubscriptionLists.h"
#include "members/ui/TfrmExpAnagrafica.h"
#include "movements/MovementExport.h"
#include "movements/MovementLists.h"
#include "movements/ui/TfrmExpMovimenti.h"
#include "output/ExportDocument.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QWidget>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/resource.h>
#ifdef Q_OS_LINUX
#include <malloc.h>
#endif

namespace {

constexpr int kYear = 2024;

// The archives of one size and what several measurements share.
struct Bench
{
    QString folder;
    qint64 size = 0;
    QString members() const { return folder + QStringLiteral("/Soci.pro"); }
    QString movements() const { return folder + QStringLiteral("/%1.eur").arg(kYear); }

    // Decoded once per size for the measurements that start from records.
    std::vector<TSchedaSocio> memberRecords;
    QStringList memberRows;
    volatile qint64 sink = 0; // keeps results alive so nothing is optimised away
};

void fail(const QString &why)
{
    std::fprintf(stderr, "quintara-bench: %s\n", qPrintable(why));
    std::exit(1);
}

// ---- physical floors -------------------------------------------------------

void readFloor(Bench &b, const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail(f.errorString());
    const QByteArray bytes = f.readAll();
    b.sink = b.sink + bytes.size();
}

void writeFloor(Bench &b, qint64 bytes)
{
    static QByteArray chunk(1 << 20, 'x');
    const QString path = b.folder + QStringLiteral("/floor.tmp");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fail(f.errorString());
        for (qint64 left = bytes; left > 0; left -= chunk.size())
            if (f.write(chunk.constData(), std::min<qint64>(left, chunk.size())) < 0)
                fail(f.errorString());
    }
    QFile::remove(path);
}

// ---- the record layer as the screens call it ---------------------------------

template <class R>
void openCount(Bench &b, const QString &path)
{
    RecordFile<R> f;
    if (!f.open(path, RecordFileBase::Access::Read))
        fail(f.errorString());
    b.sink = b.sink + f.count();
}

template <class R>
void readAllRaw(Bench &b, const QString &path)
{
    RecordFile<R> f;
    if (!f.open(path, RecordFileBase::Access::Read))
        fail(f.errorString());
    QByteArray raw;
    qint64 n = 0;
    while (!f.atEnd()) {
        if (!f.readNextRaw(raw))
            fail(f.errorString());
        n += raw.size();
    }
    b.sink = b.sink + n;
}

template <class R, class Visit>
void scan(const QString &path, Visit visit)
{
    RecordFile<R> f;
    if (!f.open(path, RecordFileBase::Access::Read))
        fail(f.errorString());
    R r;
    while (!f.atEnd()) {
        if (!f.readNext(r))
            fail(f.errorString());
        visit(r);
    }
}

template <class R>
void decodeAll(Bench &b, const QString &path)
{
    qint64 n = 0;
    scan<R>(path, [&](const R &r) { n += r.Note.size(); });
    b.sink = b.sink + n;
}

// Every field lower-cased and tested for a text that is in none of them: the
// whole work of a search whose criteria match nothing.
template <class R>
void containsEveryField(Bench &b, const QString &path)
{
    static const QString needle = QStringLiteral("zqxjw");
    qint64 hits = 0;
    scan<R>(path, [&](const R &r) {
        for (const auto &field : R::fields())
            hits += TextRules::contains(TextRules::lowerAZ(r.*(field.member)), needle);
    });
    b.sink = b.sink + hits;
}

QString memberRow(const TSchedaSocio &s)
{
    return TextRules::fit(s.Dipendente, 30) + QStringLiteral("  C.F. ") + TextRules::fit(s.CodFisc, 16)
           + QStringLiteral("  Scad. ") + TextRules::fit(s.DataSca, 10) + QStringLiteral("  Tel. ")
           + TextRules::fit(s.Recapito, 15) + QStringLiteral(" Note: ") + TextRules::trim(s.Note);
}

// A search with every criterion empty lists the whole archive: read, decode and
// compose the row of every card.
void membersScanListAll(Bench &b)
{
    QStringList rows;
    scan<TSchedaSocio>(b.members(), [&](const TSchedaSocio &s) { rows.append(memberRow(s)); });
    b.sink = b.sink + rows.size();
}

void composeRows(Bench &b)
{
    QStringList rows;
    rows.reserve(qsizetype(b.memberRecords.size()));
    for (const auto &s : b.memberRecords)
        rows.append(memberRow(s));
    b.sink = b.sink + rows.size();
}

void sortRows(Bench &b)
{
    QStringList rows = b.memberRows;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const QString &x, const QString &y) { return TextRules::compareRows(x, y) < 0; });
    b.sink = b.sink + rows.front().size();
}

// The list screens' fill: one item per row in the list font, 1600 pixels wide,
// then the list shown and laid out.
void fillList(Bench &b)
{
    QListWidget list;
    list.resize(800, 400);
    const QFont font(QStringLiteral("Courier New"), 12);
    for (const QString &row : b.memberRows) {
        auto *item = new QListWidgetItem(row);
        item->setFont(font);
        item->setForeground(Qt::black);
        item->setSizeHint(QSize(1600, 20));
        list.addItem(item);
    }
    list.show();
    QCoreApplication::processEvents();
    b.sink = b.sink + list.count();
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
    QList<ListRow> rows;
    rows.reserve(b.memberRows.size());
    qint64 p = 0;
    for (const QString &row : b.memberRows)
        rows.append({row, ++p});
    screen.setRows(rows);
    window.show();
    QCoreApplication::processEvents();
    b.sink = b.sink + screen.rowCount();
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Starts a new peak from the memory in use now (Linux only), so that the peak of
// one screen's path is not hidden by the floors' whole-file buffers.
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

// The member search with every criterion empty, as the user meets it: the whole
// archive read, every row composed, sorted and shown in the list.
void memberSearchPath(Bench &b)
{
    QStringList rows;
    scan<TSchedaSocio>(b.members(), [&](const TSchedaSocio &s) { rows.append(memberRow(s)); });
    std::stable_sort(rows.begin(), rows.end(),
                     [](const QString &x, const QString &y) { return TextRules::compareRows(x, y) < 0; });
    Bench shown;
    shown.memberRows = rows;
    fillList(shown);
    b.sink = b.sink + rows.size();
}

// The member export: every record read into the grid's rows (record number and
// cells), the worksheet composed and written to disk as "Soci.xls".
void memberExportDocument(Bench &b)
{
    QList<QStringList> rows;
    qint64 p = 0;
    scan<TSchedaSocio>(b.members(), [&](const TSchedaSocio &s) {
        rows.append(QStringList{QString::number(++p)} + MemberExport::cells(s));
    });
    // The grid's first column is the record number, which is not exported.
    for (QStringList &row : rows)
        row.removeFirst();
    const QByteArray document = ExportDocument::bytes(MemberExport::description(rows));
    QString error;
    if (!ExportDocument::save(b.folder + QStringLiteral("/Soci.xls"), document, &error))
        fail(error);
    b.sink = b.sink + document.size();
}

// The program's folder seam pointed at the archives of the size being measured.
class BenchFolder : public ProgramFolder
{
public:
    QString path() const override { return folder + QLatin1Char('/'); }
    QString folder;
};

// Runs a core function that reads the program's folder on this size's archives.
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

// The real export window: showing it fills its grid from the archive; the
// document is then written from the grid's rows as its export picture does
// (without the question and the message that follow).
void memberExportScreen(Bench &b)
{
    BenchFolder folder;
    folder.folder = b.folder;
    Platform::setFolder(&folder);
    {
        TfrmExpAnagrafica screen;
        screen.show();
        QCoreApplication::processEvents();
        const QByteArray document = ExportDocument::bytes(MemberExport::description(screen.shownRows()));
        QString error;
        if (!ExportDocument::save(b.folder + QStringLiteral("/Soci.xls"), document, &error))
            fail(error);
        b.sink = b.sink + document.size();
    }
    Platform::setFolder(nullptr);
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

// The real movement export window, as the member one above.
void movementExportScreen(Bench &b)
{
    TfrmExpMovimenti screen;
    screen.setYearFile(b.movements());
    screen.show();
    QCoreApplication::processEvents();
    const QByteArray document = ExportDocument::bytes(MovementExport::description(screen.shownRows()));
    QString error;
    if (!ExportDocument::save(b.folder + QStringLiteral("/Movimenti.xls"), document, &error))
        fail(error);
    b.sink = b.sink + document.size();
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

// The same through the real list screen: shown, filled and laid out.
void primaNotaScreen(Bench &b)
{
    TfrmBilancio screen;
    screen.setWindowState(Qt::WindowNoState);
    screen.resize(1035, 732);
    screen.setRequest(wholeYear(b));
    screen.show();
    QCoreApplication::processEvents();
    b.sink = b.sink + screen.lstRecords->count();
}

// ---- the table ---------------------------------------------------------------

enum class Floor { None, Members, Movements };

struct Measurement
{
    const char *name;
    Floor floor; // a scan is compared with the read floor of its archive
    std::function<void(Bench &)> run;
};

const std::vector<Measurement> kMeasurements = {
    {"members_read_floor", Floor::None, [](Bench &b) { readFloor(b, b.members()); }},
    {"members_write_floor", Floor::None, [](Bench &b) { writeFloor(b, b.size * TSchedaSocio::Size); }},
    {"members_open_count", Floor::None, [](Bench &b) { openCount<TSchedaSocio>(b, b.members()); }},
    {"members_read_all", Floor::Members, [](Bench &b) { readAllRaw<TSchedaSocio>(b, b.members()); }},
    {"members_decode_all", Floor::Members, [](Bench &b) { decodeAll<TSchedaSocio>(b, b.members()); }},
    {"members_scan_nomatch", Floor::Members, [](Bench &b) { containsEveryField<TSchedaSocio>(b, b.members()); }},
    {"members_scan_list_all", Floor::Members, membersScanListAll},
    {"members_search_all_empty", Floor::Members, memberSearchAllEmpty},
    {"members_search_nomatch", Floor::Members, memberSearchNoMatch},
    {"members_list_expiring", Floor::Members,
     [](Bench &b) { subscriptionList(b, SubscriptionLists::Kind::Expiring); }},
    {"members_list_expired", Floor::Members,
     [](Bench &b) { subscriptionList(b, SubscriptionLists::Kind::Expired); }},
    {"members_compose_rows", Floor::None, composeRows},
    {"members_sort_rows", Floor::None, sortRows},
    {"members_fill_list_bare", Floor::None, fillList},
    {"members_fill_list_screen", Floor::None, fillListScreen},
    {"members_export_document", Floor::Members, memberExportDocument},
    {"members_export_screen", Floor::Members, memberExportScreen},
    {"movements_read_floor", Floor::None, [](Bench &b) { readFloor(b, b.movements()); }},
    {"movements_write_floor", Floor::None, [](Bench &b) { writeFloor(b, b.size * TSchedaMovimento::Size); }},
    {"movements_open_count", Floor::None, [](Bench &b) { openCount<TSchedaMovimento>(b, b.movements()); }},
    {"movements_read_all", Floor::Movements, [](Bench &b) { readAllRaw<TSchedaMovimento>(b, b.movements()); }},
    {"movements_decode_all", Floor::Movements, [](Bench &b) { decodeAll<TSchedaMovimento>(b, b.movements()); }},
    {"movements_scan_nomatch", Floor::Movements,
     [](Bench &b) { containsEveryField<TSchedaMovimento>(b, b.movements()); }},
    {"movements_search_all_empty", Floor::Movements, movementSearchAllEmpty},
    {"movements_search_nomatch", Floor::Movements, movementSearchNoMatch},
    {"movements_payments_due", Floor::Movements, paymentsDue},
    {"movements_export_screen", Floor::Movements, movementExportScreen},
    {"movements_prima_nota", Floor::Movements, primaNota},
    // The window's own making costs the same for any year: not a scan to set against the read.
    {"movements_prima_nota_screen", Floor::None, primaNotaScreen},
};

double bestOf(int runs, Bench &b, const std::function<void(Bench &)> &run)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        run(b);
        best = std::min(best, t.nsecsElapsed() / 1e9);
    }
    return best;
}

void line(const char *name, qint64 size, double value)
{
    std::printf("%s %lld %.6f\n", name, static_cast<long long>(size), value);
    std::fflush(stdout);
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
    double worst = 0;
    QString worstName;
    qint64 worstSize = 0;
    for (const qint64 size : {qint64(1000), qint64(10000), qint64(100000)}) {
        Bench b;
        b.size = size;
        b.folder = root + QStringLiteral("/%1").arg(size);
        QString error;
        QElapsedTimer t;
        t.start();
        if (!SampleData(1).writeArchives(b.folder, size, kYear, size, &error))
            fail(error);
        line("generate_archives", size, t.nsecsElapsed() / 1e9);
        scan<TSchedaSocio>(b.members(), [&](const TSchedaSocio &s) { b.memberRecords.push_back(s); });
        for (const auto &s : b.memberRecords)
            b.memberRows.append(memberRow(s));

        double floors[3] = {0, 0, 0};
        for (const Measurement &m : kMeasurements) {
            const QByteArray name(m.name);
            if (!only.isEmpty() && !name.contains(only) && !name.endsWith("_read_floor"))
                continue;
            const double seconds = bestOf(3, b, m.run);
            line(m.name, size, seconds);
            if (QByteArray(m.name).endsWith("_read_floor"))
                floors[QByteArray(m.name).startsWith("members") ? int(Floor::Members) : int(Floor::Movements)] = seconds;
            if (m.floor != Floor::None && floors[int(m.floor)] > 0) {
                const double ratio = seconds / floors[int(m.floor)];
                if (ratio > worst) {
                    worst = ratio;
                    worstName = QString::fromLatin1(m.name);
                    worstSize = size;
                }
            }
        }
        if (size == 100000 && only.isEmpty()) {
            // Whole process: archives, the floors' whole-file buffers and all.
            line("peak_rss_mb", size, peakRssMb());
            b.memberRecords = {};
            b.memberRows = {};
            if (resetPeak()) {
                memberSearchPath(b);
                line("peak_rss_mb_member_search", size, peakRssMb());
            }
        }
        if (argc <= 1)
            QDir(b.folder).removeRecursively();
    }
    std::printf("worst_scan_to_read_floor:%s %lld %.2f\n", qPrintable(worstName), static_cast<long long>(worstSize),
                worst);
    return 0;
}
