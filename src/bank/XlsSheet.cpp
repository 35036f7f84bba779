#include "BankReaders.h"

#include <QFile>

#include <freexl.h>

#include <cmath>

namespace {

// Sheets larger than this are no movement list.
constexpr unsigned kMaxRows = 200000;
constexpr unsigned short kMaxColumns = 256;

} // namespace

namespace BankReaders {

SheetGrid readXls(const QString &path)
{
    SheetGrid grid;
    const void *handle = nullptr;
    const QByteArray name = QFile::encodeName(path);
    const auto fail = [&](const QString &why) {
        grid.rows.clear();
        grid.error = why;
        if (handle)
            freexl_close(handle);
        return grid;
    };
    if (freexl_open(name.constData(), &handle) != FREEXL_OK)
        return fail(QStringLiteral("Il file non è una cartella di lavoro Excel (.xls) leggibile."));
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        return fail(QStringLiteral("La cartella di lavoro non contiene un foglio leggibile."));
    if (rows > kMaxRows || columns > kMaxColumns)
        return fail(QStringLiteral("Il foglio ha %1 righe e %2 colonne: non è una lista di movimenti.").arg(rows).arg(columns));
    for (unsigned int r = 0; r < rows; ++r) {
        GridRow row;
        row.line = int(r) + 1;
        row.cells.resize(columns);
        bool numeric = false;
        std::vector<double> numbers(columns, std::nan(""));
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK)
                continue;
            switch (v.type) {
            case FREEXL_CELL_INT:
                numbers[c] = v.value.int_value;
                row.cells[c] = QString::number(v.value.int_value);
                numeric = true;
                break;
            case FREEXL_CELL_DOUBLE:
                numbers[c] = v.value.double_value;
                row.cells[c] = QString::number(v.value.double_value, 'g', 15);
                numeric = true;
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                row.cells[c] = QString::fromUtf8(v.value.text_value);
                break;
            default:
                break;
            }
        }
        if (numeric)
            row.numbers = std::move(numbers);
        grid.rows.append(row);
    }
    freexl_close(handle);
    return grid;
}

} // namespace BankReaders
