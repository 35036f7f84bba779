#include "ExportSheet.h"

int ExportSheet::columnIndex(const QString &name) const
{
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns[i].name == name)
            return int(i);
    return -1;
}

QList<ExportColumn> ExportSheet::exportColumns() const
{
    QList<ExportColumn> out;
    for (qsizetype i = 1; i < columns.size(); ++i)
        out.append({columns[i].exportHeader, columns[i].exportWidth, columns[i].kind});
    return out;
}

ExportDescription ExportSheet::description(const QList<QStringList> &rows) const
{
    ExportDescription d;
    d.fileName = fileName;
    d.sheetName = sheetName;
    d.columns = exportColumns();
    d.rows = rows;
    return d;
}
