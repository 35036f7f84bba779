#include "XlsxWorkbook.h"

#include "common/SafeSave.h"
#include "common/TextRules.h"
#include "common/Win1252.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QVarLengthArray>
#include <QXmlStreamReader>

#include <xlsxwriter.h>
#include <zip.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
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

// A cleaned cell as one of the program's reading rules reads it. Only the codes
// 0-127 can be part of a number or a date, and those are the same bytes in UTF-8:
// any other character makes the cell a text.
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

// One cell of the worksheet as it is written: nothing, a text, or a number with
// the format it is shown in.
struct SheetCell
{
    enum class Kind { Empty, Text, Amount, Day };
    Kind kind = Kind::Empty;
    std::string text; // UTF-8, for a text
    double number = 0;
    double width = 0; // in characters
    bool bold = false;
};

// The rows of the description, each cell as the workbook holds it: typed rows
// as they come (their column heads among them), other rows below the header.
class Cells
{
public:
    explicit Cells(const ExportDescription &d)
        : m_d(d)
    {
    }

    qint64 rows() const
    {
        if (!m_d.typedRows.isEmpty())
            return m_d.typedRows.size();
        return m_d.cell ? m_d.rowCount : qint64(m_d.rows.size());
    }

    void get(qint64 row, int column, SheetCell &out) const
    {
        if (!m_d.typedRows.isEmpty()) {
            // The maker knows the kind: an amount is already a number.
            const ExportRow &cells = m_d.typedRows.at(row);
            const ExportCell *cell = column < cells.size() ? &cells.at(column) : nullptr;
            const size_t chars = cell ? cleanTyped(cell->text, out.text) : 0;
            out.bold = cell && cell->bold;
            if (cell && cell->number) {
                set(out, SheetCell::Kind::Amount, *cell->number, double(chars));
            } else {
                out.kind = chars ? SheetCell::Kind::Text : SheetCell::Kind::Empty;
                out.width = double(chars);
            }
            return;
        }
        size_t chars = 0;
        out.bold = false;
        if (m_d.cell) {
            const ExportDescription::Cell c = m_d.cell(row, column);
            chars = c.text ? cleanTyped(*c.text, out.text) : clean(c.bytes, out.text);
        } else {
            const QStringList &texts = m_d.rows.at(row);
            chars = column < texts.size() ? cleanTyped(texts.at(column), out.text) : 0;
            if (!chars)
                out.text.clear();
        }
        out.width = double(chars);
        if (out.text.empty()) {
            out.kind = SheetCell::Kind::Empty;
            return;
        }
        const ExportColumn::Kind kind = m_d.columns[column].kind;
        std::optional<double> value;
        if (kind == ExportColumn::Kind::Amount
            && (value = readAs(out.text, [](QStringView t) { return TextRules::parseAmount(t); })))
            set(out, SheetCell::Kind::Amount, *value, out.width);
        else if (kind == ExportColumn::Kind::Date && (value = dayOf(out.text)))
            set(out, SheetCell::Kind::Day, *value, out.width);
        else
            out.kind = SheetCell::Kind::Text;
    }

private:
    static void set(SheetCell &out, SheetCell::Kind kind, double number, double chars)
    {
        out.kind = kind;
        out.number = number;
        // An amount's grouping, sign and euro take room of their own.
        out.width = kind == SheetCell::Kind::Amount ? chars + chars / 3 + 2 : chars;
    }

    const ExportDescription &m_d;
};

// What was written, for the check of the workbook read back: the rows that
// hold a cell (the header included) and the last of them.
struct Written
{
    qint64 rows = 0;
    qint64 lastRow = -1;                 // the worksheet's row, 0-based
    std::vector<SheetCell> lastCells;    // one per column
};

struct Formats
{
    lxw_format *bold = nullptr;
    lxw_format *amount = nullptr;
    lxw_format *boldAmount = nullptr;
    lxw_format *day = nullptr;
};

lxw_error writeCell(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t column, const SheetCell &cell, const Formats &f)
{
    switch (cell.kind) {
    case SheetCell::Kind::Empty: return LXW_NO_ERROR;
    case SheetCell::Kind::Text:
        return worksheet_write_string(sheet, row, column, cell.text.c_str(), cell.bold ? f.bold : nullptr);
    case SheetCell::Kind::Amount:
        return worksheet_write_number(sheet, row, column, cell.number, cell.bold ? f.boldAmount : f.amount);
    case SheetCell::Kind::Day: return worksheet_write_number(sheet, row, column, cell.number, f.day);
    }
    return LXW_NO_ERROR;
}

