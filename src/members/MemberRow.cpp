#include "MemberRow.h"

#include "common/ListRows.h"
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

} // namespace MemberRow
