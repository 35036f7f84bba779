#include "MemberRow.h"

#include "common/TextRules.h"
#include "common/Win1252.h"
#include "common/RowBytes.h"
#include "common/TSchedaSocio.h"

namespace MemberRow {

QString compose(const QString &dipendente, const QString &codFisc, const QString &dataSca,
                const QString &recapito, const QString &note)
{
    const auto stored = [](const QString &text) { return Win1252::encode(TextRules::trim(text)); };
    RowBytes rows;
    rows.beginRow(0);
    compose(rows, stored(dipendente), stored(codFisc), stored(dataSca), stored(recapito), stored(note));
    return rows.takeRows().text(0);
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