// Writes the bold header (or, for typed rows, the rows as they come, bold where
// they say) and every row that holds a cell on the workbook's one worksheet,
// each column as wide as its widest cell below any title, and notes what it wrote.
bool writeSheet(lxw_workbook *book, const ExportDescription &d, Written &written, QString *why)
{
    const Cells cells(d);
    const qint64 rows = cells.rows();
    const bool typed = !d.typedRows.isEmpty();
    // The worksheet's row of the first of `rows`: below the header, unless typed.
    const qint64 top = typed ? 0 : 1;
    if (rows + top > qint64(LXW_ROW_MAX)) {
        *why = QStringLiteral("%1 rows do not fit in a worksheet").arg(rows);
        return false;
    }
    const QByteArray name = sheetName(d.sheetName);
    lxw_worksheet *sheet = workbook_add_worksheet(book, name.constData());
    Formats f;
    f.bold = workbook_add_format(book);
    f.amount = workbook_add_format(book);
    f.boldAmount = workbook_add_format(book);
    f.day = workbook_add_format(book);
    if (!sheet || !f.bold || !f.amount || !f.boldAmount || !f.day) {
        *why = QStringLiteral("the worksheet could not be made");
        return false;
    }
    format_set_bold(f.bold);
    format_set_num_format(f.amount, kAmountFormat);
    format_set_bold(f.boldAmount);
    format_set_num_format(f.boldAmount, kAmountFormat);
    format_set_num_format(f.day, kDateFormat);

    const auto columns = lxw_col_t(d.columns.size());
    std::vector<double> widths(columns, 0);
    std::vector<SheetCell> row(columns);
    written.lastCells.assign(columns, SheetCell());
    qint64 lastIndex = -1; // of `rows`, -1 for the header
    bool any = false;
    for (lxw_col_t c = 0; !typed && c < columns; ++c) {
        SheetCell &head = row[c];
        // Bold letters are a little wider.
        widths[c] = double(cleanTyped(d.columns[c].header, head.text)) * 1.1;
        head.kind = head.text.empty() ? SheetCell::Kind::Empty : SheetCell::Kind::Text;
        head.bold = true;
        if (head.kind == SheetCell::Kind::Empty)
            continue;
        any = true;
        if (const lxw_error e = worksheet_write_string(sheet, 0, c, head.text.c_str(), f.bold)) {
            *why = failure(e);
            return false;
        }
    }
    if (any) {
        written.rows = 1;
        written.lastRow = 0;
        written.lastCells = row;
    }
    for (qint64 r = 0; r < rows; ++r) {
        // A title above the column heads runs over the empty cells beside it:
        // no width is fitted to it.
        const bool title = typed && r < d.headerRow;
        any = false;
        for (lxw_col_t c = 0; c < columns; ++c) {
            SheetCell &cell = row[c];
            cells.get(r, int(c), cell);
            if (cell.kind == SheetCell::Kind::Empty)
                continue;
            any = true;
            if (const lxw_error e = writeCell(sheet, lxw_row_t(top + r), c, cell, f)) {
                *why = failure(e);
                return false;
            }
            if (!title)
                widths[c] = std::max(widths[c], cell.bold ? cell.width * 1.1 : cell.width);
        }
        // A row without a cell is not written at all.
        if (any) {
            ++written.rows;
            written.lastRow = top + r;
            lastIndex = r;
        }
    }
    // The last row again, as it was written, for the check.
    if (lastIndex >= 0)
        for (lxw_col_t c = 0; c < columns; ++c)
            cells.get(lastIndex, int(c), written.lastCells[c]);

    for (lxw_col_t c = 0; c < columns; ++c) {
        if (const lxw_error e = worksheet_set_column(sheet, c, c, std::min(widths[c] + kColumnMargin, kWidestColumn), nullptr)) {
            *why = failure(e);
            return false;
        }
    }
    // The column heads stay in sight while the rows scroll.
    if (!typed || d.headerRow >= 0)
        worksheet_freeze_panes(sheet, lxw_row_t(typed ? d.headerRow + 1 : 1), 0);
    return true;
}

constexpr char kSheetPart[] = "xl/worksheets/sheet1.xml";

QString zipFailure(int code)
{
    zip_error_t e;
    zip_error_init_with_code(&e, code);
    QString text = QString::fromUtf8(zip_error_strerror(&e));
    zip_error_fini(&e);
    return text;
}

// The column of a cell reference such as "AB12", from 0.
qint64 columnOf(QStringView reference)
{
    qint64 column = 0;
    for (const QChar c : reference) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            break;
        column = column * 26 + (c.unicode() - 'A' + 1);
    }
    return column - 1;
}

// The worksheet as read back: its rows and the cells of the last one.
struct ReadBack
{
    qint64 rows = 0;
    qint64 lastRow = -1;
    std::vector<SheetCell> lastCells;
};

