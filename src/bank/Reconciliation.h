#pragma once

#include "movements/MovementYear.h"
#include "statement/Classification.h"

#include <QDate>
#include <QList>

// The statement's balance on a day beside the bank balance the program knows
// on that day: the year's opening bank balance plus the settled movements paid
// through the bank up to it. When they differ, the movements that may explain
// the difference: bank movements not yet settled, and those dated after the day.
struct Reconciliation
{
    QDate date;
    qint64 statementCents = 0;
    qint64 programCents = 0;
    bool openingKnown = false; // the year's opening bank balance was given in the cash statement
    QList<StoredMovement> explaining;

    qint64 difference() const { return statementCents - programCents; }

    // A movement goes through the bank when its payment method is classified
    // as bank, or is the one imports give.
    static bool throughBank(const TSchedaMovimento &m, const Classification &c, const QString &bankPayment);
    static Reconciliation compute(const QDate &date, qint64 statementCents, const QList<StoredMovement> &movements,
                                  const Classification &classification, const QString &bankPayment);
};

// The payment method imported movements get: the first of the usual names that
// the cash statement's classification counts as bank, else "Banca".
QString bankPaymentOf(const Classification &classification);
