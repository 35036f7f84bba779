#include "XlsxWorkbook.h"
#include "WorkbookZip.h"

#include "common/SafeSave.h"
#include "common/TextRules.h"
#include "common/Win1252.h"

#include <QDate>
#include <QFile>
#include <QThread>
#include <QVarLengthArray>

#include <xlsxwriter.h>
#include <zip.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace XlsxWorkbook {

namespace {

// Column widths are in characters of the sheet's font; a column of long notes
// stops at this width rather than pushing the others off the screen.
constexpr double kWidestColumn = 60;
// The room a column keeps beside its longest cell.
constexpr double kColumnMargin = 2;

// Two decimals, the thousands grouped and the euro sign after the amount; the
// spreadsheet program shows the separators of the user's language.
constexpr const char *kAmountFormat = "#,##0.00\\ \"\xE2\x82\xAC\"";
constexpr const char *kDateFormat = "dd/mm/yyyy";

// What the worksheet's name may not hold, and how long it may be.
constexpr QStringView kNotInSheetName = u"[]:*?/\\";
constexpr qsizetype kLongestSheetName = 31;

// The UTF-8 bytes of every character of the code page.
struct Utf8Table
{
    std::array<std::array<char, 3>, 256> bytes{};
    std::array<unsigned char, 256> size{};
};

const Utf8Table &utf8Table()
{
    static const Utf8Table table = [] {
        Utf8Table t;
        for (int b = 0; b < 256; ++b) {
            const char16_t c = Win1252::charOf(static_cast<unsigned char>(b));
            auto &out = t.bytes[size_t(b)];
            if (c < 0x80) {
                out[0] = char(c);
                t.size[size_t(b)] = 1;
            } else if (c < 0x800) {
                out[0] = char(0xC0 | (c >> 6));
                out[1] = char(0x80 | (c & 0x3F));
                t.size[size_t(b)] = 2;
            } else {
                out[0] = char(0xE0 | (c >> 12));
                out[1] = char(0x80 | ((c >> 6) & 0x3F));
                out[2] = char(0x80 | (c & 0x3F));
                t.size[size_t(b)] = 3;
            }
        }
        return t;
    }();
    return table;
}

// A control character other than the tab has no place in the workbook's XML.
bool isControl(unsigned char b) { return b < 0x20 && b != '\t'; }

// A cell as the ".xls" document shows it, in UTF-8 for the workbook: blanks and
// control characters trimmed at both ends, each line break (CR LF, CR or LF) one
// blank. Any other control character inside the text becomes a blank too, as the
// XML of the workbook cannot hold it. Returns the number of characters, what the
// column's width is fitted to. One pass, and no allocation once out has grown:
// it runs for every cell of the sheet.
size_t clean(QByteArrayView raw, std::string &out)
{
    const auto *p = reinterpret_cast<const unsigned char *>(raw.data());
    const unsigned char *end = p + raw.size();
    while (p < end && *p <= 0x20)
        ++p;
    while (end > p && end[-1] <= 0x20)
        --end;
    const Utf8Table &t = utf8Table();
    out.resize(size_t(end - p) * 3);
    char *o = out.data();
    size_t chars = 0;
    for (; p < end; ++p, ++chars) {
        const unsigned char b = *p;
        if (b >= 0x20 && b < 0x80) {
            *o++ = char(b);
        } else if (isControl(b)) {
            if (b == '\r' && p + 1 < end && p[1] == '\n')
                ++p;
            *o++ = ' ';
        } else {
            const auto &bytes = t.bytes[b];
            for (unsigned char i = 0; i < t.size[b]; ++i)
                *o++ = bytes[i];
        }
    }
    out.resize(size_t(o - out.data()));
    return chars;
}

// The same for a text the user typed: a character the code page lacks is one '?',
// as in the ".xls" document.
size_t cleanTyped(QStringView text, std::string &out)
{
    std::string bytes;
    bytes.reserve(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes.push_back(Win1252::encodeChar(c.unicode()));
    }
    return clean(QByteArrayView(bytes.data(), qsizetype(bytes.size())), out);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A cleaned cell as one of the program's reading rules reads it, handed over
// without a string of its own. Only the codes 0-127 can be part of a number or a
// date, and those are the same bytes in UTF-8: any other character makes the cell
// a text.
template <class Rule>
auto readAs(const std::string &cell, Rule rule) -> decltype(rule(QStringView()))
{
    QVarLengthArray<char16_t, 64> text;
    for (const char c : cell) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return std::nullopt;
        text.append(char16_t(c));
    }
    return rule(QStringView(text.constData(), text.size()));
}

// An amount read strictly: sign, digits, one comma and its decimals, nothing else.
// The usual shape (a sign, digits, a comma between digits) is read here at once,
// to the same nearest double the program's rule gives; any other shape is left
// to that rule.
std::optional<double> amountOf(const std::string &cell)
{
    const char *const begin = cell.data();
    const char *const end = begin + cell.size();
    for (const char *p = begin; p < end; ++p)
        if (!isDigit(*p) && *p != ',' && *p != '+' && *p != '-')
            return std::nullopt; // as the rule: no other character in an amount
    const char *p = begin;
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    const char *const whole = p;
    while (p < end && isDigit(*p))
        ++p;
    bool usual = p > whole;
    if (p < end && *p == ',') {
        const char *const decimals = ++p;
        while (p < end && isDigit(*p))
            ++p;
        usual = usual && p > decimals;
    }
    char number[64];
    if (usual && p == end && cell.size() < sizeof number) {
        // In the C form the conversion reads: no '+', a point for the comma.
        size_t size = 0;
        for (const char c : cell)
            if (c != '+')
                number[size++] = c == ',' ? '.' : c;
        double value = 0;
        const auto [last, error] = std::from_chars(number, number + size, value);
        if (error == std::errc() && last == number + size && std::isfinite(value))
            return value;
    }
    return readAs(cell, [](QStringView text) { return TextRules::parseAmount(text); });
}

// A real day written dd/mm/yyyy as the spreadsheet's day number (days since
// 30/12/1899). Days before March 1900 stay texts: the spreadsheet programs do not
// agree on their numbers.
std::optional<double> dayOf(const std::string &cell)
{
    // Only ten characters with the slashes in their places can be a day.
    if (cell.size() != 10 || cell[2] != '/' || cell[5] != '/')
        return std::nullopt;
    const std::optional<QDate> date = readAs(cell, [](QStringView text) { return TextRules::parseDate(text); });
    if (!date || *date < QDate(1900, 3, 1))
        return std::nullopt;
    return double(QDate(1899, 12, 30).daysTo(*date));
}

QByteArray sheetName(const QString &name)
{
    QString out = name;
    for (QChar &c : out)
        if (kNotInSheetName.contains(c) || c.unicode() < 0x20)
            c = QLatin1Char(' ');
    out = TextRules::trim(out.left(kLongestSheetName));
    while (out.startsWith(QLatin1Char('\'')))
        out.remove(0, 1);
    while (out.endsWith(QLatin1Char('\'')))
        out.chop(1);
    if (out.isEmpty())
        out = QStringLiteral("Foglio1");
    return out.toUtf8();
}

QString failure(lxw_error e) { return QString::fromUtf8(lxw_strerror(e)); }

// The cells of the description, one after the other, cleaned as the ".xls" shows them.
class Cells
{
public:
    explicit Cells(const ExportDescription &d)
        : m_d(d)
    {
    }

