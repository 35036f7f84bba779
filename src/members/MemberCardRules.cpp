#include "MemberCardRules.h"

#include "common/CardRules.h"
#include "common/TextRules.h"

namespace MemberCardRules {

namespace {
const QString kLfCrLfCr = QStringLiteral("\n\r\n\r");
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

bool isVatNumber(const QString &trimmedCode) { return CardRules::isVatNumber(trimmedCode); }

QString accessError() { return CardRules::accessError(); }

QString chosenMemberUnreadable() { return CardRules::chosenCardUnreadable(); }

QString taxCodeAlreadyStored(const QString &code, qint64 position, const QString &name)
{
    return QStringLiteral("Il codice fiscale %1 è già presente nella scheda n. %2 (%3). Salvare comunque?")
        .arg(code)
        .arg(position)
        .arg(name);
}

QString emptyArchive() { return CardRules::emptyArchive(); }

QString inserted() { return CardRules::inserted(); }

QString changesSaved() { return CardRules::changesSaved(); }

QString photoNotSaved()
{
    return QStringLiteral("Attenzione: la scheda è stata salvata in archivio, ma non è stato possibile salvare la "
                          "foto.") +
           kLfCrLfCr +
           QStringLiteral("La foto resta visibile nella scheda: accertarsi di possedere i privilegi di scrittura "
                          "nella cartella di installazione del programma e premere di nuovo Salva.");
}

QString duplicateNeedsStoredCard() { return CardRules::duplicateNeedsStoredCard(); }

QString duplicated() { return CardRules::duplicated(); }

} // namespace MemberCardRules
