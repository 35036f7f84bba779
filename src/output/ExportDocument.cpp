#include "ExportDocument.h"

#include "common/SafeSave.h"
#include "common/TextRules.h"
#include "common/Win1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace ExportDocument {

namespace {

// A document is handed on in pieces of about this size.
constexpr qsizetype kPiece = qsizetype(1) << 20;

// The longest a character of a cell can become: "&amp;".
constexpr qsizetype kWidest = 5;

// The bytes a cell cannot hold as they are: the three written as character
// references and the two line-break characters.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> t{};
    t['&'] = t['<'] = t['>'] = t['\r'] = t['\n'] = true;
    return t;
}();

// The document being produced: bytes written through a pointer into room made
// beforehand, which costs far less per cell than growing a byte array by each
// small piece.
class Writer
{
public:
    explicit Writer(qsizetype initial) { m_buffer.resize(initial); }

    qsizetype size() const { return m_used; }

    // Room for at least n more bytes.
    char *room(qsizetype n)
    {
        if (m_used + n > m_buffer.size())
            m_buffer.resize(std::max(m_buffer.size() * 2, m_used + n));
        return m_buffer.data() + m_used;
    }
    void advance(qsizetype n) { m_used += n; }

    void put(QByteArrayView bytes)
    {
        if (bytes.isEmpty())
            return;
        std::memcpy(room(bytes.size()), bytes.data(), size_t(bytes.size()));
        m_used += bytes.size();
    }
    void put(char c)
    {
        *room(1) = c;
        ++m_used;
    }

    // A cell's text, trimmed, with its special characters replaced, in Windows-1252.
    void putText(QStringView text)
    {
        const QStringView t = TextRules::trimmed(text);
        char *out = room(t.size() * kWidest);
        char *const start = out;
        for (qsizetype i = 0; i < t.size(); ++i) {
            const QChar c = t.at(i);
            switch (c.unicode()) {
            case '&': out = copy(out, "&amp;"); break;
            case '<': out = copy(out, "&lt;"); break;
            case '>': out = copy(out, "&gt;"); break;
            case '\r':
                // A CR LF pair is one line break, hence one blank.
                if (i + 1 < t.size() && t.at(i + 1) == QLatin1Char('\n'))
                    ++i;
                *out++ = ' ';
                break;
            case '\n': *out++ = ' '; break;
            default:
                // A character outside the basic plane is one unknown character, not two.
                if (c.isHighSurrogate() && i + 1 < t.size() && t.at(i + 1).isLowSurrogate())
                    ++i;
                *out++ = Win1252::encodeChar(c.unicode());
            }
        }
        m_used += out - start;
    }

    // A form's text exactly as given, nothing trimmed or joined, the quote
    // escaped as well.
    void putFormText(QStringView text)
    {
        char *out = room(text.size() * 6);
        char *const start = out;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            switch (c.unicode()) {
            case '&': out = copy(out, "&amp;"); break;
            case '<': out = copy(out, "&lt;"); break;
            case '>': out = copy(out, "&gt;"); break;
            case '"': out = copy(out, "&quot;"); break;
            default:
                if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                    ++i;
                *out++ = Win1252::encodeChar(c.unicode());
            }
        }
        m_used += out - start;
    }

    // The same for a cell kept as the archive stores it: its bytes are already
    // those of the document's code page and go in as they are.
    void putBytes(QByteArrayView win1252)
    {
        if (win1252.isEmpty())
            return; // possibly a view of nothing at all: no pointer to read from
        const auto *p = reinterpret_cast<const unsigned char *>(win1252.data());
        const unsigned char *end = p + win1252.size();
        // The blank and the control characters have the same codes in the code
        // page as in Unicode, so this trims as the text does.
        while (p < end && *p <= 0x20)
            ++p;
        while (end > p && end[-1] <= 0x20)
            --end;
        char *out = room((end - p) * kWidest);
        char *const start = out;
        const unsigned char *run = p;
        for (; p < end; ++p) {
            if (!kSpecial[*p])
                continue;
            std::memcpy(out, run, size_t(p - run));
            out += p - run;
            switch (*p) {
            case '&': out = copy(out, "&amp;"); break;
            case '<': out = copy(out, "&lt;"); break;
            case '>': out = copy(out, "&gt;"); break;
            case '\r':
                if (p + 1 < end && p[1] == '\n')
                    ++p;
                *out++ = ' ';
                break;
            default: *out++ = ' '; break;
            }
            run = p + 1;
        }
        std::memcpy(out, run, size_t(end - run));
        out += end - run;
        m_used += out - start;
    }

    // The bytes produced so far; the writer starts again empty.
    QByteArrayView bytes() const { return QByteArrayView(m_buffer.constData(), m_used); }
    void restart() { m_used = 0; }
    QByteArray take()
    {
        m_buffer.truncate(m_used);
        m_used = 0;
        return std::move(m_buffer);
    }

private:
    template <qsizetype N>
    static char *copy(char *out, const char (&text)[N])
    {
        std::memcpy(out, text, N - 1);
        return out + N - 1;
    }

    QByteArray m_buffer;
    qsizetype m_used = 0;
};

