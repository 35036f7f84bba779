#include "ExportDocument.h"

#include "common/SafeSave.h"
#include "common/TextRules.h"
#include "common/Win1252.h"

namespace ExportDocument {

namespace {

// Appends a cell's text, trimmed, escaped and converted, straight to the bytes of
// the document: a large archive is written without a text copy of the whole.
void appendCell(QByteArray &out, QStringView text)
{
    const QStringView t = TextRules::trimmed(text);
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        switch (c.unicode()) {
        case '&': out.append("&amp;"); break;
        case '<': out.append("&lt;"); break;
        case '>': out.append("&gt;"); break;
        case '\r':
            // A CR LF pair is one line break, hence one blank.
            if (i + 1 < t.size() && t.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out.append(' ');
            break;
        case '\n': out.append(' '); break;
        default:
            // A character outside the basic plane is one unknown character, not two.
            if (c.isHighSurrogate() && i + 1 < t.size() && t.at(i + 1).isLowSurrogate())
                ++i;
            out.append(Win1252::encodeChar(c.unicode()));
        }
    }
}

} // namespace

QByteArray bytes(const ExportDescription &d)
{
    QByteArray doc;
    doc.append("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""
               " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
               " xmlns=\"http://www.w3.org/TR/REC-html40\">");
    doc.append("<head>");
    doc.append("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    doc.append("<!--[if gte mso 9]><xml>");
    doc.append("<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>");
    doc.append("<x:Name>");
    appendCell(doc, d.sheetName);
    doc.append("</x:Name>");
    doc.append("<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
               "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow>"
               "</x:Pane></x:Panes>"
               "<x:ProtectContents>False</x:ProtectContents>"
               "<x:ProtectObjects>False</x:ProtectObjects>"
               "<x:ProtectScenarios>False</x:ProtectScenarios>"
               "</x:WorksheetOptions>");
    doc.append("</x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>");
    doc.append("</xml><![endif]-->");
    doc.append("</head><body><table x:str>");
    doc.append("<tr>");
    for (const ExportColumn &c : d.columns) {
        doc.append("<td style=\"text-align: left; font-weight: bold;\" width=");
        doc.append(QByteArray::number(c.width));
        doc.append('>');
        appendCell(doc, c.header);
        doc.append("</td>");
    }
    doc.append("</tr>");
    // Every row has one cell per column, whatever the caller handed over.
    static const QString kNone;
    for (const QStringList &row : d.rows) {
        doc.append("<tr>");
        for (qsizetype i = 0; i < d.columns.size(); ++i) {
            doc.append("<td style=\"text-align: left;\">");
            appendCell(doc, i < row.size() ? row.at(i) : kNone);
            doc.append("</td>");
        }
        doc.append("</tr>");
    }
    doc.append("</table></body></html>");
    return doc;
}

bool save(const QString &path, const QByteArray &document, QString *error)
{
    // Swapped in only once the whole document is on the disk; a folder, a link or
    // a special file of the export's name is refused and left alone.
    return SafeSave::saveBytes(path, document, error);
}

} // namespace ExportDocument
