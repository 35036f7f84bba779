#pragma once

#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"
#include "support/ShownRows.h"

#include <QAbstractItemView>
#include <QListView>
#include <QTest>

// Small member archives written through the record file, as the card writes them.
namespace MemberFixtures {

inline TSchedaSocio member(const QString &name, const QString &dataSca = QStringLiteral("31/12/2030"),
                           const QString &preavviso = QStringLiteral("10"))
{
    TSchedaSocio r;
    r.Dipendente = name;
    r.Stipendio = QStringLiteral("25,00");
    r.DataSca = dataSca;
    r.Preavviso = preavviso;
    return r;
}

// Writes the records to Soci.pro in the program's folder, replacing it.
inline void write(const QList<TSchedaSocio> &records)
{
    QFile::remove(ArchivePaths::members());
    RecordFile<TSchedaSocio> file;
    QVERIFY2(file.open(ArchivePaths::members(), RecordFileBase::Access::Write),
             qPrintable(file.errorString()));
    for (const TSchedaSocio &r : records)
        QVERIFY(file.append(r));
    file.close();
}

inline QStringList rows(const QAbstractItemView *list) { return ShownRows::texts(list); }

inline void doubleClickRow(QAbstractItemView *list, int row) { ShownRows::doubleClick(list, row); }

} // namespace MemberFixtures
