#include "MovementCardRules.h"

#include "common/CardRules.h"
#include "common/Platform.h"
#include "common/TextRules.h"

namespace MovementCardRules {

namespace {

const QString kLfCrLfCr = QStringLiteral("\n\r\n\r");

// The fields the switches stand for, which no text of the card carries.
bool isSwitchField(QString TSchedaMovimento::*member)
{
    return member == &TSchedaMovimento::Entrata || member == &TSchedaMovimento::Uscita ||
           member == &TSchedaMovimento::Saldato;
}

// A yes/no text read from a record: true, false, or neither for anything else.
std::optional<bool> yesNo(const QString &stored)
{
    const QString t = TextRules::trim(stored);
    if (t == kYes)
        return true;
    if (t == kNo)
        return false;
    return std::nullopt;
}

QString mustGive(const char *what)
{
    return QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ") + QString::fromUtf8(what);
}

QString missingDate(const QString &date)
{
    return QStringLiteral("Attenzione: la data ") + date + QStringLiteral(" non esiste.") + kLfCrLfCr +
           QStringLiteral("Per poter salvare la scheda è necessario indicare una data valida nel formato gg/mm/aaaa.");
}

// Totale keeps the sign in front of the amount within the same capacity as Importo.
constexpr int kSignedCapacity = 15;

} // namespace

TSchedaMovimento compose(const MovementCardValues &card)
{
    TSchedaMovimento record;
    for (const auto &f : TSchedaMovimento::fields())
        record.*(f.member) = TextRules::trim(card.texts.*(f.member));
    record.Entrata = card.entrata ? kYes : kNo;
    record.Uscita = card.uscita ? kYes : kNo;
    const QString amount = TextRules::trim(card.texts.Importo);
    if (card.entrata)
        record.Totale = QLatin1Char('+') + amount;
    else if (card.uscita)
        record.Totale = QLatin1Char('-') + amount;
    else
        record.Totale = amount;
    record.Saldato = card.saldato ? kYes : kNo;
    return record;
}

MovementCardValues show(const TSchedaMovimento &record, const MovementCardValues &current)
{
    MovementCardValues card = current;
    for (const auto &f : TSchedaMovimento::fields()) {
        if (!isSwitchField(f.member))
            card.texts.*(f.member) = TextRules::trim(record.*(f.member));
    }
    if (const auto e = yesNo(record.Entrata))
        card.entrata = *e;
    if (const auto u = yesNo(record.Uscita))
        card.uscita = *u;
    if (const auto s = yesNo(record.Saldato))
        card.saldato = *s;
    return card;
}

MovementCardValues newCard(const QDate &today)
{
    MovementCardValues card;
    card.texts.Data = TextRules::formatDate(today);
    card.texts.Preavviso = QStringLiteral("0");
    card.texts.Importo = QStringLiteral("0,00");
    card.texts.Totale = QStringLiteral("+0,00");
    card.entrata = true;
    card.uscita = false;
    card.saldato = false;
    return card;
}

MovementCardValues duplicate(const MovementCardValues &card, const QDate &today)
{
    MovementCardValues copy = card;
    copy.saldato = false;
    copy.texts.Data = TextRules::formatDate(today);
    copy.texts.DataSca.clear();
    for (QString TSchedaMovimento::*slot : {&TSchedaMovimento::File01, &TSchedaMovimento::File02,
                                            &TSchedaMovimento::File03, &TSchedaMovimento::Desc01,
                                            &TSchedaMovimento::Desc02, &TSchedaMovimento::Desc03})
        (copy.texts.*slot).clear();
    return copy;
}

QString amountCaption(bool entrata)
{
    return entrata ? QStringLiteral("Importo in entrata: €") : QStringLiteral("Importo in uscita: €");
}

QColor amountColour(bool entrata) { return entrata ? QColor(0x00, 0x00, 0x00) : QColor(0xFF, 0x00, 0x00); }

QString largestAmount()
{
    // Digits, the comma and two decimals, one place left for the sign.
    return QString(kSignedCapacity - 1 - 3, QLatin1Char('9')) + QStringLiteral(",99");
}

bool amountFits(const QString &normalisedAmount)
{
    return TextRules::trim(normalisedAmount).size() <= kSignedCapacity - 1;
}

std::optional<SaveProblem> checkForSave(const MovementCardValues &card)
{
    using K = SaveProblem::Kind;
    const auto t = [&card](QString TSchedaMovimento::*m) { return TextRules::trim(card.texts.*m); };
    if (t(&TSchedaMovimento::Causale).isEmpty())
        return SaveProblem{K::Warning, QStringLiteral("txtCausale"), mustGive("la causale del pagamento.")};
    const QString data = t(&TSchedaMovimento::Data);
    if (data.isEmpty())
        return SaveProblem{K::Warning, QStringLiteral("txtData"),
                           mustGive("la data di registrazione dell'operazione.")};
    if (!TextRules::isValidDate(data))
        return SaveProblem{K::Plain, QStringLiteral("txtData"), missingDate(data)};
    const QString dataSca = t(&TSchedaMovimento::DataSca);
    if (dataSca.isEmpty())
        return SaveProblem{K::Warning, QStringLiteral("txtDataSca"),
                           mustGive("la data di scadenza del pagamento.")};
    if (!TextRules::isValidDate(dataSca))
        return SaveProblem{K::Plain, QStringLiteral("txtDataSca"), missingDate(dataSca)};
    if (t(&TSchedaMovimento::Preavviso).isEmpty())
        return SaveProblem{K::Warning, QStringLiteral("txtPreavviso"),
                           mustGive("il numero di giorni di preavviso della scadenza del pagamento.")};
    // An amount cut to fit its field would be stored, and added up, as another number.
    if (!amountFits(t(&TSchedaMovimento::Importo)))
        return SaveProblem{K::Warning, QStringLiteral("txtImporto"),
                           mustGive("un importo non superiore a ") + largestAmount() + QLatin1Char('.')};
    if (t(&TSchedaMovimento::Pagatore).isEmpty())
        return SaveProblem{K::Warning, QStringLiteral("txtPagatore"), mustGive("il nome del Pagatore.")};
    if (t(&TSchedaMovimento::Beneficiario).isEmpty())
        return SaveProblem{K::Warning, QStringLiteral("txtBeneficiario"), mustGive("il nome del Beneficiario.")};
    return std::nullopt;
}

BrowseStep browse(Arrow arrow, qint64 count, std::optional<qint64> position)
{
    using K = BrowseStep::Kind;
    if (count <= 0)
        return {K::EmptyArchive, 0, arrow == Arrow::Next};
    switch (arrow) {
    case Arrow::First:
        return {K::Load, 1};
    case Arrow::Last:
        return {K::Load, count};
    case Arrow::Previous:
        if (!position)
            return {K::Load, 1};
        if (*position <= 1)
            return {K::Nothing};
        return {K::Load, *position - 1};
    case Arrow::Next:
        if (!position)
            return {K::Load, 1};
        if (*position < count)
            return {K::Load, *position + 1};
        return {K::Nothing};
    }
    return {K::Nothing};
}

bool isVatNumber(const QString &trimmedCode) { return CardRules::isVatNumber(trimmedCode); }

bool isYearText(const QString &typed) { return typed.size() == 4; }

QString yearFile(const QString &typed)
{
    return Platform::folder().file(TextRules::trim(typed) + QStringLiteral(".eur"));
}

QString cardCaption(const QString &typed)
{
    return QStringLiteral(" Quintara - Registrazione movimenti anno ") + TextRules::trim(typed);
}

QString yearNeeded() { return QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."); }
QString accessError() { return CardRules::accessError(); }
QString emptyArchive() { return CardRules::emptyArchive(); }
QString inserted() { return CardRules::inserted(); }
QString changesSaved() { return CardRules::changesSaved(); }
QString duplicateNeedsStoredCard() { return CardRules::duplicateNeedsStoredCard(); }
QString duplicated() { return CardRules::duplicated(); }
QString emailNeeded() { return QStringLiteral("Attenzione: indicare l'indirizzo e-mail del tesserato."); }

} // namespace MovementCardRules