constexpr QByteArrayView kDocumentStart =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""
    " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
    " xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>";

// A form of typed cells (a statement): each column's width, every row as laid
// out, the column heads included; amounts marked as numbers for the programs
// that read them (x:num for one family of spreadsheets, sdval for the other)
// and shown as their text for one that only shows it.
void produceForm(const ExportDescription &d, Writer &w)
{
    w.put(kDocumentStart);
    w.putFormText(d.sheetName);
    w.put("</x:Name><x:WorksheetOptions><x:Selected/></x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets>"
          "</x:ExcelWorkbook></xml><![endif]--></head><body><table>");
    for (const ExportColumn &c : d.columns) {
        w.put("<col width=");
        w.put(QByteArray::number(c.width));
        w.put('>');
    }
    for (const ExportRow &row : d.typedRows) {
        w.put("<tr>");
        for (const ExportCell &c : row) {
            if (c.number) {
                const QByteArray value = QByteArray::number(*c.number, 'f', 2);
                w.put("<td x:num=\"");
                w.put(value);
                w.put("\" sdval=\"");
                w.put(value);
                w.put("\" style=\"text-align: right; mso-number-format:'\\#\\,\\#\\#0\\.00';");
            } else {
                w.put("<td x:str style=\"text-align: left;");
            }
            if (c.bold)
                w.put(" font-weight: bold;");
            w.put("\">");
            w.putFormText(c.text);
            w.put("</td>");
        }
        w.put("</tr>");
    }
    w.put("</table></body></html>");
}

// Produces the document, handing the bytes to `flush` each time they have grown
// past `piece` and at the end. False as soon as flush fails.
template <class Flush>
bool produce(const ExportDescription &d, Writer &w, qsizetype piece, Flush flush)
{
    if (!d.typedRows.isEmpty()) {
        // A form is a page or two: one piece.
        produceForm(d, w);
        return flush(w);
    }
    w.put(kDocumentStart);
    w.putText(d.sheetName);
    w.put("</x:Name>");
    w.put("<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
          "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow>"
          "</x:Pane></x:Panes>"
          "<x:ProtectContents>False</x:ProtectContents>"
          "<x:ProtectObjects>False</x:ProtectObjects>"
          "<x:ProtectScenarios>False</x:ProtectScenarios>"
          "</x:WorksheetOptions>");
    w.put("</x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>");
    w.put("</xml><![endif]-->");
    w.put("</head><body><table x:str>");
    w.put("<tr>");
    for (const ExportColumn &c : d.columns) {
        w.put("<td style=\"text-align: left; font-weight: bold;\" width=");
        w.put(QByteArray::number(c.width));
        w.put('>');
        w.putText(c.header);
        w.put("</td>");
    }
    w.put("</tr>");

    static constexpr QByteArrayView kOpen("<td style=\"text-align: left;\">");
    static constexpr QByteArrayView kClose("</td>");
    const int columns = int(d.columns.size());
    const qint64 rows = d.cell ? d.rowCount : qint64(d.rows.size());
    for (qint64 r = 0; r < rows; ++r) {
        w.put("<tr>");
        if (d.cell) {
            for (int i = 0; i < columns; ++i) {
                w.put(kOpen);
                const ExportDescription::Cell cell = d.cell(r, i);
                if (cell.text)
                    w.putText(*cell.text);
                else
                    w.putBytes(cell.bytes);
                w.put(kClose);
            }
        } else {
            // Every row has one cell per column, whatever the caller handed over.
            const QStringList &row = d.rows.at(r);
            for (int i = 0; i < columns; ++i) {
                w.put(kOpen);
                if (i < row.size())
                    w.putText(row.at(i));
                w.put(kClose);
            }
        }
        w.put("</tr>");
        if (w.size() >= piece && !flush(w))
            return false;
    }
    w.put("</table></body></html>");
    return flush(w);
}

} // namespace

QByteArray bytes(const ExportDescription &d)
{
    Writer w(64 * 1024);
    produce(d, w, std::numeric_limits<qsizetype>::max(), [](Writer &) { return true; });
    return w.take();
}

bool save(const QString &path, const QByteArray &document, QString *error)
{
    // Swapped in only once the whole document is on the disk; a folder, a link or
    // a special file of the export's name is refused and left alone.
    return SafeSave::saveBytes(path, document, error);
}

bool save(const QString &path, const ExportDescription &d, QString *error)
{
    // Each piece goes into the file beside the old one as soon as it is made; the
    // old file is replaced only once every piece was taken and synced, and a
    // piece the disk refuses drops the new file and leaves the old one whole.
    SafeSave file(path);
    bool written = file.open();
    if (written) {
        Writer w(kPiece + kPiece / 4);
        written = produce(d, w, kPiece, [&file](Writer &piece) {
            const QByteArrayView bytes = piece.bytes();
            const bool ok = file.write(bytes.data(), bytes.size());
            piece.restart();
            return ok;
        });
    }
    written = written && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}

} // namespace ExportDocument
