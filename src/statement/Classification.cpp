#include "Classification.h"

#include "common/FileAccess.h"
#include "common/IniText.h"
#include "common/SafeSave.h"
#include "common/TextRules.h"

#include <cmath>
#include <tuple>

namespace {

const QString kIncome = QStringLiteral("Entrate");
const QString kExpense = QStringLiteral("Uscite");
const QString kPayments = QStringLiteral("Pagamenti");
const QString kBalances = QStringLiteral("Saldi");
const QString kCassa = QStringLiteral("Cassa");
const QString kBanca = QStringLiteral("Banca");

// Two decimals with ',' and a '-' when negative: "1000,00", "-12,50".
QString centsText(qint64 cents)
{
    const qint64 a = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2,%3").arg(cents < 0 ? QStringLiteral("-") : QString()).arg(a / 100).arg(
        a % 100, 2, 10, QLatin1Char('0'));
}

// The lines of the file passed over that a message names one by one.
constexpr qsizetype kProblemsShown = 10;

// A balance as kept in the file; nothing for what is not an amount or lies
// beyond any association's money.
std::optional<qint64> centsOf(const QString &text)
{
    const auto value = TextRules::parseAmount(text);
    if (!value || !(std::fabs(*value) < 1e12))
        return std::nullopt;
    return qint64(std::llround(*value * 100));
}

} // namespace

QString Classification::problemSummary() const
{
    QString text = m_problems.mid(0, kProblemsShown).join(QStringLiteral("\r\n"));
    const qsizetype more = m_problems.size() - kProblemsShown;
    if (more == 1)
        text += QStringLiteral("\r\n... e un'altra riga.");
    else if (more > 1)
        text += QStringLiteral("\r\n... e altre %1 righe.").arg(more);
    return text;
}

std::optional<std::optional<qint64>> Classification::typedBalance(const QString &text)
{
    if (TextRules::trim(text).isEmpty())
        return std::make_optional(std::optional<qint64>{});
    const auto cents = centsOf(TextRules::trim(text));
    if (!cents)
        return std::nullopt;
    return std::make_optional(cents);
}

QString Classification::fold(const QString &text) { return TextRules::lowerAZ(TextRules::trim(text)); }

std::optional<Classification> Classification::load(const QString &folder, QString *error)
{
    const auto bytes = FileAccess::readSmallFile(folder + fileName(), IniText::kMaxFileSize, error);
    if (!bytes)
        return std::nullopt;
    const IniText ini = IniText::parse(*bytes);
    Classification c;
    const auto problem = [&](const QString &section, const IniText::Entry &e) {
        c.m_problems.append(QStringLiteral("[%1] %2=%3").arg(section, e.key, e.value));
    };
    for (const auto &[name, side, into] :
         {std::tuple{kIncome, StatementItems::Side::Income, &c.m_income},
          std::tuple{kExpense, StatementItems::Side::Expense, &c.m_expense}}) {
        if (const auto *s = ini.section(name))
            for (const auto &e : s->entries) {
                const auto *item = StatementItems::find(TextRules::trim(e.value).toUpper());
                const QString key = fold(e.key);
                if (!item || item->side != side || key.isEmpty())
                    problem(name, e);
                else if (!into->contains(key))
                    into->insert(key, {TextRules::trim(e.key), item->code});
            }
    }
    if (const auto *s = ini.section(kPayments))
        for (const auto &e : s->entries) {
            const QString v = TextRules::trim(e.value);
            if (v.compare(kCassa, Qt::CaseInsensitive) != 0 && v.compare(kBanca, Qt::CaseInsensitive) != 0)
                problem(kPayments, e);
            else if (!c.m_payments.contains(fold(e.key)))
                c.m_payments.insert(fold(e.key), {TextRules::trim(e.key),
                                                  v.compare(kCassa, Qt::CaseInsensitive) == 0 ? kCassa : kBanca});
        }
    if (const auto *s = ini.section(kBalances))
        for (const auto &e : s->entries) {
            const QString key = TextRules::trim(e.key);
            const qsizetype dot = key.indexOf(QLatin1Char('.'));
            bool yearOk = false;
            const int year = dot == 4 ? key.left(4).toInt(&yearOk) : 0;
            const QString which = key.mid(dot + 1);
            const auto cents = centsOf(e.value);
            const bool isCassa = which.compare(kCassa, Qt::CaseInsensitive) == 0;
            const bool isBanca = which.compare(kBanca, Qt::CaseInsensitive) == 0;
            if (!yearOk || !cents || (!isCassa && !isBanca)) {
                problem(kBalances, e);
                continue;
            }
            Opening &o = c.m_openings[year];
            (isCassa ? o.cassa : o.banca) = *cents;
        }
    return c;
}

bool Classification::save(const QString &folder, QString *error) const
{
    IniText ini;
    // Every section is written, even empty, so the file shows its layout.
    for (const auto &[name, map] : {std::pair{kIncome, &m_income}, std::pair{kExpense, &m_expense},
                                    std::pair{kPayments, &m_payments}}) {
        ini.addSection(name);
        for (const Named &n : *map)
            ini.add(name, n.text, n.value);
    }
    ini.addSection(kBalances);
    for (auto it = m_openings.cbegin(); it != m_openings.cend(); ++it) {
        ini.add(kBalances, QString::number(it.key()) + QLatin1Char('.') + kCassa, centsText(it->cassa));
        ini.add(kBalances, QString::number(it.key()) + QLatin1Char('.') + kBanca, centsText(it->banca));
    }
    return SafeSave::saveBytes(folder + fileName(), ini.toBytes(), error);
}

QString Classification::itemOf(StatementItems::Side side, const QString &causale) const
{
    const auto &map = side == StatementItems::Side::Income ? m_income : m_expense;
    const auto it = map.find(fold(causale));
    return it == map.end() ? QString() : it->value;
}

void Classification::setItem(StatementItems::Side side, const QString &causale, const QString &code)
{
    auto &map = side == StatementItems::Side::Income ? m_income : m_expense;
    const QString key = fold(causale);
    const auto *item = StatementItems::find(code);
    if (key.isEmpty() || !item || item->side != side)
        map.remove(key);
    else
        map.insert(key, {TextRules::trim(causale), item->code});
}

Classification::Account Classification::accountOf(const QString &pagamento) const
{
    const auto it = m_payments.find(fold(pagamento));
    if (it == m_payments.end())
        return Account::None;
    return it->value == kCassa ? Account::Cassa : Account::Banca;
}

void Classification::setAccount(const QString &pagamento, Account account)
{
    if (account == Account::None)
        m_payments.remove(fold(pagamento));
    else
        m_payments.insert(fold(pagamento),
                          {TextRules::trim(pagamento), account == Account::Cassa ? kCassa : kBanca});
}

std::optional<Classification::Opening> Classification::opening(int year) const
{
    const auto it = m_openings.find(year);
    if (it == m_openings.end())
        return std::nullopt;
    return *it;
}

void Classification::setOpening(int year, std::optional<Opening> opening)
{
    if (opening)
        m_openings.insert(year, *opening);
    else
        m_openings.remove(year);
}