    qint64 rows() const { return m_d.cell ? m_d.rowCount : qint64(m_d.rows.size()); }

    // The cell in UTF-8 into out; returns its number of characters.
    size_t get(qint64 row, int column, std::string &out) const
    {
        if (m_d.cell) {
            const ExportDescription::Cell c = m_d.cell(row, column);
            return c.text ? cleanTyped(*c.text, out) : clean(c.bytes, out);
        }
        const QStringList &texts = m_d.rows.at(row);
        if (column < texts.size())
            return cleanTyped(texts.at(column), out);
        out.clear();
        return 0;
    }

private:
    const ExportDescription &m_d;
};

// The number of rows below which a helper thread costs more than it spares, and
// the most threads one sheet is written on.
constexpr qint64 kRowsPerThread = 4096;
constexpr int kMostThreads = 4;

// The threads a sheet of so many rows is written on when the caller leaves it to
// the program: one for a small sheet, one per core for a large one.
int threadsFor(qint64 rows)
{
    // The cores this process may run on, not those of the machine: more threads
    // than those would only take turns.
    const auto cores = qint64(std::max(1, QThread::idealThreadCount()));
    return int(std::clamp<qint64>(std::min(cores, rows / kRowsPerThread), 1, kMostThreads));
}

// The worksheet, written in runs of rows on as many threads.
//
// The library's own work for each cell (copying and escaping the text, printing
// the cell's XML) is most of an export's time, and one worksheet can only be
// filled on one thread. So each run of rows is filled by a worksheet of its own:
// the first run by the workbook's real worksheet, which also takes the header,
// the others by worksheets of helper workbooks, each on a thread of its own.
// In constant-memory mode a worksheet writes each row out, as the XML it will
// hold, to a scratch file as soon as the next row begins. Once every run is
// written, the helpers' scratch files are added to the real worksheet's in
// order, which then holds every row just as if it had written them all itself;
// the helper workbooks are freed without ever being saved. The library keeps
// nothing writable outside its workbooks, so that workbooks of their own may be
// filled on threads of their own.
//
// For the rows to read the same whichever worksheet wrote them, every workbook
// makes its three formats in the same order and numbers them at once, and the
// real worksheet is given the extent of the whole sheet.
class SheetWriter
{
public:
    SheetWriter(const ExportDescription &d, int threads)
        : m_d(d)
        , m_cells(d)
        , m_threads(threads > 0 ? threads : threadsFor(m_cells.rows()))
    {
    }

