#include "BankReaders.h"

#include <QXmlStreamReader>

#include <zip.h>

#include <cmath>
#include <memory>

namespace {

// No part of a movement list comes near this once inflated; a larger one is
// not read (a small file may inflate to gigabytes).
constexpr zip_uint64_t kMaxPart = 64 * 1024 * 1024;

struct ZipClose
{
    void operator()(zip_t *z) const { zip_discard(z); }
};
using Zip = std::unique_ptr<zip_t, ZipClose>;

std::optional<QByteArray> part(zip_t *zip, const char *name)
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(zip, name, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPart)
        return std::nullopt;
    zip_file_t *f = zip_fopen(zip, name, 0);
    if (!f)
        return std::nullopt;
    QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
    const zip_int64_t got = st.size ? zip_fread(f, bytes.data(), st.size) : 0;
    zip_fclose(f);
    if (got != zip_int64_t(st.size))
        return std::nullopt;
    return bytes;
}

// "BC12" -> 54 (0-based column of a cell reference); -1 when there is none.
int columnOf(QStringView ref)
{
    int col = 0, letters = 0;
    for (const QChar c : ref) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            break;
        col = col * 26 + (c.unicode() - 'A' + 1);
        if (++letters > 3)
            return -1;
    }
    return letters ? col - 1 : -1;
}

QStringList sharedStrings(const QByteArray &xml)
{
    QStringList out;
    QXmlStreamReader r(xml);
    QString current;
    bool inSi = false, inPhonetic = false;
    while (!r.atEnd()) {
        const auto t = r.readNext();
        if (t == QXmlStreamReader::StartElement) {
            if (r.name() == QLatin1String("si")) {
                inSi = true;
                current.clear();
            } else if (r.name() == QLatin1String("rPh")) {
                inPhonetic = true;
            } else if (inSi && !inPhonetic && r.name() == QLatin1String("t")) {
                current += r.readElementText();
            }
        } else if (t == QXmlStreamReader::EndElement) {
            if (r.name() == QLatin1String("si")) {
                inSi = false;
                out.append(current);
            } else if (r.name() == QLatin1String("rPh")) {
                inPhonetic = false;
            }
        }
    }
    return out;
}

// The part of the workbook's first sheet, through the workbook's relations.
QByteArray firstSheetName(zip_t *zip)
{
    const QByteArray fallback("xl/worksheets/sheet1.xml");
    const auto workbook = part(zip, "xl/workbook.xml");
    const auto rels = part(zip, "xl/_rels/workbook.xml.rels");
    if (!workbook || !rels)
        return fallback;
    QString id;
    QXmlStreamReader w(*workbook);
    while (!w.atEnd() && id.isEmpty())
        if (w.readNext() == QXmlStreamReader::StartElement && w.name() == QLatin1String("sheet"))
            for (const auto &a : w.attributes())
                if (a.name() == QLatin1String("id"))
                    id = a.value().toString();
    QXmlStreamReader r(*rels);
    while (!r.atEnd())
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QLatin1String("Relationship") &&
            r.attributes().value(QLatin1String("Id")) == id) {
            QString target = r.attributes().value(QLatin1String("Target")).toString();
            if (target.startsWith(QLatin1Char('/')))
                target.remove(0, 1);
            else
                target.prepend(QLatin1String("xl/"));
            return target.toUtf8();
        }
    return fallback;
}

} // namespace

namespace BankReaders {

SheetGrid readXlsx(const QByteArray &bytes)
{
    SheetGrid grid;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    Zip zip(source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr);
    if (!zip) {
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        grid.error = QStringLiteral("Il file non è una cartella di lavoro Excel leggibile.");
        return grid;
    }
    zip_error_fini(&error);
    const QStringList strings = sharedStrings(part(zip.get(), "xl/sharedStrings.xml").value_or(QByteArray()));
    const auto sheet = part(zip.get(), firstSheetName(zip.get()).constData());
    if (!sheet) {
        grid.error = QStringLiteral("La cartella di lavoro non contiene un foglio leggibile.");
        return grid;
    }
    QXmlStreamReader r(*sheet);
    GridRow row;
    bool inRow = false;
    int col = -1, nextCol = 0;
    QString type, value;
    bool inValue = false;
    while (!r.atEnd()) {
        const auto t = r.readNext();
        if (t == QXmlStreamReader::StartElement) {
            if (r.name() == QLatin1String("row")) {
                inRow = true;
                row = GridRow();
                bool ok = false;
                const int n = r.attributes().value(QLatin1String("r")).toInt(&ok);
                row.line = ok ? n : int(grid.rows.size()) + 1;
                nextCol = 0;
            } else if (inRow && r.name() == QLatin1String("c")) {
                const int c = columnOf(r.attributes().value(QLatin1String("r")));
                col = c >= 0 ? c : nextCol;
                type = r.attributes().value(QLatin1String("t")).toString();
                value.clear();
            } else if (inRow && (r.name() == QLatin1String("v") || r.name() == QLatin1String("t"))) {
                inValue = true;
            }
        } else if (t == QXmlStreamReader::Characters && inValue) {
            value += r.text();
        } else if (t == QXmlStreamReader::EndElement) {
            if (r.name() == QLatin1String("v") || r.name() == QLatin1String("t")) {
                inValue = false;
            } else if (r.name() == QLatin1String("c") && inRow && col >= 0 && col < 16384) {
                QString text = value;
                double number = std::nan("");
                if (type == QLatin1String("s")) {
                    bool ok = false;
                    const int i = value.toInt(&ok);
                    text = ok && i >= 0 && i < strings.size() ? strings[i] : QString();
                } else if (type.isEmpty() || type == QLatin1String("n")) {
                    bool ok = false;
                    const double d = value.toDouble(&ok);
                    if (ok)
                        number = d;
                }
                if (row.cells.size() <= col) {
                    row.cells.resize(col + 1);
                }
                row.cells[col] = text;
                if (!std::isnan(number)) {
                    row.numbers.resize(size_t(col) + 1, std::nan(""));
                    row.numbers[size_t(col)] = number;
                }
                nextCol = col + 1;
            } else if (r.name() == QLatin1String("row") && inRow) {
                inRow = false;
                if (!row.numbers.empty())
                    row.numbers.resize(size_t(row.cells.size()), std::nan(""));
                grid.rows.append(row);
            }
        }
    }
    if (r.hasError()) {
        grid.rows.clear();
        grid.error = QStringLiteral("Il foglio della cartella di lavoro non è leggibile (riga XML %1).").arg(r.lineNumber());
    }
    return grid;
}

} // namespace BankReaders
