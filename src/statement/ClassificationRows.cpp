#include "ClassificationRows.h"

#include "CashStatement.h"

#include <QMap>

using Side = StatementItems::Side;

ClassificationRows ClassificationRows::of(const YearMovements *year, const YearMovements *before)
{
    QMap<QString, Reason> reasons;   // "0" for income, "1" for expense, then the folded reason
    QMap<QString, Payment> payments; // the folded payment method
    for (const YearMovements *m : {year, before}) {
        if (!m)
            continue;
        const bool current = m == year;
        for (const YearMovements::Group &g : m->groups) {
            const Side side = g.income ? Side::Income : Side::Expense;
            const QString key = (g.income ? QStringLiteral("0") : QStringLiteral("1")) + Classification::fold(g.causale);
            auto r = reasons.find(key);
            if (r == reasons.end())
                r = reasons.insert(key, {side, g.causale, 0, 0, 0, CashStatement::suggestion(side, g.causale)});
            (current ? r->current : r->previous) += g.cents;
            auto p = payments.find(Classification::fold(g.pagamento));
            if (p == payments.end())
                p = payments.insert(Classification::fold(g.pagamento),
                                    {g.pagamento, 0, CashStatement::suggestedAccount(g.pagamento)});
            if (current) {
                r->count += g.count;
                p->count += g.count;
            }
        }
    }
    return {reasons.values(), payments.values()};
}

int ClassificationRows::applySuggestions(Classification &c) const
{
    int given = 0;
    for (const Reason &r : reasons) {
        if (!r.suggestion.isEmpty() && c.itemOf(r.side, r.causale).isEmpty()) {
            c.setItem(r.side, r.causale, r.suggestion);
            ++given;
        }
    }
    for (const Payment &p : payments) {
        if (p.suggestion != Classification::Account::None && c.accountOf(p.pagamento) == Classification::Account::None) {
            c.setAccount(p.pagamento, p.suggestion);
            ++given;
        }
    }
    return given;
}
