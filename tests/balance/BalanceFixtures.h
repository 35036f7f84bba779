#pragma once

#include "common/Platform.h"
#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/ui/RowList.h"
#include "output/PreparedReport.h"
#include "support/ShownRows.h"

#include <QFile>
#include <QListView>
#include <QTest>

// Small yearly movement files written through the record file, as the movement
// card writes them.
namespace BalanceFixtures {

// A movement from its reason, operation date and signed amount ("+12,50",
// "-3,00"); the kind follows the sign, as on the card.
inline TSchedaMovimento movement(const QString &causale, const QString &data, const QString &totale,
                                 const QString &pagatore = QStringLiteral("Rossi Mario"),
                                 const QString &beneficiario = QStringLiteral("Associazione"))
{
    TSchedaMovimento m;
    const bool income = totale.startsWith(QLatin1Char('+'));
    m.Entrata = income ? kYes : kNo;
    m.Uscita = income ? kNo : kYes;
    m.Data = data;
    m.Causale = causale;
    m.DataSca = data;
    m.Preavviso = QStringLiteral("0");
    m.Importo = totale.mid(1);
    m.Totale = totale;
    m.Pagatore = pagatore;
    m.Beneficiario = beneficiario;
    m.Saldato = kYes;
    return m;
}

// "causale|data|totale" per movement, the compact form the test tables use.
inline QList<TSchedaMovimento> parse(const QStringList &movements)
{
    QList<TSchedaMovimento> out;
    for (const QString &m : movements) {
        const QStringList p = m.split(QLatin1Char('|'));
        out.append(movement(p.value(0), p.value(1), p.value(2)));
    }
    return out;
}

inline QString yearFile(const QString &year) { return Platform::folder().file(year + QStringLiteral(".eur")); }

// Writes the movements to the year's file in the program's folder, replacing it.
inline void write(const QString &year, const QList<TSchedaMovimento> &records)
{
    const QString path = yearFile(year);
    QFile::remove(path);
    RecordFile<TSchedaMovimento> file;
    QVERIFY2(file.open(path, RecordFileBase::Access::Write), qPrintable(file.errorString()));
    for (const TSchedaMovimento &r : records)
        QVERIFY(file.append(r));
    file.close();
}

inline QStringList rows(const QAbstractItemView *list) { return ShownRows::texts(list); }

// The lines of a text box over every page of a prepared report, in page order.
inline QStringList printedLines(const PreparedReport &report, const QString &box)
{
    QStringList out;
    for (const PreparedPage &page : report.pages)
        for (const PreparedItem *item : page.findAll(box))
            out += item->lines;
    return out;
}

} // namespace BalanceFixtures
