#include "XlsxReader.h"

#include "common/Win1252.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

#include <zip.h>

namespace XlsxReader {

namespace {

// One part of the zip archive, whole; false when it is missing or damaged.
bool part(zip_t *archive, const char *name, QByteArray &out)
{
    zip_stat_t st;
    if (zip_stat(archive, name, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
        return false;
    zip_file_t *f = zip_fopen(archive, name, 0);
    if (!f)
        return false;
    out.resize(qsizetype(st.size));
    const zip_int64_t got = st.size ? zip_fread(f, out.data(), st.size) : 0;
    zip_fclose(f);
    return got == zip_int64_t(st.size);
}

// "C12" -> column 2 (from 0).
int columnOf(QStringView reference)
{
    int column = 0;
    for (const QChar c : reference) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            break;
        column = column * 26 + (c.unicode() - 'A' + 1);
    }
    return column - 1;
}

int rowOf(QStringView reference)
{
    qsizetype i = 0;
    while (i < reference.size() && reference[i] >= QLatin1Char('A') && reference[i] <= QLatin1Char('Z'))
        ++i;
    return reference.mid(i).toInt() - 1;
}

struct Style
{
    QString format;
    bool bold = false;
};

QList<Style> readStyles(const QByteArray &xml)
{
    QHash<int, QString> formats{{0, QStringLiteral("General")}};
    QList<bool> boldFonts;
    QList<Style> styles;
    QXmlStreamReader r(xml);
    enum class In { None, Fonts, CellXfs } in = In::None;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isEndElement() && (r.name() == u"fonts" || r.name() == u"cellXfs"))
            in = In::None;
        if (!r.isStartElement())
            continue;
        const auto a = r.attributes();
        if (r.name() == u"numFmt")
            formats.insert(a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("formatCode")).toString());
        else if (r.name() == u"fonts")
            in = In::Fonts;
        else if (r.name() == u"cellXfs")
            in = In::CellXfs;
        else if (in == In::Fonts && r.name() == u"font")
            boldFonts.append(false);
        else if (in == In::Fonts && r.name() == u"b" && !boldFonts.isEmpty())
            boldFonts.last() = true;
        else if (in == In::CellXfs && r.name() == u"xf") {
            const int id = a.value(QLatin1String("numFmtId")).toInt();
            styles.append(Style{formats.value(id, QStringLiteral("builtin %1").arg(id)),
                                boldFonts.value(a.value(QLatin1String("fontId")).toInt(), false)});
        }
    }
    return styles;
}

QStringList readSharedStrings(const QByteArray &xml)
{
    QStringList strings;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"si")
            strings.append(QString());
        else if (r.isStartElement() && r.name() == u"t" && !strings.isEmpty())
            strings.last() += r.readElementText();
    }
    return strings;
}

QString sheetName(const QByteArray &xml)
{
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"sheet")
            return r.attributes().value(QLatin1String("name")).toString();
    }
    return {};
}

QString readSheet(const QByteArray &xml, const QList<Style> &styles, const QStringList &shared, Sheet &out)
{
    QXmlStreamReader r(xml);
    Cell *cell = nullptr;
    QString type;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isEndElement() && r.name() == u"c")
            cell = nullptr;
        if (!r.isStartElement())
            continue;
        const auto a = r.attributes();
        if (r.name() == u"pane" && a.value(QLatin1String("state")) == QLatin1String("frozen")) {
            out.frozenRows = a.value(QLatin1String("ySplit")).toInt();
        } else if (r.name() == u"col") {
            for (int c = a.value(QLatin1String("min")).toInt(); c <= a.value(QLatin1String("max")).toInt(); ++c) {
                while (out.widths.size() < c)
                    out.widths.append(0);
                out.widths[c - 1] = a.value(QLatin1String("width")).toDouble();
            }
        } else if (r.name() == u"c") {
            const QString ref = a.value(QLatin1String("r")).toString();
            const int row = rowOf(ref);
            const int column = columnOf(ref);
            if (row < 0 || column < 0)
                return QStringLiteral("cell without a place: %1").arg(ref);
            while (out.rows.size() <= row)
                out.rows.append(QList<Cell>());
            QList<Cell> &cells = out.rows[row];
            while (cells.size() <= column)
                cells.append(Cell());
            cell = &cells[column];
            const Style style = styles.value(a.value(QLatin1String("s")).toInt(), Style{QStringLiteral("General"), false});
            cell->format = style.format;
            cell->bold = style.bold;
            type = a.value(QLatin1String("t")).toString();
        } else if (cell && r.name() == u"v") {
            const QString v = r.readElementText();
            if (type == QLatin1String("s")) {
                cell->type = Cell::Type::Text;
                cell->text = shared.value(v.toInt());
            } else if (type == QLatin1String("str")) {
                cell->type = Cell::Type::Text;
                cell->text = v;
            } else {
                cell->type = Cell::Type::Number;
                cell->number = v.toDouble();
            }
        } else if (cell && r.name() == u"t" && type == QLatin1String("inlineStr")) {
            cell->type = Cell::Type::Text;
            cell->text += r.readElementText();
        }
    }
    if (r.hasError())
        return r.errorString();
    qsizetype widest = 0;
    for (const QList<Cell> &row : std::as_const(out.rows))
        widest = std::max(widest, row.size());
    for (QList<Cell> &row : out.rows)
        while (row.size() < widest)
            row.append(Cell());
    return {};
}

} // namespace

Sheet read(const QString &path)
{
    Sheet sheet;
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive) {
        sheet.error = QStringLiteral("not a zip archive (%1)").arg(code);
        return sheet;
    }
    QByteArray workbook, styles, shared, xml;
    if (!part(archive, "xl/workbook.xml", workbook) || !part(archive, "xl/styles.xml", styles)
        || !part(archive, "xl/worksheets/sheet1.xml", xml)) {
        sheet.error = QStringLiteral("a part of the workbook is missing or damaged");
    } else {
        // Texts are kept either in the shared table or in the cells themselves.
        (void)part(archive, "xl/sharedStrings.xml", shared);
        sheet.name = sheetName(workbook);
        sheet.error = readSheet(xml, readStyles(styles), readSharedStrings(shared), sheet);
    }
    zip_discard(archive);
    return sheet;
}

QList<QStringList> readDocument(const QByteArray &document)
{
    QList<QStringList> rows;
    qsizetype at = document.indexOf("<table");
    if (at < 0)
        return rows;
    while ((at = document.indexOf("<tr>", at)) >= 0) {
        const qsizetype rowEnd = document.indexOf("</tr>", at);
        QStringList row;
        qsizetype cell = at;
        while ((cell = document.indexOf("<td", cell)) >= 0 && cell < rowEnd) {
            const qsizetype start = document.indexOf('>', cell) + 1;
            const qsizetype end = document.indexOf("</td>", start);
            QByteArray bytes = document.mid(start, end - start);
            bytes.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
            row.append(Win1252::decode(bytes));
            cell = end;
        }
        rows.append(row);
        at = rowEnd;
    }
    return rows;
}

} // namespace XlsxReader
