#include "Budget.h"

#include "common/SafeSave.h"
#include "common/TextRules.h"
#include "common/IniText.h"
#include "statement/StatementItems.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cmath>

namespace {

// An amount as the file writes it: no grouping, two decimals ("-1234,50").
QString written(qint64 cents) { return CashStatement::amount(cents).remove(QLatin1Char('.')); }

std::optional<qint64> readCents(const QString &text)
{
    const auto v = TextRules::parseAmount(text);
    if (!v || !(std::fabs(*v) < 1e12))
        return std::nullopt;
    return qint64(std::llround(*v * 100));
}

} // namespace

Budget::Loaded Budget::load(const QString &folder)
{
    Loaded out;
    const QString path = folder + fileName();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        out.budget = Budget{};
        return out;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        out.problem = QStringLiteral("il file non si può leggere (%1)").arg(f.errorString());
        return out;
    }
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError() || bytes.contains('\0')) {
        out.problem = QStringLiteral("il file non contiene testo");
        return out;
    }
    // Every line that is not blank must be a year's heading or an item of it.
    Budget b;
    int year = 0;
    int number = 0;
    for (QString line : text.split(QLatin1Char('\n'))) {
        ++number;
        line = line.trimmed();
        if (number == 1 && line.startsWith(QChar(0xFEFF)))
            line = line.mid(1).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            bool ok = false;
            year = line.mid(1, line.size() - 2).trimmed().toInt(&ok);
            if (!ok || year < 1 || year > 9999) {
                out.problem = QStringLiteral("la riga %1 non indica un anno").arg(number);
                return out;
            }
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString code = IniText::unescape(QStringView(line).left(eq < 0 ? 0 : eq).trimmed());
        const auto cents = eq < 0 ? std::nullopt : readCents(IniText::unescape(QStringView(line).mid(eq + 1).trimmed()));
        if (year == 0 || !StatementItems::find(code) || !cents) {
            out.problem = QStringLiteral("la riga %1 non è una voce con il suo importo").arg(number);
            return out;
        }
        b.m_years[year][code] = *cents;
    }
    out.budget = b;
    return out;
}

bool Budget::save(const QString &folder, QString *error) const
{
    IniText ini;
    for (auto y = m_years.begin(); y != m_years.end(); ++y) {
        if (y->isEmpty())
            continue;
        const QString section = QString::number(y.key());
        ini.addSection(section);
        // Items in the form's order.
        for (const StatementItems::Item &i : StatementItems::all())
            if (y->contains(i.code))
                ini.add(section, i.code, written(y->value(i.code)));
    }
    return SafeSave::saveBytes(folder + fileName(), ini.toBytes(), error);
}

std::optional<qint64> Budget::amount(int year, const QString &code) const
{
    const auto y = m_years.find(year);
    if (y == m_years.end() || !y->contains(code))
        return std::nullopt;
    return y->value(code);
}

void Budget::setAmount(int year, const QString &code, std::optional<qint64> cents)
{
    if (cents)
        m_years[year][code] = *cents;
    else if (m_years.contains(year))
        m_years[year].remove(code);
}

void Budget::setYear(int year, const QMap<QString, qint64> &items)
{
    if (items.isEmpty())
        m_years.remove(year);
    else
        m_years[year] = items;
}

QMap<QString, qint64> Budget::proposal(const CashStatement::Year &yearBefore)
{
    QMap<QString, qint64> out;
    for (const StatementItems::Item &i : StatementItems::all())
        if (const qint64 v = yearBefore.value(i.code); v != 0)
            out[i.code] = v;
    return out;
}

namespace BudgetComparison {

std::optional<double> Line::percent() const
{
    if (kind == Kind::Heading || !budget || *budget == 0)
        return std::nullopt;
    return double(actual) * 100.0 / double(*budget);
}

QString percentText(const Line &line)
{
    const auto p = line.percent();
    if (!p)
        return {};
    const qint64 tenths = std::llround(*p * 10);
    const QString whole = CashStatement::amount(tenths * 10);
    // "1.234,5 %" from the grouping of amounts, one decimal kept.
    return whole.left(whole.size() - 1) + QStringLiteral(" %");
}

QList<Line> lines(const CashStatement &actual, const QMap<QString, qint64> &budget)
{
    using StatementKind = CashStatement::Line::Kind;
    QList<Line> out;
    std::optional<qint64> running;
    for (const CashStatement::Line &l : actual.lines()) {
        switch (l.kind) {
        case StatementKind::Heading:
            out.append({Line::Kind::Heading, {}, l.text, std::nullopt, 0});
            running.reset();
            break;
        case StatementKind::Item: {
            const auto b = budget.contains(l.id) ? std::optional<qint64>(budget.value(l.id)) : std::nullopt;
            const StatementItems::Item *item = StatementItems::find(l.id);
            out.append({Line::Kind::Item, l.id, l.text, b, l.current,
                        item && item->side == StatementItems::Side::Income});
            if (b)
                running = running.value_or(0) + *b;
            break;
        }
        case StatementKind::Total:
            // The section totals; the overall ones of the operations are left to the statement.
            if (l.id.contains(QLatin1Char('.')))
                out.append({Line::Kind::Total, {}, l.text, running, l.current, l.id.endsWith(QStringLiteral("TE"))});
            running.reset();
            break;
        case StatementKind::Result:
        case StatementKind::Balance:
            break;
        }
    }
    return out;
}

} // namespace BudgetComparison
