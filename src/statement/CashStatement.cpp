#include "CashStatement.h"

#include "common/TextRules.h"

#include <QSet>

using Side = StatementItems::Side;
using Kind = CashStatement::Line::Kind;

namespace {

// How many unreadable movements a warning names one by one.
constexpr int kNamed = 20;
// How far back opening balances are looked for.
constexpr int kCarryYears = 30;

QString fileOf(int year) { return QString::number(year) + QStringLiteral(".eur"); }

QString movements(qint64 n)
{
    return n == 1 ? QStringLiteral("1 movimento") : QStringLiteral("%1 movimenti").arg(n);
}

// "cassa 1.000,00 €, banca 5.000,00 €"
QString balances(const Classification::Opening &o)
{
    return QStringLiteral("cassa %1, banca %2").arg(CashStatement::euro(o.cassa), CashStatement::euro(o.banca));
}

struct Named
{
    QString text;
    qint64 count = 0;
    qint64 cents = 0;
};

// The figures of one year, with the opening balances it starts from.
CashStatement::Year figures(int year, const YearMovements *m, const Classification &c,
                            std::optional<Classification::Opening> opening)
{
    CashStatement::Year y;
    y.year = year;
    y.opening = opening;
    if (m) {
        y.exists = m->exists;
        QMap<QString, Named> reasons; // "+"/"-" and the folded reason
        QMap<QString, Named> payments;
        for (const YearMovements::Group &g : m->groups) {
            const Side side = g.income ? Side::Income : Side::Expense;
            (g.income ? y.income : y.expense) += g.cents;
            const QString code = c.itemOf(side, g.causale);
            if (code.isEmpty()) {
                Named &n = reasons[(g.income ? QStringLiteral("+") : QStringLiteral("-")) +
                                   Classification::fold(g.causale)];
                if (n.text.isEmpty())
                    n.text = (g.income ? QStringLiteral("Entrata \"") : QStringLiteral("Uscita \"")) + g.causale +
                             QLatin1Char('"');
                n.count += g.count;
                n.cents += g.cents;
                (g.income ? y.unclassifiedIncome : y.unclassifiedExpense) += g.cents;
            } else {
                y.items[code] += g.cents;
            }
            const qint64 signedCents = g.income ? g.cents : -g.cents;
            switch (c.accountOf(g.pagamento)) {
            case Classification::Account::Cassa:
                y.cassaFlow += signedCents;
                break;
            case Classification::Account::Banca:
                y.bancaFlow += signedCents;
                break;
            case Classification::Account::None: {
                y.otherFlow += signedCents;
                Named &n = payments[Classification::fold(g.pagamento)];
                if (n.text.isEmpty())
                    n.text = g.pagamento.isEmpty() ? QStringLiteral("(nessuna modalità)")
                                                   : QLatin1Char('"') + g.pagamento + QLatin1Char('"');
                n.count += g.count;
                n.cents += g.cents;
                break;
            }
            }
        }
        for (const Named &n : reasons)
            y.unclassifiedReasons.append(
                QStringLiteral("%1 (%2, %3)").arg(n.text, movements(n.count), CashStatement::euro(n.cents)));
        for (const Named &n : payments)
            y.unknownPayments.append(
                QStringLiteral("%1 (%2, %3)").arg(n.text, movements(n.count), CashStatement::euro(n.cents)));
    }
    const Classification::Opening o = opening.value_or(Classification::Opening{});
    y.closingCassa = o.cassa + y.cassaFlow;
    y.closingBanca = o.banca + y.bancaFlow;
    return y;
}

// The closing balances of a year, when they can be known: its file read whole,
// holding only movements of its own year, each with its account, and its
// opening balances typed or themselves carried from the year before.
std::optional<Classification::Opening> closingOf(int year, const Classification &c,
                                                 const CashStatement::Source &source, int depth)
{
    if (depth >= kCarryYears)
        return std::nullopt;
    const YearMovements *m = source(year);
    if (!m || !m->readable() || !m->unreadable.isEmpty() || m->otherYearCount > 0)
        return std::nullopt;
    auto opening = c.opening(year);
    if (!opening)
        opening = closingOf(year - 1, c, source, depth + 1);
    if (!opening)
        return std::nullopt;
    const CashStatement::Year y = figures(year, m, c, opening);
    if (!y.unknownPayments.isEmpty())
        return std::nullopt;
    return Classification::Opening{y.closingCassa, y.closingBanca};
}

struct Section
{
    QChar letter;
    const char *expense;
    const char *income;
    const char *result; // nullptr: the section has no result line
};

const Section kSections[] = {
    {QLatin1Char('A'), "A) Uscite da attività di interesse generale", "A) Entrate da attività di interesse generale",
     "Avanzo/disavanzo attività di interesse generale"},
    {QLatin1Char('B'), "B) Uscite da attività diverse", "B) Entrate da attività diverse",
     "Avanzo/disavanzo attività diverse"},
    {QLatin1Char('C'), "C) Uscite da attività di raccolta fondi", "C) Entrate da attività di raccolta fondi",
     "Avanzo/disavanzo attività di raccolta fondi"},
    {QLatin1Char('D'), "D) Uscite da attività finanziarie e patrimoniali",
     "D) Entrate da attività finanziarie e patrimoniali", "Avanzo/disavanzo attività finanziarie e patrimoniali"},
    {QLatin1Char('E'), "E) Uscite di supporto generale", "E) Entrate di supporto generale", nullptr},
};

const char *const kBeforeInvestments =
    "Avanzo/disavanzo d'esercizio prima di investimenti e disinvestimenti patrimoniali, e finanziamenti";

} // namespace

