#pragma once

#include <QByteArrayView>
#include <QString>

class RowBytes;
struct TSchedaSocio;

// The row that the member search and the subscription lists show for a member:
// name (30), "  C.F. ", tax code (16), "  Scad. ", expiry (10), "  Tel. ",
// telephone (15), " Note: ", then the notes at full length.
namespace MemberRow {

QString compose(const QString &dipendente, const QString &codFisc, const QString &dataSca,
                const QString &recapito, const QString &note);
QString compose(const TSchedaSocio &record);
// The same row from the stored fields (trimmed Windows-1252 bytes), appended to rows.
void compose(RowBytes &rows, QByteArrayView dipendente, QByteArrayView codFisc, QByteArrayView dataSca,
             QByteArrayView recapito, QByteArrayView note);

} // namespace MemberRow
