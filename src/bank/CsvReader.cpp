#include "BankReaders.h"
#include "BankText.h"

#include <QMap>

#include <limits>

namespace {

// Splits text into records of fields; a quoted field may hold the separator,
// doubled quotes and line breaks. Each record keeps the line it starts on.
QList<GridRow> split(const QString &text, QChar sep, qsizetype maxRows)
{
    QList<GridRow> rows;
    GridRow row;
    QString field;
    bool quoted = false, fieldStarted = false;
    int line = 1;
    row.line = 1;
    const auto endField = [&] {
        row.cells.append(field);
        field.clear();
        fieldStarted = false;
    };
    const auto endRow = [&] {
        endField();
        rows.append(std::move(row));
        row = GridRow();
        row.line = line;
    };
    for (qsizetype i = 0; i < text.size() && rows.size() < maxRows; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field.append(c);
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                if (c != QLatin1Char('\r'))
                    field.append(c);
            }
        } else if (c == QLatin1Char('"') && !fieldStarted && field.trimmed().isEmpty()) {
            quoted = true;
            fieldStarted = true;
            field.clear();
        } else if (c == sep) {
            endField();
        } else if (c == QLatin1Char('\n')) {
            ++line;
            endRow();
        } else if (c != QLatin1Char('\r')) {
            field.append(c);
        }
    }
    if (!field.isEmpty() || !row.cells.isEmpty())
        endRow();
    return rows;
}

// The separator that splits the most lines into the same number (3 or more)
// of fields; ';' before tab before ',' on a tie.
QChar separatorOf(const QString &text)
{
    QChar best = QLatin1Char(';');
    qsizetype bestScore = -1;
    for (const QChar sep : {QLatin1Char(';'), QLatin1Char('\t'), QLatin1Char(',')}) {
        const QList<GridRow> rows = split(text, sep, 80);
        QMap<qsizetype, qsizetype> widths;
        for (const GridRow &r : rows)
            if (r.cells.size() >= 3)
                ++widths[r.cells.size()];
        qsizetype score = 0;
        for (const qsizetype n : widths)
            score = std::max(score, n);
        if (score > bestScore) {
            best = sep;
            bestScore = score;
        }
    }
    return best;
}

} // namespace

namespace BankReaders {

SheetGrid readCsv(const QByteArray &bytes)
{
    SheetGrid grid;
    if (bytes.contains('\0')) {
        grid.error = QStringLiteral("Il file non è un testo: contiene dati binari.");
        return grid;
    }
    int badLine = 0;
    const auto text = BankText::decode(bytes, &badLine);
    if (!text) {
        grid.error = QStringLiteral("Riga %1: i caratteri sono scritti in una codifica diversa dal resto del file.")
                         .arg(badLine);
        return grid;
    }
    grid.rows = split(*text, separatorOf(*text), std::numeric_limits<qsizetype>::max());
    return grid;
}

} // namespace BankReaders