    bool write(lxw_workbook *book, QString *why);

private:
    // One run of rows [first, end) and the worksheet that writes it.
    struct Run
    {
        lxw_workbook *book = nullptr;
        bool ownsBook = false;
        lxw_worksheet *sheet = nullptr;
        lxw_format *bold = nullptr;
        lxw_format *amount = nullptr;
        lxw_format *day = nullptr;
        lxw_format *boldAmount = nullptr;
        qint64 first = 0;
        qint64 end = 0;
        std::vector<char> scratch;
        std::vector<double> widths;
        QString why;

        Run() = default;
        Run(const Run &) = delete;
        Run &operator=(const Run &) = delete;
        ~Run()
        {
            if (!ownsBook)
                return; // the real workbook: its close frees it
            // The scratch file goes before the buffer it was given.
            if (sheet && sheet->optimize_tmpfile) {
                std::fclose(sheet->optimize_tmpfile);
                sheet->optimize_tmpfile = nullptr;
            }
            if (book)
                lxw_workbook_free(book);
        }
    };

    bool start(Run &run, const QByteArray &name);
    void fill(Run &run) const;
    bool join(QString *why);

    const ExportDescription &m_d;
    const Cells m_cells;
    const int m_threads;
    std::vector<std::unique_ptr<Run>> m_runs;
};

// Makes the run's worksheet and formats. Until the run is joined, nothing else
// may be written to the scratch file than what the worksheet writes.
bool SheetWriter::start(Run &run, const QByteArray &name)
{
    run.sheet = workbook_add_worksheet(run.book, name.constData());
    run.bold = workbook_add_format(run.book);
    run.amount = workbook_add_format(run.book);
    run.day = workbook_add_format(run.book);
    run.boldAmount = workbook_add_format(run.book);
    if (!run.sheet || !run.bold || !run.amount || !run.day || !run.boldAmount)
        return false;
    // The rows go through the scratch file a few bytes per call: a large buffer
    // spares the system most of those calls, on the way in and on the way back.
    // Nothing has been written to the file yet, as the buffer must be set first.
    run.scratch.resize(std::size_t(1) << 20);
    if (run.sheet->optimize_tmpfile)
        std::setvbuf(run.sheet->optimize_tmpfile, run.scratch.data(), _IOFBF, run.scratch.size());
    format_set_bold(run.bold);
    format_set_num_format(run.amount, kAmountFormat);
    format_set_num_format(run.day, kDateFormat);
    format_set_bold(run.boldAmount);
    format_set_num_format(run.boldAmount, kAmountFormat);
    // Numbered in this order in every workbook, so that each row names them alike.
    lxw_format_get_xf_index(run.bold);
    lxw_format_get_xf_index(run.amount);
    lxw_format_get_xf_index(run.day);
    lxw_format_get_xf_index(run.boldAmount);
    run.widths.assign(m_d.columns.size(), 0);
    return true;
}

// Writes the run's rows (and, for the first run, the header), keeping each
// column's widest cell. Stops at the first refusal, with its reason in run.why.
void SheetWriter::fill(Run &run) const
{
    const auto columns = lxw_col_t(m_d.columns.size());
    const auto top = lxw_row_t(m_d.titleRows.size());
    std::string cell;
    if (run.first == 0) {
        // The title's texts run over the empty cells beside them: no width is fitted to them.
        for (lxw_row_t r = 0; r < top; ++r) {
            const QStringList &texts = m_d.titleRows.at(r);
            for (lxw_col_t c = 0; c < columns && c < lxw_col_t(texts.size()); ++c) {
                cleanTyped(texts.at(c), cell);
                if (cell.empty())
                    continue;
                if (const lxw_error e = worksheet_write_string(run.sheet, r, c, cell.c_str(), run.bold)) {
                    run.why = failure(e);
                    return;
                }
            }
        }
        for (lxw_col_t c = 0; c < columns; ++c) {
            // Bold letters are a little wider.
            run.widths[c] = double(cleanTyped(m_d.columns[c].header, cell)) * 1.1;
            if (const lxw_error e = worksheet_write_string(run.sheet, top, c, cell.c_str(), run.bold)) {
                run.why = failure(e);
                return;
            }
        }
    }
    for (qint64 r = run.first; r < run.end; ++r) {
        const auto row = lxw_row_t(top + r + 1);
        const bool bold = m_d.boldRows.contains(r);
        for (lxw_col_t c = 0; c < columns; ++c) {
            double width = double(m_cells.get(r, int(c), cell));
            if (cell.empty())
                continue;
            lxw_error e = LXW_NO_ERROR;
            const ExportColumn::Kind kind = m_d.columns[c].kind;
            std::optional<double> value;
            if (kind == ExportColumn::Kind::Amount && (value = amountOf(cell))) {
                e = worksheet_write_number(run.sheet, row, c, *value, bold ? run.boldAmount : run.amount);
                width += width / 3 + 2; // grouping, the sign and the euro
            } else if (kind == ExportColumn::Kind::Date && (value = dayOf(cell))) {
                e = worksheet_write_number(run.sheet, row, c, *value, run.day);
            } else {
                e = worksheet_write_string(run.sheet, row, c, cell.c_str(), bold ? run.bold : nullptr);
            }
            if (e != LXW_NO_ERROR) {
                run.why = failure(e);
                return;
            }
            run.widths[c] = std::max(run.widths[c], width);
        }
    }
}

// Adds the helpers' rows to the real worksheet's, in order, and gives it their
// extent. Each worksheet first writes out the last row it still holds.
bool SheetWriter::join(QString *why)
{
    lxw_worksheet *sheet = m_runs.front()->sheet;
    lxw_worksheet_write_single_row(sheet);
    FILE *out = sheet->optimize_tmpfile;
    std::vector<char> buffer;
    for (std::size_t i = 1; i < m_runs.size(); ++i) {
        lxw_worksheet *part = m_runs[i]->sheet;
        lxw_worksheet_write_single_row(part);
        sheet->dim_rowmin = std::min(sheet->dim_rowmin, part->dim_rowmin);
        sheet->dim_rowmax = std::max(sheet->dim_rowmax, part->dim_rowmax);
        sheet->dim_colmin = std::min(sheet->dim_colmin, part->dim_colmin);
        sheet->dim_colmax = std::max(sheet->dim_colmax, part->dim_colmax);
        FILE *in = part->optimize_tmpfile;
        if (!in || !out) {
            *why = QStringLiteral("the worksheet has no scratch file");
            return false;
        }
        buffer.resize(std::size_t(1) << 20);
        bool copied = std::fflush(in) == 0;
        std::rewind(in);
        std::size_t got = 0;
        while (copied && (got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0)
            copied = std::fwrite(buffer.data(), 1, got, out) == got;
        if (!copied || std::ferror(in) || std::ferror(out)) {
            *why = QStringLiteral("the worksheet's rows could not be put together");
            return false;
        }
    }
    return true;
}

bool SheetWriter::write(lxw_workbook *book, QString *why)
{
    const qint64 rows = m_cells.rows();
    if (rows + m_d.titleRows.size() >= qint64(LXW_ROW_MAX)) {
        *why = QStringLiteral("%1 rows do not fit in a worksheet").arg(rows);
        return false;
    }
    const QByteArray name = sheetName(m_d.sheetName);
    const qint64 threads = std::max<qint64>(1, std::min<qint64>(m_threads, rows));
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    for (qint64 i = 0; i < threads; ++i) {
        auto run = std::make_unique<Run>();
        run->first = rows * i / threads;
        run->end = rows * (i + 1) / threads;
        run->book = i == 0 ? book : workbook_new_opt("", &options);
        run->ownsBook = i > 0;
        const bool started = run->book && start(*run, name);
        m_runs.push_back(std::move(run));
        if (!started) {
            *why = QStringLiteral("the worksheet could not be made");
            return false;
        }
    }

    {
        std::vector<std::jthread> helpers;
        for (std::size_t i = 1; i < m_runs.size(); ++i)
            helpers.emplace_back([this, i] { fill(*m_runs[i]); });
        fill(*m_runs.front());
    }
    for (const auto &run : m_runs) {
        if (!run->why.isEmpty()) {
            *why = run->why;
            return false;
        }
    }
    if (!join(why))
        return false;

    lxw_worksheet *sheet = m_runs.front()->sheet;
    for (lxw_col_t c = 0; c < lxw_col_t(m_d.columns.size()); ++c) {
        double width = 0;
        for (const auto &run : m_runs)
            width = std::max(width, run->widths[c]);
        if (const lxw_error e = worksheet_set_column(sheet, c, c, std::min(width + kColumnMargin, kWidestColumn), nullptr)) {
            *why = failure(e);
            return false;
        }
    }
    worksheet_freeze_panes(sheet, lxw_row_t(m_d.titleRows.size() + 1), 0);
    return true;
}

constexpr char kSheetPart[] = "xl/worksheets/sheet1.xml";
constexpr QByteArrayView kSheetEnd = "</worksheet>";

QString zipFailure(int code)
{
    zip_error_t e;
    zip_error_init_with_code(&e, code);
    QString text = QString::fromUtf8(zip_error_strerror(&e));
    zip_error_fini(&e);
    return text;
}

// Reads the whole worksheet back out of the zip: every byte inflated, its
// checksum right, its last element there.
bool readBack(zip_t *archive, QString *why)
{
    zip_file_t *sheet = zip_fopen(archive, kSheetPart, 0);
    if (!sheet) {
        *why = QString::fromUtf8(zip_strerror(archive));
        return false;
    }
    const qsizetype endSize = kSheetEnd.size();
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    QByteArray tail;
    zip_int64_t got = 0;
    while ((got = zip_fread(sheet, buffer.data(), zip_uint64_t(buffer.size()))) > 0)
        tail = got >= endSize ? buffer.mid(qsizetype(got) - endSize, endSize)
                              : (tail + buffer.left(qsizetype(got))).right(endSize);
    const bool whole = got == 0 && tail == kSheetEnd;
    if (!whole)
        *why = QString::fromUtf8(zip_error_strerror(zip_file_get_error(sheet)));
    zip_fclose(sheet);
    return whole;
}

// Checks the written workbook before it takes the old one's place. The library
// reports the failures of the file it writes, but not those of the scratch files
// it builds the worksheet in: it zips whatever they hold, so a worksheet cut
// short by a full disk comes out as a well-formed zip. So the zip's directory
// must be consistent and the worksheet whole, up to its last element. The
// worksheet seen on its way into the zip shows that at once: its size must be
// the one the directory gives, and its last element there. Only when it was not
// seen is the whole worksheet inflated again.
bool check(const QString &path, const WorkbookZip::Session &zip, QString *why)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive) {
        *why = zipFailure(code);
        return false;
    }
    bool whole = false;
    if (const WorkbookZip::Part *sheet = zip.part(kSheetPart)) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat(archive, kSheetPart, 0, &st) != 0)
            *why = QString::fromUtf8(zip_strerror(archive));
        else if (!(st.valid & ZIP_STAT_SIZE) || qint64(st.size) != sheet->size)
            *why = QStringLiteral("the worksheet's size is not what was written");
        else if (!sheet->ending.endsWith(kSheetEnd))
            *why = QStringLiteral("the worksheet is cut short");
        else
            whole = true;
    } else {
        whole = readBack(archive, why);
    }
    zip_discard(archive);
    return whole;
}

} // namespace

