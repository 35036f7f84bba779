#include "LearnedRules.h"

#include "BankText.h"

#include "common/SafeSave.h"
#include "common/IniText.h"
#include "common/FileAccess.h"

#include <QSet>

namespace {

const QString kIncome = QStringLiteral("Entrate");
const QString kExpense = QStringLiteral("Uscite");

// Words every bank writes on many rows, which tell nothing of what a row is.
bool isCommon(const QString &w)
{
    static const QSet<QString> common{QStringLiteral("del"), QStringLiteral("della"), QStringLiteral("per"),
                                      QStringLiteral("da"),  QStringLiteral("di"),    QStringLiteral("a"),
                                      QStringLiteral("il"),  QStringLiteral("la"),    QStringLiteral("e"),
                                      QStringLiteral("vostro"), QStringLiteral("vostra"), QStringLiteral("favore"),
                                      QStringLiteral("data"), QStringLiteral("rif"),  QStringLiteral("eur")};
    return w.size() < 2 || common.contains(w);
}

} // namespace

QStringList LearnedRules::wordsOf(const BankRow &row)
{
    QStringList out;
    const QString text = BankText::fold(row.description + QLatin1Char(' ') + row.extended + QLatin1Char(' ') + row.counterparty);
    for (const QString &w : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool figure = false;
        for (const QChar c : w)
            figure = figure || c.isDigit();
        if (!figure && !isCommon(w) && !out.contains(w))
            out.append(w);
    }
    out.sort();
    return out;
}

std::optional<LearnedRules::Rule> LearnedRules::match(const BankRow &row) const
{
    const QStringList words = wordsOf(row);
    const bool income = row.cents > 0;
    const Rule *best = nullptr;
    double bestScore = 0;
    for (const Rule &r : m_rules) {
        if (r.income != income || r.words.isEmpty())
            continue;
        qsizetype shared = 0;
        for (const QString &w : r.words)
            shared += words.contains(w);
        const double score = double(shared) / double(r.words.size());
        if (shared >= std::min<qsizetype>(2, r.words.size()) && score >= 2.0 / 3.0 && score > bestScore) {
            best = &r;
            bestScore = score;
        }
    }
    return best ? std::optional(*best) : std::nullopt;
}

void LearnedRules::learn(const BankRow &row, const QString &causale, const QString &person)
{
    Rule rule{row.cents > 0, wordsOf(row), causale.trimmed(), person.trimmed()};
    if (rule.words.isEmpty() || rule.causale.isEmpty())
        return;
    for (Rule &r : m_rules)
        if (r.income == rule.income && r.words == rule.words) {
            r = rule;
            return;
        }
    m_rules.append(rule);
}

LearnedRules LearnedRules::load(const QString &folder)
{
    LearnedRules out;
    const auto bytes = FileAccess::readSmallFile(folder + fileName(), IniText::kMaxFileSize, nullptr);
    if (!bytes)
        return out;
    const IniText ini = IniText::parse(*bytes);
    for (const bool income : {true, false})
        if (const auto *s = ini.section(income ? kIncome : kExpense))
            for (const auto &e : s->entries) {
                const QStringList parts = e.value.split(QLatin1Char('\t'));
                Rule r{income, e.key.split(QLatin1Char(' '), Qt::SkipEmptyParts), parts.value(0).trimmed(),
                       parts.value(1).trimmed()};
                if (!r.words.isEmpty() && !r.causale.isEmpty())
                    out.m_rules.append(r);
            }
    return out;
}

bool LearnedRules::save(const QString &folder, QString *error) const
{
    IniText ini;
    ini.addSection(kIncome);
    ini.addSection(kExpense);
    for (const Rule &r : m_rules)
        ini.add(r.income ? kIncome : kExpense, r.words.join(QLatin1Char(' ')), r.causale + QLatin1Char('\t') + r.person);
    return SafeSave::saveBytes(folder + fileName(), ini.toBytes(), error);
}