QString CashStatement::amount(qint64 cents)
{
    const bool negative = cents < 0;
    quint64 a = negative ? quint64(0) - quint64(cents) : quint64(cents);
    const QString decimals = QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
    QString whole = QString::number(a / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char('.'));
    return (negative ? QStringLiteral("-") : QString()) + whole + QLatin1Char(',') + decimals;
}

QString CashStatement::euro(qint64 cents) { return amount(cents) + QStringLiteral(" €"); }

const CashStatement::Line *CashStatement::line(const QString &id) const
{
    for (const Line &l : m_lines)
        if (l.id == id)
            return &l;
    return nullptr;
}

QString CashStatement::openingNote() const
{
    const QString before = QString::number(m_year - 1);
    if (!m_current.opening)
        return QStringLiteral("Non indicati e non ricavabili dal %1: indicarli qui sopra.").arg(before);
    if (m_current.openingCarried)
        return QStringLiteral("Non indicati: si usano i saldi finali del %1 (%2).").arg(before, balances(*m_current.opening));
    if (m_lastClosing && *m_lastClosing != *m_current.opening)
        return QStringLiteral("Diversi dai saldi finali del %1 (%2).").arg(before, balances(*m_lastClosing));
    return {};
}

CashStatement CashStatement::compute(int year, const Classification &c, const Source &source)
{
    CashStatement s;
    s.m_year = year;
    const YearMovements *now = source(year);
    const YearMovements *before = source(year - 1);

    const auto own = c.opening(year);
    s.m_lastClosing = closingOf(year - 1, c, source, 1);
    s.m_current = figures(year, now, c, own ? own : s.m_lastClosing);
    s.m_current.openingCarried = !own && s.m_lastClosing;
    const auto ownBefore = c.opening(year - 1);
    s.m_previous = figures(year - 1, before, c, ownBefore ? ownBefore : closingOf(year - 2, c, source, 2));
    s.m_previous.openingCarried = !ownBefore && s.m_previous.opening;
    // The opening of a year is the closing of the year before: known when typed,
    // even for a year whose own movements cannot be summed.
    if (!s.m_lastClosing && own) {
        s.m_previous.closingCassa = own->cassa;
        s.m_previous.closingBanca = own->banca;
        s.m_previous.closingFromNext = true;
    }

    // The lines of the form.
    const Year &a = s.m_current;
    const Year &b = s.m_previous;
    const auto add = [&](Kind kind, const QString &id, const QString &text, qint64 cur, qint64 prev) {
        s.m_lines.append({kind, id, text, cur, prev});
    };
    const auto heading = [&](const char *text) { add(Kind::Heading, {}, QString::fromUtf8(text), 0, 0); };
    // The items of one section and side, then their total; returns the totals.
    const auto itemsOf = [&](QChar section, Side side, const QString &totalId) {
        qint64 cur = 0;
        qint64 prev = 0;
        for (const StatementItems::Item &i : StatementItems::all()) {
            if (i.section != section || i.side != side)
                continue;
            add(Kind::Item, i.code, i.name, a.value(i.code), b.value(i.code));
            cur += a.value(i.code);
            prev += b.value(i.code);
        }
        add(Kind::Total, totalId, side == Side::Income ? QStringLiteral("Totale entrate") : QStringLiteral("Totale uscite"),
            cur, prev);
        return std::pair{cur, prev};
    };

    qint64 opExpense[2] = {0, 0};
    qint64 opIncome[2] = {0, 0};
    for (const Section &sec : kSections) {
        const QString l = QString(sec.letter);
        heading(sec.expense);
        const auto [ue, up] = itemsOf(sec.letter, Side::Expense, l + QStringLiteral(".TU"));
        heading(sec.income);
        const auto [ie, ip] = itemsOf(sec.letter, Side::Income, l + QStringLiteral(".TE"));
        if (sec.result)
            add(Kind::Result, l + QStringLiteral(".R"), QString::fromUtf8(sec.result), ie - ue, ip - up);
        opExpense[0] += ue;
        opExpense[1] += up;
        opIncome[0] += ie;
        opIncome[1] += ip;
    }
    add(Kind::Total, QStringLiteral("TU"), QStringLiteral("Totale uscite della gestione"), opExpense[0], opExpense[1]);
    add(Kind::Total, QStringLiteral("TE"), QStringLiteral("Totale entrate della gestione"), opIncome[0], opIncome[1]);
    const qint64 beforeTaxes[2] = {opIncome[0] - opExpense[0], opIncome[1] - opExpense[1]};
    add(Kind::Result, QStringLiteral("R1"), QStringLiteral("Avanzo/disavanzo d'esercizio prima delle imposte"),
        beforeTaxes[0], beforeTaxes[1]);
    const StatementItems::Item *taxes = StatementItems::find(QStringLiteral("I.U1"));
    add(Kind::Item, taxes->code, taxes->name, a.value(taxes->code), b.value(taxes->code));
    const qint64 r2[2] = {beforeTaxes[0] - a.value(taxes->code), beforeTaxes[1] - b.value(taxes->code)};
    add(Kind::Result, QStringLiteral("R2"), QString::fromUtf8(kBeforeInvestments), r2[0], r2[1]);

    heading("Uscite da investimenti in immobilizzazioni o da deflussi di capitale di terzi");
    const auto [fu, fup] = itemsOf(QLatin1Char('F'), Side::Expense, QStringLiteral("F.TU"));
    heading("Entrate da disinvestimenti in immobilizzazioni o da flussi di capitale di terzi");
    const auto [fe, fep] = itemsOf(QLatin1Char('F'), Side::Income, QStringLiteral("F.TE"));
    add(Kind::Result, QStringLiteral("F.R"),
        QStringLiteral("Avanzo/disavanzo da entrate e uscite per investimenti e disinvestimenti patrimoniali e "
                       "finanziamenti"),
        fe - fu, fep - fup);
    add(Kind::Result, QStringLiteral("R2.bis"), QString::fromUtf8(kBeforeInvestments), r2[0], r2[1]);
    const qint64 overall[2] = {r2[0] + fe - fu, r2[1] + fep - fup};
    add(Kind::Result, QStringLiteral("R"), QStringLiteral("Avanzo/disavanzo complessivo"), overall[0], overall[1]);

    heading("Cassa e banca");
    add(Kind::Balance, QStringLiteral("CASSA"), QStringLiteral("Cassa"), a.closingCassa, b.closingCassa);
    add(Kind::Balance, QStringLiteral("BANCA"), QStringLiteral("Depositi bancari e postali"), a.closingBanca,
        b.closingBanca);

    // What was read and what was left out.
    bool complete = true;
    QStringList &w = s.m_warnings;
    for (const auto &[m, y] : {std::pair{now, year}, std::pair{before, year - 1}}) {
        const QString file = fileOf(y);
        if (!m) {
            complete = false;
            w.append(QStringLiteral("Attenzione: non è stato possibile leggere l'archivio %1.").arg(file));
            continue;
        }
        if (!m->exists) {
            // No file, no movements: a statement of its own year cannot rest on that.
            if (y == year) {
                complete = false;
                w.append(QStringLiteral("Attenzione: l'archivio %1 non esiste: per il %2 non risulta nessun movimento.")
                             .arg(file)
                             .arg(y));
            } else {
                w.append(QStringLiteral("L'archivio %1 non esiste: per il %2 non risulta nessun movimento.").arg(file).arg(y));
            }
            continue;
        }
        if (!m->error.isEmpty()) {
            complete = false;
            w.append(QStringLiteral("Attenzione: non è stato possibile leggere per intero l'archivio %1 (%2).")
                         .arg(file, m->error));
        }
        for (qsizetype i = 0; i < m->unreadable.size() && i < kNamed; ++i) {
            const auto &u = m->unreadable.at(i);
            const QString what = u.what == QLatin1String("data")     ? QStringLiteral("una data dell'operazione")
                                 : u.what == QLatin1String("importo") ? QStringLiteral("un importo")
                                                                      : QStringLiteral("un segno (+ o -)");
            w.append(QStringLiteral("Attenzione: il movimento n. %1 dell'archivio %2 ha %3 che non è possibile "
                                    "leggere (%4), per cui non è compreso nel rendiconto.")
                         .arg(u.position)
                         .arg(file, what,
                              u.value.isEmpty() ? QStringLiteral("vuoto") : QLatin1Char('"') + u.value + QLatin1Char('"')));
        }
        if (m->unreadable.size() > kNamed)
            w.append(QStringLiteral("Attenzione: altri %1 movimenti dell'archivio %2 non si possono leggere.")
                         .arg(m->unreadable.size() - kNamed)
                         .arg(file));
        if (!m->unreadable.isEmpty())
            complete = false;
        if (m->unsettledCount > 0)
            w.append(QStringLiteral("Non saldati, e quindi esclusi dal rendiconto del %1: %2 (entrate %3, uscite %4).")
                         .arg(y)
                         .arg(movements(m->unsettledCount), euro(m->unsettledIncome), euro(m->unsettledExpense)));
        if (m->otherYearCount > 0) {
            complete = false;
            w.append(QStringLiteral("Attenzione: l'archivio %1 contiene %2 con la data di un altro anno, per cui non "
                                    "compresi né nel rendiconto del %3 né in quello del loro anno.")
                         .arg(file, movements(m->otherYearCount))
                         .arg(y));
        }
    }
    for (const Year *y : {&a, &b}) {
        if (!y->unclassifiedReasons.isEmpty()) {
            complete = false;
            w.append(QStringLiteral("Attenzione: causali del %1 non classificate: %2.")
                         .arg(QString::number(y->year), y->unclassifiedReasons.join(QStringLiteral("; "))));
        }
        if (!y->unknownPayments.isEmpty()) {
            complete = false;
            w.append(QStringLiteral("Attenzione: modalità di pagamento del %1 né di cassa né di banca: %2.")
                         .arg(QString::number(y->year), y->unknownPayments.join(QStringLiteral("; "))));
        }
    }
    if (!a.opening) {
        complete = false;
        w.append(QStringLiteral("Attenzione: i saldi iniziali del %1 non sono indicati e non si possono ricavare dal "
                                "%2: sono considerati pari a zero.")
                     .arg(year)
                     .arg(year - 1));
    } else if (a.openingCarried) {
        w.append(QStringLiteral("Saldi iniziali ripresi dai saldi finali del %1: %2.")
                     .arg(QString::number(year - 1), balances(*a.opening)));
    } else if (s.m_lastClosing && *s.m_lastClosing != *a.opening) {
        complete = false;
        w.append(QStringLiteral("Attenzione: i saldi iniziali indicati per il %1 (%2) non corrispondono ai saldi "
                                "finali calcolati del %3 (%4).")
                     .arg(QString::number(year), balances(*a.opening), QString::number(year - 1),
                          balances(*s.m_lastClosing)));
    }
    if (b.closingFromNext)
        w.append(QStringLiteral("Saldi finali del %1 presi dai saldi iniziali indicati per il %2: %3.")
                     .arg(QString::number(year - 1), QString::number(year), balances(*a.opening)));

    const Classification::Opening o = a.opening.value_or(Classification::Opening{});
    const qint64 left = o.cassa + o.banca + overall[0];
    const qint64 right = a.closingCassa + a.closingBanca;
    if (!a.opening) {
        s.m_checkHolds = false;
        s.m_checkText = QStringLiteral("Verifica: non è possibile, perché i saldi iniziali del %1 non sono noti.").arg(year);
    } else {
        s.m_checkHolds = left == right;
        s.m_checkText =
            QStringLiteral("Verifica: saldi iniziali %1 + avanzo/disavanzo complessivo %2 = %3; cassa %4 + "
                           "banca %5 = %6: %7.")
                .arg(euro(o.cassa + o.banca), euro(overall[0]), euro(left), euro(a.closingCassa), euro(a.closingBanca),
                     euro(right), s.m_checkHolds ? QStringLiteral("i conti tornano") : QStringLiteral("i conti NON tornano"));
    }
    // The balances move with every settled movement that has an account, the
    // result only with the classified ones: the difference has these two causes.
    if (a.opening && !s.m_checkHolds) {
        QStringList causes;
        if (a.unclassifiedIncome != 0 || a.unclassifiedExpense != 0)
            causes.append(QStringLiteral("causali non classificate per %1 (entrate %2, uscite %3)")
                              .arg(euro(a.unclassifiedIncome - a.unclassifiedExpense), euro(a.unclassifiedIncome),
                                   euro(a.unclassifiedExpense)));
        if (a.otherFlow != 0)
            causes.append(QStringLiteral("movimenti né di cassa né di banca per %1").arg(euro(a.otherFlow)));
        w.append(QStringLiteral("Attenzione: la verifica non torna per %1: %2.")
                     .arg(euro(right - left), causes.join(QStringLiteral("; "))));
    }

    // What the size figures are measured on: every settled income of the year.
    qint64 section[2] = {0, 0}; // F, then unclassified
    for (auto it = a.items.cbegin(); it != a.items.cend(); ++it)
        if (it.key().startsWith(QStringLiteral("F.E")))
            section[0] += it.value();
    section[1] = a.unclassifiedIncome;
    const qint64 proceeds = a.income;
    w.append(QStringLiteral("Per i limiti di %1 e di %2 sono contate tutte le entrate saldate del %3, in tutto %4: "
                            "comprese quelle della sezione F (disinvestimenti e finanziamenti ricevuti) per %5 e quelle "
                            "non classificate per %6.")
                 .arg(euro(kCashLimit), euro(kAggregateLimit), QString::number(year), euro(proceeds), euro(section[0]),
                      euro(section[1])));
    if (proceeds > kCashLimit)
        w.append(QStringLiteral("Attenzione: le entrate del %1 (%2) superano %3: per un ente di queste dimensioni la "
                                "legge non consente il rendiconto per cassa.")
                     .arg(QString::number(year), euro(proceeds), euro(kCashLimit)));
    else if (proceeds <= kAggregateLimit)
        w.append(QStringLiteral("Le entrate del %1 (%2) non superano %3: è consentito anche il rendiconto in forma "
                                "aggregata.")
                     .arg(QString::number(year), euro(proceeds), euro(kAggregateLimit)));
    s.m_complete = complete;
    return s;
}