QString fileName(const QString &documentName)
{
    if (documentName.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive))
        return documentName + QLatin1Char('x');
    return documentName + QLatin1String(".xlsx");
}

bool save(const QString &path, const ExportDescription &description, QString *error)
{
    return save(path, description, 0, error);
}

bool save(const QString &path, const ExportDescription &description, int threads, QString *error)
{
    SafeSave file(path);
    QString why;
    bool saved = file.open();
    if (saved) {
        const QByteArray name = QFile::encodeName(file.temporaryPath());
        lxw_workbook_options options = {};
        options.constant_memory = LXW_TRUE;
        // The zip deflated here, its parts seen as they go in.
        const WorkbookZip::Session zip;
        SheetWriter writer(description, threads);
        lxw_workbook *book = workbook_new_opt(name.constData(), &options);
        if (!book) {
            why = QStringLiteral("the workbook could not be started");
            saved = false;
        } else {
            // The writer outlives the close, which still writes through its buffer.
            saved = writer.write(book, &why);
            // Closing writes the file, and frees the workbook whatever happened.
            const lxw_error closed = workbook_close(book);
            if (saved && closed != LXW_NO_ERROR) {
                why = failure(closed);
                saved = false;
            }
        }
        saved = saved && file.writtenByName() && check(file.temporaryPath(), zip, &why) && file.commit();
    }
    if (!saved) {
        if (error)
            *error = why.isEmpty() ? file.errorString() : QStringLiteral("%1: %2").arg(path, why);
        file.cancel();
    }
    return saved;
}

} // namespace XlsxWorkbook
