#pragma once

#include "Classification.h"
#include "YearMovements.h"

#include <QList>
#include <QString>

// What the classification page lists for a year: every reason of the year and
// of the year before (income first, then expense, each by reason) with its count
// and the totals of both years, and every payment method with its count in the
// year, each with the item or account its words suggest. Amounts are in cents.
struct ClassificationRows
{
    struct Reason
    {
        StatementItems::Side side = StatementItems::Side::Income;
        QString causale;        // as first met
        qint64 count = 0;       // movements of the year
        qint64 current = 0;
        qint64 previous = 0;
        QString suggestion;     // an item code, or empty
    };
    struct Payment
    {
        QString pagamento;      // as first met; empty when not given
        qint64 count = 0;       // movements of the year
        Classification::Account suggestion = Classification::Account::None;
    };

    QList<Reason> reasons;
    QList<Payment> payments;

    // Reasons and payment methods that differ only in blanks around them or in
    // the case of the letters A-Z are one, as the classification matches them.
    static ClassificationRows of(const YearMovements *year, const YearMovements *before);

    // Gives each reason and payment method not yet classified the item or
    // account suggested for it; returns how many were given one.
    int applySuggestions(Classification &classification) const;
};
