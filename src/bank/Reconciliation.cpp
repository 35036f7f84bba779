#include "Reconciliation.h"

#include "BankImport.h"

#include "common/TextRules.h"

#include <algorithm>

bool Reconciliation::throughBank(const TSchedaMovimento &m, const Classification &c, const QString &bankPayment)
{
    return c.accountOf(m.Pagamento) == Classification::Account::Banca ||
           Classification::fold(m.Pagamento) == Classification::fold(bankPayment);
}

Reconciliation Reconciliation::compute(const QDate &date, qint64 statementCents, const QList<StoredMovement> &movements,
                                       const Classification &classification, const QString &bankPayment)
{
    Reconciliation r;
    r.date = date;
    r.statementCents = statementCents;
    if (const auto opening = classification.opening(date.year())) {
        r.openingKnown = true;
        r.programCents = opening->banca;
    }
    QList<StoredMovement> later;
    for (const StoredMovement &m : movements) {
        const auto cents = BankImport::signedCents(m.record);
        const auto when = TextRules::parseDate(TextRules::trim(m.record.Data));
        if (!cents || !when || !throughBank(m.record, classification, bankPayment))
            continue;
        const bool settled = TextRules::trim(m.record.Saldato) == kYes;
        if (settled && *when <= date)
            r.programCents += *cents;
        else if (!settled && *when <= date)
            r.explaining.append(m);
        else
            later.append(m);
    }
    r.explaining += later;
    if (r.difference() == 0)
        r.explaining.clear();
    // A movement of exactly the difference is the likeliest: it comes first.
    std::stable_sort(r.explaining.begin(), r.explaining.end(), [&r](const StoredMovement &a, const StoredMovement &b) {
        return (BankImport::signedCents(a.record) == r.difference()) > (BankImport::signedCents(b.record) == r.difference());
    });
    return r;
}

QString bankPaymentOf(const Classification &classification)
{
    for (const char *name : {"Banca", "Bonifico", "Bonifico bancario", "Conto corrente", "Banca/Bonifico"})
        if (classification.accountOf(QString::fromUtf8(name)) == Classification::Account::Banca)
            return QString::fromUtf8(name);
    return QStringLiteral("Banca");
}