QString CashStatement::suggestion(Side side, const QString &causale)
{
    const QString t = TextRules::lowerAZ(causale);
    const auto has = [&](std::initializer_list<const char *> words) {
        for (const char *word : words)
            if (t.contains(QString::fromUtf8(word)))
                return true;
        return false;
    };
    if (side == Side::Income) {
        if (has({"5 per mille", "cinque per mille", "5x1000", "5 x 1000", "5xmille"}))
            return QStringLiteral("A.E5");
        if (has({"quota", "quote", "tesseramento", "iscrizion"}))
            return QStringLiteral("A.E1");
        if (has({"donazion", "erogazion", "liberal", "offert"}))
            return QStringLiteral("A.E4");
        if (has({"lotteria", "riffa", "raccolta fondi", "sottoscrizione a premi", "pesca di beneficenza"}))
            return QStringLiteral("C.E2");
        if (has({"contribut"}))
            return has({"comune", "regione", "provincia", "ministero", "pubblic", "statal"}) ? QStringLiteral("A.E8")
                                                                                            : QStringLiteral("A.E6");
        if (has({"interess"}))
            return QStringLiteral("D.E1");
        if (has({"prestito", "finanziamento", "mutuo"}))
            return QStringLiteral("F.E4");
        return {};
    }
    if (has({"commission", "spese bancarie", "spese banca", "banca", "bancari", "tenuta conto", "canone conto"}))
        return QStringLiteral("D.U1");
    if (has({"affitto", "locazion", "noleggio", "nolo"}))
        return QStringLiteral("A.U3");
    if (has({"imposta", "imposte", "tassa", "tasse", "tribut", "irap", "ires", "imu"}))
        return QStringLiteral("I.U1");
    if (has({"computer", "portatile", "attrezzatur", "arredi", "mobili", "impianto"}))
        return QStringLiteral("F.U1");
    if (has({"rimborso prestito", "rata mutuo", "rata prestito"}))
        return QStringLiteral("F.U4");
    if (has({"premi", "lotteria", "riffa", "raccolta fondi"}))
        return QStringLiteral("C.U2");
    if (has({"stipend", "compens", "personale", "contributi inps", "collaborator"}))
        return QStringLiteral("A.U4");
    if (has({"stampa", "cancelleria", "materiale", "acquisto", "merce", "forniture"}))
        return QStringLiteral("A.U1");
    if (has({"assicuraz", "utenz", "bollett", "luce", "gas", "telefon", "internet", "consulen", "servizi", "pulizi",
             "trasport"}))
        return QStringLiteral("A.U2");
    return {};
}

Classification::Account CashStatement::suggestedAccount(const QString &pagamento)
{
    const QString t = TextRules::lowerAZ(pagamento);
    for (const char *word : {"contant", "cassa", "in mano"})
        if (t.contains(QString::fromUtf8(word)))
            return Classification::Account::Cassa;
    for (const char *word : {"bonific", "banca", "bancari", "carta", "bancomat", "pos", "assegn", "rid", "sdd",
                             "paypal", "postal", "c/c", "conto", "satispay", "addebito"})
        if (t.contains(QString::fromUtf8(word)))
            return Classification::Account::Banca;
    return Classification::Account::None;
}
