#pragma once

#include <QString>

struct TSchedaSocio;

// The row that the member search and the subscription lists show for a member:
// name (30), "  C.F. ", tax code (16), "  Scad. ", expiry (10), "  Tel. ",
// telephone (15), " Note: ", then the notes at full length.
namespace MemberRow {

QString compose(const QString &dipendente, const QString &codFisc, const QString &dataSca,
                const QString &recapito, const QString &note);
QString compose(const TSchedaSocio &record);

} // namespace MemberRow
