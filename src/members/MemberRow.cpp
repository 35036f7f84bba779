#include "MemberRow.h"

#include "common/ListRows.h"
#include "common/RowBytes.h"
#include "common/TSchedaSocio.h"

namespace MemberRow {

QString compose(const QString &dipendente, const QString &codFisc, const QString &dataSca,
                const QString &recapito, const QString &note)
{
    QString row;
    row.reserve(100 + note.size());
    ListRows::appendFitted(row, dipendente, 30);
    row.append(QLatin1String("  C.F. "));
    ListRows::appendFitted(row, codFisc, 16);
    row.append(QLatin1String("  Scad. "));
    ListRows::appendFitted(row, dataSca, 10);
    row.append(QLatin1String("  Tel. "));
    ListRows::appendFitted(row, recapito, 15);
    row.append(QLatin1String(" Note: "));
    ListRows::appendTrimmed(row, note);
    return row;
}

QString compose(const TSchedaSocio &r)
{
    return compose(r.Dipendente, r.CodFisc, r.DataSca, r.Recapito, r.Note);
}

void compose(RowBytes &rows, QByteArrayView dipendente, QByteArrayView codFisc, QByteArrayView dataSca,
             QByteArrayView recapito, QByteArrayView note)
{
    rows.appendFitted(dipendente, 30);
    rows.append("  C.F. ");
    rows.appendFitted(codFisc, 16);
    rows.append("  Scad. ");
    rows.appendFitted(dataSca, 10);
    rows.append("  Tel. ");
    rows.appendFitted(recapito, 15);
    rows.append(" Note: ");
    rows.append(note);
}

} // namespace MemberRow
