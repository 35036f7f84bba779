#pragma once

#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"

#include <QAbstractItemView>
#include <QListWidget>
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

inline QStringList rows(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

inline void doubleClickRow(QListWidget *list, int row)
{
    QListWidgetItem *item = list->item(row);
    QVERIFY(item);
    list->scrollToItem(item);
    const QPoint at(20, list->visualItemRect(item).center().y());
    // The press of a double click selects the row first, as with a real mouse.
    QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace MemberFixtures