// Parses the worksheet's XML as it is inflated out of the zip, piece by piece.
bool readSheet(zip_t *archive, qsizetype columns, ReadBack &out, QString *why)
{
    zip_file_t *file = zip_fopen(archive, kSheetPart, 0);
    if (!file) {
        *why = QString::fromUtf8(zip_strerror(archive));
        return false;
    }
    out.lastCells.assign(size_t(columns), SheetCell());
    QXmlStreamReader xml;
    bool more = true;
    qint64 column = -1;
    bool inlineText = false;
    bool inValue = false;
    QString value;
    for (;;) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::Invalid) {
            if (xml.error() != QXmlStreamReader::PrematureEndOfDocumentError || !more)
                break;
            QByteArray piece(1 << 20, Qt::Uninitialized);
            const zip_int64_t got = zip_fread(file, piece.data(), zip_uint64_t(piece.size()));
            if (got < 0) {
                *why = QString::fromUtf8(zip_error_strerror(zip_file_get_error(file)));
                break;
            }
            more = got > 0;
            piece.truncate(qsizetype(got));
            xml.addData(piece);
            continue;
        }
        if (token == QXmlStreamReader::EndDocument)
            break;
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (name == u"row") {
                ++out.rows;
                out.lastRow = xml.attributes().value(QLatin1String("r")).toLongLong() - 1;
                out.lastCells.assign(size_t(columns), SheetCell());
            } else if (name == u"c") {
                column = columnOf(xml.attributes().value(QLatin1String("r")));
                inlineText = xml.attributes().value(QLatin1String("t")) == QLatin1String("inlineStr");
            } else if ((name == u"v" || name == u"t") && column >= 0 && column < columns) {
                inValue = true;
                value.clear();
            }
        } else if (token == QXmlStreamReader::Characters && inValue) {
            value += xml.text();
        } else if (token == QXmlStreamReader::EndElement && inValue) {
            // The text of a cell may come in several pieces, as the zip hands it over.
            inValue = false;
            SheetCell &cell = out.lastCells[size_t(column)];
            if (inlineText) {
                cell.kind = SheetCell::Kind::Text;
                cell.text = value.toStdString();
            } else {
                cell.kind = SheetCell::Kind::Amount; // a number, whatever its format
                cell.number = value.toDouble();
            }
        }
    }
    const bool whole = xml.tokenType() == QXmlStreamReader::EndDocument && !xml.hasError();
    if (!whole && why->isEmpty())
        *why = QStringLiteral("the worksheet does not read as XML: %1").arg(xml.errorString());
    zip_fclose(file);
    return whole;
}

bool sameCell(const SheetCell &written, const SheetCell &read)
{
    if (written.kind == SheetCell::Kind::Empty)
        return read.kind == SheetCell::Kind::Empty;
    if (written.kind == SheetCell::Kind::Text)
        return read.kind == SheetCell::Kind::Text && read.text == written.text;
    // The library writes a number to 16 significant digits.
    return read.kind == SheetCell::Kind::Amount
           && std::abs(read.number - written.number) <= 1e-12 * std::max(1.0, std::abs(written.number));
}

// Checks the written workbook before it takes the old one's place. The library
// builds the worksheet in a scratch file and zips whatever that holds, so a
// full disk can leave a well-formed zip of a cut worksheet: the zip is opened
// with its directory checked, the worksheet parsed whole, and its rows and its
// last row compared with what was written.
bool check(const QString &path, qsizetype columns, const Written &written, QString *why)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive) {
        *why = zipFailure(code);
        return false;
    }
    ReadBack read;
    bool whole = readSheet(archive, columns, read, why);
    zip_discard(archive);
    if (whole && (read.rows != written.rows || read.lastRow != written.lastRow)) {
        *why = QStringLiteral("the worksheet holds %1 rows up to row %2, %3 up to row %4 were written")
                   .arg(read.rows).arg(read.lastRow + 1).arg(written.rows).arg(written.lastRow + 1);
        whole = false;
    }
    for (qsizetype c = 0; whole && c < columns; ++c) {
        if (!sameCell(written.lastCells[size_t(c)], read.lastCells[size_t(c)])) {
            *why = QStringLiteral("the worksheet's last row is not the one written (column %1)").arg(c + 1);
            whole = false;
        }
    }
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
    SafeSave file(path);
    QString why;
    bool saved = file.open();
    if (saved) {
        const QByteArray name = QFile::encodeName(file.temporaryPath());
        // The library's scratch files go beside the workbook, on the same disk,
        // never in the system's temporary folder.
        QByteArray scratch = QFile::encodeName(QFileInfo(file.temporaryPath()).absolutePath());
        lxw_workbook_options options = {};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = scratch.data();
        Written written;
        lxw_workbook *book = workbook_new_opt(name.constData(), &options);
        if (!book) {
            why = QStringLiteral("the workbook could not be started");
            saved = false;
        } else {
            saved = writeSheet(book, description, written, &why);
            // Closing writes the file, and frees the workbook whatever happened.
            const lxw_error closed = workbook_close(book);
            if (saved && closed != LXW_NO_ERROR) {
                why = failure(closed);
                saved = false;
            }
        }
        saved = saved && file.writtenByName() && check(file.temporaryPath(), description.columns.size(), written, &why)
                && file.commit();
    }
    if (!saved) {
        if (error)
            *error = why.isEmpty() ? file.errorString() : QStringLiteral("%1: %2").arg(path, why);
        file.cancel();
    }
    return saved;
}

} // namespace XlsxWorkbook
