#pragma once

#include "MemberRegister.h"
#include "common/ArchiveResult.h"
#include "common/TSchedaSocio.h"
#include "output/ExportDescription.h"
#include "output/PreparedReport.h"
#include "common/EnteData.h"

#include <QDate>
#include <QList>
#include <QStringList>

// The register of members as the "Libro soci" screen shows, prints and exports
// it: each entry beside its member card, in order of number.
namespace RegisterList {

struct Row
{
    MemberRegister::Entry entry;
    TSchedaSocio member; // empty when the card is no longer in the archive
    // Number, name, birth, address, tax code, category, admission, fee, leaving, cause.
    QStringList cells() const;
};

enum class Filter {
    All,      // everyone ever entered, those who left included
    InForce,  // the members on a day
    Left,     // those who left
};

struct Query
{
    Filter filter = Filter::All;
    QDate day;      // for InForce
    QString search; // any cell holding it, case aside
};

QStringList headers();

// The register beside the member archive; why not, in the user's words.
ArchiveResult<QList<Row>> read(const QString &registerPath, const QString &membersPath);

QList<Row> select(const QList<Row> &rows, const Query &query);

// The heading line of what the rows are: "Soci in carica al 15/03/2024".
QString title(const Query &query);

// The printout: A4 landscape, the association's heading and the title, one
// row per member, "Pagina n di N" at the foot of every page.
PreparedReport report(const QList<Row> &rows, const QString &title, const EnteData &ente);

// The export of the rows: "LibroSoci.xls" (the workbook takes ".xlsx").
ExportDescription exportDescription(const QList<Row> &rows);

} // namespace RegisterList
