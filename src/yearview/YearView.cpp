#include "YearView.h"

#include "common/RecordScan.h"
#include "common/TSchedaSocio.h"
#include "common/TextRules.h"
#include "statement/StatementItems.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const char *const kMonths[] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                               "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};

QString fileOf(int year) { return QString::number(year) + QStringLiteral(".eur"); }

// Sums each month of a read year into income and expense.
void byMonth(const DatedYear &y, int year, std::array<qint64, 12> &income, std::array<qint64, 12> &expense)
{
    const QDate first(year, 1, 1);
    for (qsizetype g = 0; g < y.dayCents.size(); ++g) {
        std::array<qint64, 12> &side = y.movements.groups.at(g).income ? income : expense;
        const QList<qint64> &days = y.dayCents.at(g);
        for (qsizetype d = 0; d < days.size(); ++d)
            if (days.at(d) != 0)
                side[size_t(first.addDays(d).month() - 1)] += days.at(d);
    }
}

QList<YearView::Item> largest(const CashStatement::Year &y, StatementItems::Side side)
{
    QList<YearView::Item> out;
    for (const StatementItems::Item &i : StatementItems::ofSide(side))
        if (y.value(i.code) > 0)
            out.append({i.code, i.name, y.value(i.code)});
    // Largest first; equal amounts keep the form's order.
    std::stable_sort(out.begin(), out.end(), [](const YearView::Item &a, const YearView::Item &b) {
        return a.cents > b.cents;
    });
    if (out.size() > YearView::kTopItems)
        out.resize(YearView::kTopItems);
    return out;
}

} // namespace

const DatedYear &YearView::Files::get(int year)
{
    auto it = m_years.find(year);
    if (it == m_years.end())
        it = m_years.insert(year, DatedYear::read(m_folder + fileOf(year), year));
    return *it;
}

QString YearView::monthName(int month) { return QString::fromLatin1(kMonths[month - 1]); }
QString YearView::monthShort(int month) { return monthName(month).left(3); }

YearView YearView::compute(int year, const Classification &classification, Files &files, const MemberCount &members)
{
    YearView v;
    v.m_year = year;
    v.m_members = members;
    v.m_statement = CashStatement::compute(year, classification, files.source());

    const DatedYear &now = files.get(year);
    byMonth(now, year, v.m_income, v.m_expense);
    byMonth(files.get(year - 1), year - 1, v.m_previousIncome, v.m_previousExpense);
    v.m_empty = now.movements.groups.isEmpty();

    // Cash and bank, day by day, from the opening balances the statement found.
    const CashStatement::Year &cur = v.m_statement.current();
    const Classification::Opening o = cur.opening.value_or(Classification::Opening{});
    v.m_opening = o.cassa + o.banca;
    QList<qint64> flow(QDate(year, 1, 1).daysInYear(), 0);
    for (qsizetype g = 0; g < now.dayCents.size(); ++g) {
        const YearMovements::Group &group = now.movements.groups.at(g);
        if (classification.accountOf(group.pagamento) == Classification::Account::None)
            continue;
        const QList<qint64> &days = now.dayCents.at(g);
        for (qsizetype d = 0; d < days.size(); ++d)
            flow[d] += group.income ? days.at(d) : -days.at(d);
    }
    v.m_balance.reserve(flow.size());
    qint64 running = v.m_opening;
    for (const qint64 f : flow)
        v.m_balance.append(running += f);

    v.m_topIncome = largest(cur, StatementItems::Side::Income);
    v.m_topExpense = largest(cur, StatementItems::Side::Expense);

    v.m_warnings = v.m_statement.warnings();
    if (v.m_empty)
        v.m_warnings.prepend(QStringLiteral("Nel %1 non risulta nessun movimento saldato: i grafici dei movimenti "
                                            "sono vuoti.")
                                 .arg(year));
    if (!members.error.isEmpty())
        v.m_warnings.append(QStringLiteral("Attenzione: non è stato possibile leggere per intero l'archivio dei soci "
                                           "(%1).")
                                .arg(members.error));
    if (members.unreadable > 0)
        v.m_warnings.append(QStringLiteral("Attenzione: %1 senza una data di scadenza leggibile, esclusi dal grafico "
                                           "dei soci.")
                                .arg(members.unreadable == 1 ? QStringLiteral("1 socio")
                                                             : QStringLiteral("%1 soci").arg(members.unreadable)));
    return v;
}

YearView::MemberCount YearView::countMembers(const QString &path, int year)
{
    using Scan = RecordScan<TSchedaSocio>;
    static const Scan::Slot expiry = Scan::slot(&TSchedaSocio::DataSca);
    MemberCount out;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return out;
    Scan scan;
    if (!scan.open(path)) {
        out.error = scan.errorString();
        return out;
    }
    std::array<QDate, 12> firstDay;
    for (int m = 0; m < 12; ++m)
        firstDay[size_t(m)] = QDate(year, m + 1, 1);
    RecordCodec::FieldChars chars;
    while (scan.next()) {
        const auto date = TextRules::parseDate(scan.text(expiry, chars));
        if (!date) {
            ++out.unreadable;
            continue;
        }
        for (size_t m = 0; m < 12; ++m) {
            Members &month = out.months[m];
            if (*date < firstDay[m])
                ++month.expired;
            else if (*date <= firstDay[m].addMonths(1).addDays(-1))
                ++month.expiring;
            else
                ++month.inForce;
        }
    }
    if (scan.failed())
        out.error = scan.errorString();
    return out;
}
