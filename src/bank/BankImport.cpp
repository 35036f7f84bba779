#include "BankImport.h"

#include "BankText.h"

#include "common/TextRules.h"
#include "movements/MovementCardRules.h"

#include <cmath>
#include <cstdlib>

namespace {

// Every word of the name is among the words of the text.
bool names(const QString &foldedText, const QString &name)
{
    const QStringList words = BankText::fold(name).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return true;
    const QStringList textWords = foldedText.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &w : words)
        if (!textWords.contains(w))
            return false;
    return true;
}

QDate dueDateOf(const TSchedaMovimento &m)
{
    if (const auto d = TextRules::parseDate(TextRules::trim(m.DataSca)))
        return *d;
    return TextRules::parseDate(TextRules::trim(m.Data)).value_or(QDate());
}

QString plainAmount(qint64 cents)
{
    const qint64 a = std::llabs(cents);
    return QStringLiteral("%1,%2").arg(a / 100).arg(a % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

QString Proposal::actionText() const
{
    switch (action) {
    case Action::Settle:
        return QStringLiteral("Segna come saldato");
    case Action::Create:
        return row.cents > 0 ? QStringLiteral("Nuova entrata") : QStringLiteral("Nuova uscita");
    case Action::Skip:
        break;
    }
    switch (origin) {
    case Origin::AlreadyImported:
        return QStringLiteral("Già importato");
    case Origin::OtherYear:
        return QStringLiteral("Altro anno");
    default:
        return QStringLiteral("Non registrare");
    }
}

namespace BankImport {

std::optional<qint64> signedCents(const TSchedaMovimento &m)
{
    const auto amount = TextRules::parseAmount(TextRules::trim(m.Importo));
    if (!amount || !(std::fabs(*amount) < 1e12))
        return std::nullopt;
    const qint64 cents = std::llround(std::fabs(*amount) * 100);
    const bool entrata = TextRules::trim(m.Entrata) == kYes;
    const bool uscita = TextRules::trim(m.Uscita) == kYes;
    if (entrata == uscita)
        return std::nullopt;
    return entrata ? cents : -cents;
}

TSchedaMovimento newMovement(const BankRow &row, const LearnedRules &rules, const ImportSetting &setting)
{
    MovementCardValues card = MovementCardRules::newCard(row.booking);
    card.entrata = row.cents > 0;
    card.uscita = !card.entrata;
    card.saldato = true;
    card.texts.Importo = plainAmount(row.cents);
    QString causale = row.description.isEmpty() ? row.extended : row.description;
    QString person = row.counterparty;
    if (const auto rule = rules.match(row)) {
        causale = rule->causale;
        if (!rule->person.isEmpty())
            person = rule->person;
    }
    card.texts.Causale = causale;
    card.texts.DataSca = card.texts.Data;
    // The card asks for both names: the bank's counterparty on one side, the association on the other.
    (card.entrata ? card.texts.Pagatore : card.texts.Beneficiario) =
        person.isEmpty() ? QStringLiteral("Non indicato") : person;
    (card.entrata ? card.texts.Beneficiario : card.texts.Pagatore) = setting.association;
    card.texts.Pagamento = setting.bankPayment;
    const QString bankText = (row.description + QLatin1Char(' ') + row.extended).simplified();
    card.texts.Note = QStringLiteral("Estratto conto: ") + bankText;
    return MovementCardRules::compose(card);
}

void choose(Proposal &p, Proposal::Action action, const LearnedRules &rules, const ImportSetting &setting)
{
    if (action == Proposal::Action::Settle && p.settles == 0)
        return;
    p.action = action;
    if (action == Proposal::Action::Create)
        p.movement = newMovement(p.row, rules, setting);
    else if (action == Proposal::Action::Settle) {
        p.movement = p.settled;
        p.movement.Saldato = kYes;
        p.movement.Pagamento = setting.bankPayment;
    }
}

QList<Proposal> propose(const QList<BankRow> &rows, const QList<StoredMovement> &movements, const ImportLedger &ledger,
                        const LearnedRules &rules, const ImportSetting &setting)
{
    // The movements a row may settle: unsettled, with an amount and a date.
    struct Open
    {
        const StoredMovement *m;
        qint64 cents;
        QDate due;
        bool taken = false;
    };
    QList<Open> candidates;
    for (const StoredMovement &m : movements) {
        if (TextRules::trim(m.record.Saldato) != kNo)
            continue;
        const auto cents = signedCents(m.record);
        const QDate due = dueDateOf(m.record);
        if (cents && due.isValid())
            candidates.append({&m, *cents, due, false});
    }

    const QStringList keys = ImportLedger::keysOf(rows);
    QList<Proposal> out;
    out.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        Proposal p;
        p.row = rows[i];
        p.key = keys[i];
        if (ledger.contains(p.key)) {
            p.origin = Proposal::Origin::AlreadyImported;
            p.note = QStringLiteral("Importato in precedenza.");
            out.append(p);
            continue;
        }
        if (p.row.booking.year() != setting.year) {
            p.origin = Proposal::Origin::OtherYear;
            p.note = QStringLiteral("Movimento del %1: va importato nel registro di quell'anno.").arg(p.row.booking.year());
            out.append(p);
            continue;
        }
        if (p.key.contains(QLatin1String(";#"))) {
            // The same row twice without the bank's reference: a second payment, or the row repeated?
            const QString base = ImportLedger::baseKey(p.row);
            qsizetype first = 0;
            while (first < i && keys[first] != base)
                ++first;
            p.origin = Proposal::Origin::Repeated;
            p.note = QStringLiteral("Uguale alla riga %1 del file e senza riferimento della banca: scegliere "
                                    "\"%2\" se è un secondo pagamento.")
                         .arg(rows[first].line)
                         .arg(p.row.cents > 0 ? QStringLiteral("Nuova entrata") : QStringLiteral("Nuova uscita"));
            out.append(p);
            continue;
        }
        const QString text = BankText::fold(p.row.description + QLatin1Char(' ') + p.row.extended + QLatin1Char(' ') +
                                            p.row.counterparty);
        Open *best = nullptr;
        qint64 bestDistance = 0;
        for (Open &o : candidates) {
            if (o.taken || o.cents != p.row.cents)
                continue;
            const qint64 distance = std::llabs(o.due.daysTo(p.row.booking));
            if (distance > setting.windowDays)
                continue;
            const QString &person = o.cents > 0 ? o.m->record.Pagatore : o.m->record.Beneficiario;
            if (!names(text, person))
                continue;
            if (!best || distance < bestDistance) {
                best = &o;
                bestDistance = distance;
            }
        }
        if (best) {
            best->taken = true;
            p.settles = best->m->position;
            p.settled = best->m->record;
            choose(p, Proposal::Action::Settle, rules, setting);
            p.note = QStringLiteral("Salda il movimento n. %1 del %2: %3.")
                         .arg(p.settles)
                         .arg(TextRules::trim(p.settled.Data), TextRules::trim(p.settled.Causale));
        } else {
            choose(p, Proposal::Action::Create, rules, setting);
            p.note = rules.match(p.row) ? QStringLiteral("Causale proposta da una scelta precedente.") : QString();
        }
        out.append(p);
    }
    return out;
}

} // namespace BankImport
