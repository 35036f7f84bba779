#include "ColumnMapping.h"

#include "BankText.h"

#include "common/SafeSave.h"
#include "common/IniText.h"
#include "common/FileAccess.h"

#include <QCryptographicHash>
#include <QRegularExpression>

using Role = ColumnMapping::Role;

namespace {

// Header words as banks write them, folded; the first of a role wins.
struct HeaderWord
{
    const char *words;
    Role role;
};
constexpr HeaderWord kHeaderWords[] = {
    {"data contabile", Role::Booking},
    {"data contabilizzazione", Role::Booking},
    {"data registrazione", Role::Booking},
    {"data operazione", Role::Booking},
    {"data", Role::Booking},
    {"data valuta", Role::Value},
    {"valuta", Role::Value},
    {"descrizione estesa", Role::Extended},
    {"dettagli", Role::Extended},
    {"dettaglio", Role::Extended},
    {"causale descrizione", Role::Extended},
    {"descrizione", Role::Description},
    {"descrizione operazione", Role::Description},
    {"operazione", Role::Description},
    {"causale", Role::Description},
    {"dare", Role::Debit},
    {"addebiti", Role::Debit},
    {"uscite", Role::Debit},
    {"avere", Role::Credit},
    {"accrediti", Role::Credit},
    {"entrate", Role::Credit},
    {"importo", Role::Amount},
    {"importo eur", Role::Amount},
    {"importo euro", Role::Amount},
    {"ordinante", Role::Counterparty},
    {"beneficiario", Role::Counterparty},
    {"ordinante beneficiario", Role::Counterparty},
    {"controparte", Role::Counterparty},
    {"riferimento", Role::Reference},
    {"riferimento banca", Role::Reference},
    {"id operazione", Role::Reference},
    {"divisa", Role::Currency},
};

const char *const kRoleNames[ColumnMapping::kRoleCount] = {
    "-", "Data contabile", "Data valuta", "Descrizione", "Descrizione estesa", "Dare (addebiti)", "Avere (accrediti)",
    "Importo", "Controparte", "Riferimento", "Divisa"};

QString folded(const QString &text)
{
    QString f = BankText::fold(text);
    f.remove(QRegularExpression(QStringLiteral("\\b(eur|euro)$")));
    return f.trimmed();
}

// The payer or beneficiary a description names ("BONIFICO DA ROSSI MARIO PER ...").
QString counterpartyIn(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("\\b(?:DA|ORD|ORDINANTE|A FAVORE DI|BENEF|BENEFICIARIO)[:.]?\\s+(.+?)(?=\\s+(?:PER|CAUS|CAUSALE|RIF|"
                       "DATA|IBAN|ABI)\\b|[,;]|$)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = form.match(text);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

bool isBalanceOrTotal(const QString &foldedRow)
{
    static const QRegularExpression words(QStringLiteral("\\b(saldo|saldi|totale|totali)\\b"));
    return foldedRow.contains(words);
}

} // namespace

QString ColumnMapping::roleName(Role role) { return QString::fromUtf8(kRoleNames[int(role)]); }

Role ColumnMapping::roleOfHeader(const QString &header)
{
    const QString f = folded(header);
    for (const HeaderWord &w : kHeaderWords)
        if (f == QLatin1String(w.words))
            return w.role;
    return Role::None;
}

bool ColumnMapping::usable() const { return missing().isEmpty(); }

QString ColumnMapping::missing() const
{
    if (!columns.contains(Role::Booking) && !columns.contains(Role::Value))
        return QStringLiteral("Indicare la colonna della data.");
    if (!columns.contains(Role::Amount) && !(columns.contains(Role::Debit) && columns.contains(Role::Credit)))
        return QStringLiteral("Indicare la colonna dell'importo, oppure le due colonne Dare e Avere.");
    return {};
}

std::optional<ColumnMapping> ColumnMapping::detect(const SheetGrid &grid)
{
    const qsizetype last = std::min<qsizetype>(grid.rows.size(), 60);
    for (qsizetype i = 0; i < last; ++i) {
        ColumnMapping m;
        m.headerRow = int(i);
        for (const QString &cell : grid.rows[i].cells) {
            Role r = roleOfHeader(cell);
            if (r != Role::None && m.columns.contains(r))
                r = Role::None; // a second column of the same kind stays unassigned
            m.columns.append(r);
        }
        if (m.usable())
            return m;
    }
    return std::nullopt;
}

QString ColumnMapping::signature(const GridRow &header)
{
    QStringList words;
    for (const QString &c : header.cells)
        words.append(folded(c));
    return words.join(QLatin1Char('|'));
}

BankStatement readTable(const SheetGrid &grid, const ColumnMapping &m)
{
    BankStatement out;
    if (!m.usable()) {
        out.error = m.missing();
        return out;
    }
    const qsizetype dateCol = m.columnOf(Role::Booking) >= 0 ? m.columnOf(Role::Booking) : m.columnOf(Role::Value);
    const qsizetype valueCol = m.columnOf(Role::Value);
    const auto text = [](const GridRow &r, qsizetype c) { return c < 0 ? QString() : r.cell(c).trimmed(); };
    const auto dateOf = [](const GridRow &r, qsizetype c) -> std::optional<QDate> {
        if (const double n = r.number(c); !std::isnan(n))
            return BankText::dateOfSerial(n);
        return BankText::parseDate(r.cell(c));
    };
    const auto amountOf = [&](const GridRow &r, qsizetype c) -> std::optional<qint64> {
        if (const double n = r.number(c); !std::isnan(n))
            return BankText::centsOfNumber(n);
        return BankText::parseCents(r.cell(c));
    };
    for (qsizetype i = m.headerRow + 1; i < grid.rows.size(); ++i) {
        const GridRow &r = grid.rows[i];
        const QString rowText = BankText::fold(r.cells.join(QLatin1Char(' ')));
        if (rowText.isEmpty())
            continue;
        const auto refuse = [&](const QString &why) { out.refused.append({r.line, why}); };
        const QString dateText = text(r, dateCol);
        const auto date = dateOf(r, dateCol);
        // The amount cell(s) of the row: one signed column, or Dare and Avere.
        QString amountText;
        std::optional<qint64> cents;
        QString amountProblem;
        if (m.columnOf(Role::Amount) >= 0) {
            amountText = text(r, m.columnOf(Role::Amount));
            cents = amountOf(r, m.columnOf(Role::Amount));
            if (!cents)
                amountProblem = amountText.isEmpty() ? QStringLiteral("importo mancante")
                                                     : QStringLiteral("importo non valido: \"%1\"").arg(amountText);
        } else {
            const QString debitText = text(r, m.columnOf(Role::Debit));
            const QString creditText = text(r, m.columnOf(Role::Credit));
            amountText = debitText + creditText;
            const auto debit = debitText.isEmpty() ? std::optional<qint64>(0) : amountOf(r, m.columnOf(Role::Debit));
            const auto credit = creditText.isEmpty() ? std::optional<qint64>(0) : amountOf(r, m.columnOf(Role::Credit));
            if (!debit)
                amountProblem = QStringLiteral("importo non valido: \"%1\"").arg(debitText);
            else if (!credit)
                amountProblem = QStringLiteral("importo non valido: \"%1\"").arg(creditText);
            else if (*debit != 0 && *credit != 0)
                amountProblem = QStringLiteral("importo sia in Dare sia in Avere");
            else if (debitText.isEmpty() && creditText.isEmpty())
                amountProblem = QStringLiteral("importo mancante");
            else
                cents = *credit != 0 ? std::llabs(*credit) : -std::llabs(*debit);
        }
        if (!date) {
            // Lines around the table: titles, totals, the balance.
            if (isBalanceOrTotal(rowText) || (dateText.isEmpty() && amountText.isEmpty())) {
                static const QRegularExpression closing(QStringLiteral("\\bsaldo\\b.*\\b(finale|contabile|disponibile)\\b|"
                                                                       "\\bsaldo al\\b"));
                if (cents && rowText.contains(closing) && !out.rows.isEmpty())
                    out.closing = BankBalance{out.rows.last().booking, *cents};
                continue;
            }
            refuse(dateText.isEmpty() ? QStringLiteral("data mancante")
                                      : QStringLiteral("data non valida: \"%1\"").arg(dateText));
            continue;
        }
        if (!amountProblem.isEmpty()) {
            refuse(amountProblem);
            continue;
        }
        const QString currency = text(r, m.columnOf(Role::Currency)).toUpper();
        if (!currency.isEmpty() && currency != QLatin1String("EUR") && currency != QStringLiteral("€")) {
            refuse(QStringLiteral("movimento in %1: si importano solo movimenti in euro").arg(currency));
            continue;
        }
        BankRow row;
        row.line = r.line;
        row.booking = *date;
        if (valueCol >= 0 && valueCol != dateCol)
            row.value = dateOf(r, valueCol).value_or(QDate());
        if (!row.value.isValid())
            row.value = row.booking;
        row.cents = *cents;
        row.description = text(r, m.columnOf(Role::Description)).simplified();
        row.extended = text(r, m.columnOf(Role::Extended)).simplified();
        row.counterparty = text(r, m.columnOf(Role::Counterparty)).simplified();
        if (row.counterparty.isEmpty())
            row.counterparty = counterpartyIn(row.extended.isEmpty() ? row.description : row.extended);
        row.reference = text(r, m.columnOf(Role::Reference));
        out.rows.append(row);
    }
    if (out.rows.isEmpty() && out.refused.isEmpty())
        out.error = QStringLiteral("Il file non contiene movimenti sotto l'intestazione delle colonne.");
    return out;
}

namespace BankLayouts {

QString fileName() { return QStringLiteral("Banche.ini"); }

namespace {
QString sectionOf(const GridRow &header)
{
    const QByteArray hash = QCryptographicHash::hash(ColumnMapping::signature(header).toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("Tracciato %1").arg(QString::fromLatin1(hash.toHex().left(12)));
}
} // namespace

std::optional<ColumnMapping> find(const QString &folder, const GridRow &header, int headerIndex)
{
    const auto bytes = FileAccess::readSmallFile(folder + fileName(), IniText::kMaxFileSize, nullptr);
    if (!bytes)
        return std::nullopt;
    const IniText ini = IniText::parse(*bytes);
    const auto *s = ini.section(sectionOf(header));
    if (!s)
        return std::nullopt;
    ColumnMapping m;
    m.headerRow = headerIndex;
    m.columns = QList<Role>(header.cells.size(), Role::None);
    for (const auto &e : s->entries) {
        bool columnOk = false, roleOk = false;
        const int column = e.key.toInt(&columnOk);
        const int role = e.value.toInt(&roleOk);
        if (columnOk && roleOk && column >= 1 && column <= m.columns.size() && role > 0 && role < ColumnMapping::kRoleCount)
            m.columns[column - 1] = Role(role);
    }
    return m.usable() ? std::optional(m) : std::nullopt;
}

bool keep(const QString &folder, const GridRow &header, const ColumnMapping &mapping, QString *error)
{
    const auto bytes = FileAccess::readSmallFile(folder + fileName(), IniText::kMaxFileSize, error);
    if (!bytes)
        return false;
    const IniText old = IniText::parse(*bytes);
    const QString name = sectionOf(header);
    // The file is written again whole, with this bank's section in its new form.
    IniText ini;
    for (const QString &other : [&] {
             QStringList names;
             const QList<QByteArray> lines = bytes->split('\n');
             for (const QByteArray &l : lines) {
                 const QString t = QString::fromUtf8(l).trimmed();
                 if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
                     names.append(t.mid(1, t.size() - 2));
             }
             return names;
         }()) {
        if (other.compare(name, Qt::CaseInsensitive) == 0 || !old.section(other))
            continue;
        for (const auto &e : old.section(other)->entries)
            ini.add(other, e.key, e.value);
    }
    ini.add(name, QStringLiteral("Intestazione"), header.cells.join(QStringLiteral(" | ")));
    for (qsizetype c = 0; c < mapping.columns.size(); ++c)
        if (mapping.columns[c] != Role::None)
            ini.add(name, QString::number(c + 1), QString::number(int(mapping.columns[c])));
    return SafeSave::saveBytes(folder + fileName(), ini.toBytes(), error);
}

} // namespace BankLayouts
