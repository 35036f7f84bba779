#include "ExportDocument.h"

#include "common/TextRules.h"
#include "common/Win1252.h"

#include <QFileInfo>
#include <QSaveFile>

namespace ExportDocument {

QString cellText(const QString &text)
{
    QString out;
    const QString trimmed = TextRules::trim(text);
    out.reserve(trimmed.size());
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '\r':
            // A CR LF pair is one line break, hence one blank.
            if (i + 1 < trimmed.size() && trimmed.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QLatin1Char(' ');
            break;
        case '\n': out += QLatin1Char(' '); break;
        default: out += c;
        }
    }
    return out;
}

QByteArray bytes(const ExportDescription &d)
{
    QString doc;
    doc += QStringLiteral("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""
                          " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
                          " xmlns=\"http://www.w3.org/TR/REC-html40\">");
    doc += QStringLiteral("<head>");
    doc += QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    doc += QStringLiteral("<!--[if gte mso 9]><xml>");
    doc += QStringLiteral("<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>");
    doc += QStringLiteral("<x:Name>") + cellText(d.sheetName) + QStringLiteral("</x:Name>");
    doc += QStringLiteral("<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane>"
                          "<x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow>"
                          "</x:Pane></x:Panes>"
                          "<x:ProtectContents>False</x:ProtectContents>"
                          "<x:ProtectObjects>False</x:ProtectObjects>"
                          "<x:ProtectScenarios>False</x:ProtectScenarios>"
                          "</x:WorksheetOptions>");
    doc += QStringLiteral("</x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>");
    doc += QStringLiteral("</xml><![endif]-->");
    doc += QStringLiteral("</head><body><table x:str>");

    doc += QStringLiteral("<tr>");
    for (const ExportColumn &c : d.columns)
        doc += QStringLiteral("<td style=\"text-align: left; font-weight: bold;\" width=") + QString::number(c.width)
               + QLatin1Char('>') + cellText(c.header) + QStringLiteral("</td>");
    doc += QStringLiteral("</tr>");

    // Every row has one cell per column, whatever the caller handed over.
    for (const QStringList &row : d.rows) {
        doc += QStringLiteral("<tr>");
        for (qsizetype i = 0; i < d.columns.size(); ++i)
            doc += QStringLiteral("<td style=\"text-align: left;\">") + cellText(row.value(i))
                   + QStringLiteral("</td>");
        doc += QStringLiteral("</tr>");
    }

    doc += QStringLiteral("</table></body></html>");
    return Win1252::encode(doc);
}

bool save(const QString &path, const QByteArray &document, QString *error)
{
    QSaveFile file(path);
    // Where the system cannot rename over the old file, writing it in place would
    // destroy it on failure; refusing keeps it whole.
    file.setDirectWriteFallback(false);
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        file.cancelWriting();
        return false;
    };
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("the target is a folder"));
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(document) != document.size())
        return fail(file.errorString());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace ExportDocument
