#include "MemberCardRules.h"

#include "common/TextRules.h"

namespace MemberCardRules {

namespace {
const QString kLfCrLfCr = QStringLiteral("\n\r\n\r");

bool allDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}
} // namespace

QString controlName(int fieldIndex)
{
    const auto &field = TSchedaSocio::fields().at(fieldIndex);
    return (fieldIndex < kEditCount ? QStringLiteral("txt") : QStringLiteral("lbl")) + QString::fromLatin1(field.name);
}

std::optional<SaveProblem> checkForSave(const TSchedaSocio &card)
{
    using K = SaveProblem::Kind;
    const QString prefix = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ");
    using S = TSchedaSocio;
    if (card.Dipendente.isEmpty())
        return SaveProblem{K::Warning, &S::Dipendente, prefix + QStringLiteral("cognome e nome del Socio.")};
    if (card.Stipendio.isEmpty())
        return SaveProblem{K::Warning, &S::Stipendio, prefix + QStringLiteral("l'importo della quota associativa.")};
    if (card.DataSca.isEmpty())
        return SaveProblem{K::Warning, &S::DataSca, prefix + QStringLiteral("la data di scadenza dell'abbonamento.")};
    if (!TextRules::isValidDate(card.DataSca))
        return SaveProblem{K::Plain, &S::DataSca,
                           QStringLiteral("Attenzione: la data di scadenza ") + card.DataSca +
                               QStringLiteral(" non esiste.") + kLfCrLfCr +
                               QStringLiteral("Per poter salvare la scheda è necessario indicare una data valida "
                                              "nel formato gg/mm/aaaa.")};
    if (card.Preavviso.isEmpty())
        return SaveProblem{K::Warning, &S::Preavviso, prefix + QStringLiteral("i giorni di preavviso.")};
    return std::nullopt;
}

BrowseStep browse(Arrow arrow, qint64 count, std::optional<qint64> position)
{
    using K = BrowseStep::Kind;
    switch (arrow) {
    case Arrow::First:
        return count == 0 ? BrowseStep{K::EmptyArchive} : BrowseStep{K::Load, 1};
    case Arrow::Last:
        return count == 0 ? BrowseStep{K::EmptyArchive} : BrowseStep{K::Load, count};
    case Arrow::Next: {
        // A card not stored counts as standing before the first record.
        const qint64 p = position.value_or(0);
        if (count == 0)
            return {K::EmptyArchive, 0, true};
        if (p < count)
            return {K::Load, p + 1};
        return {K::Nothing};
    }
    case Arrow::Previous:
        if (position == 1)
            return {K::Nothing};
        if (count == 0)
            return {K::EmptyArchive};
        return {K::Load, position ? *position - 1 : 1};
    }
    return {K::Nothing};
}

bool isVatNumber(const QString &trimmedCode) { return allDigits(trimmedCode); }

QString accessError()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.") + kLfCrLfCr +
           QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
                          "programma.");
}

QString chosenMemberUnreadable()
{
    return QStringLiteral(
               "Attenzione: il sistema non permette di accedere all'archivio, per cui i dati della scheda "
               "selezionata non sono stati richiamati.") +
           kLfCrLfCr +
           QStringLiteral(
               "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
               "programma.");
}

QString emptyArchive() { return QStringLiteral("L'archivio non contiene nessuna scheda."); }

QString inserted() { return QStringLiteral("La scheda corrente è stata inserita in archivio."); }

QString changesSaved()
{
    return QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
}

QString photoNotSaved()
{
    return QStringLiteral("Attenzione: la scheda è stata salvata in archivio, ma non è stato possibile salvare la "
                          "foto.") +
           kLfCrLfCr +
           QStringLiteral("La foto resta visibile nella scheda: accertarsi di possedere i privilegi di scrittura "
                          "nella cartella di installazione del programma e premere di nuovo Salva.");
}

QString duplicateNeedsStoredCard()
{
    return QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata "
                          "inserita in archivio.");
}

QString duplicated()
{
    return QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.") + kLfCrLfCr +
           QStringLiteral("Al termine premere Salva per inserire la scheda in archivio.");
}

} // namespace MemberCardRules
