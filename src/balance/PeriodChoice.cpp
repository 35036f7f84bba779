#include "PeriodChoice.h"

#include "common/TextRules.h"

namespace PeriodChoice {

namespace {

const QString kLfCrLfCr = QStringLiteral("\n\r\n\r");

const char *const kMonths[] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                               "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};

bool isYear(const QString &text)
{
    // Exactly four characters as typed, and all of them digits: the year also
    // names a file in the program's folder.
    if (text.size() != 4)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

Problem warning(Field focus, const char *text)
{
    return {Problem::Kind::Warning, focus, QString::fromUtf8(text)};
}

} // namespace

const QStringList &dayItems()
{
    static const QStringList items = [] {
        QStringList out;
        for (int d = 1; d <= 31; ++d)
            out.append(QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0')));
        return out;
    }();
    return items;
}

const QStringList &monthItems()
{
    static const QStringList items = [] {
        QStringList out;
        for (const char *m : kMonths)
            out.append(QString::fromLatin1(m));
        return out;
    }();
    return items;
}

QString monthPart(const QString &name)
{
    const QString key = TextRules::lowerAZ(TextRules::trim(name));
    const QStringList &months = monthItems();
    for (int i = 0; i < months.size(); ++i)
        if (key == TextRules::lowerAZ(months.at(i)))
            return QStringLiteral("/%1/").arg(i + 1, 2, 10, QLatin1Char('0'));
    return {};
}

QString keptDay(const QString &text)
{
    return dayItems().contains(TextRules::trim(text)) ? text : QString();
}

QString keptMonth(const QString &text)
{
    return monthPart(text).isEmpty() ? QString() : text;
}

Outcome check(const Input &in)
{
    Outcome out;
    if (!isYear(in.year)) {
        out.problem = warning(Field::Year, "Attenzione: indicare l'anno solare utilizzando quattro cifre.");
        return out;
    }
    const QString year = TextRules::trim(in.year);
    const struct
    {
        const QString &text;
        Field field;
        const char *message;
    } required[] = {
        {in.startDay, Field::StartDay,
         "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata."},
        {in.startMonth, Field::StartMonth,
         "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata."},
        {in.endDay, Field::EndDay,
         "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata."},
        {in.endMonth, Field::EndMonth,
         "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata."},
    };
    for (const auto &r : required) {
        if (TextRules::trim(r.text).isEmpty()) {
            out.problem = warning(r.field, r.message);
            return out;
        }
    }

    const QString validDate = QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare una data valida.");
    const auto compose = [&](const QString &day, const QString &month) {
        const QString part = monthPart(month);
        return part.isEmpty() ? QString() : TextRules::trim(day) + part + year;
    };
    out.startDate = compose(in.startDay, in.startMonth);
    const auto start = TextRules::parseDate(out.startDate);
    if (!start) {
        out.problem = Problem{Problem::Kind::Plain, Field::StartDay,
                              QStringLiteral("Attenzione: la data ") + out.startDate +
                                  QStringLiteral(" di inizio intervallo non esiste.") + kLfCrLfCr + validDate};
        return out;
    }
    out.endDate = compose(in.endDay, in.endMonth);
    const auto end = TextRules::parseDate(out.endDate);
    if (!end) {
        out.problem = Problem{Problem::Kind::Plain, Field::EndDay,
                              QStringLiteral("Attenzione: la data ") + out.endDate +
                                  QStringLiteral(" di fine intervallo non esiste.") + kLfCrLfCr + validDate};
        return out;
    }
    if (*start > *end) {
        out.problem = Problem{
            Problem::Kind::Plain, std::nullopt,
            QStringLiteral("Attenzione: la data di fine intervallo (") + out.endDate +
                QStringLiteral(") non può essere anteriore a quella di inizio intervallo (") + out.startDate +
                QStringLiteral(").") + kLfCrLfCr +
                QStringLiteral(
                    "Per poter visualizzare il riepilogo è necessario indicare un intervallo di tempo valido.")};
        return out;
    }
    out.fileName = year + QStringLiteral(".eur");
    return out;
}

QString notAccessible() { return QStringLiteral("Attenzione: il file di archivio non risulta accessibile."); }

} // namespace PeriodChoice
