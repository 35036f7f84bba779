#include "ReceiptIssuer.h"

#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/UiPlatform.h"
#include "TfrmRicevuta.h"
#include "movements/MovementCardRules.h"
#include "movements/MovementYear.h"
#include "receipts/ReceiptRules.h"
#include "statement/Classification.h"

namespace ReceiptIssuer {

namespace {

ReceiptContent::Issuer issuerOf(const EnteData &data)
{
    return {data.denominazione, data.indirizzo, data.codiceFiscale, data.tesoriere};
}

QString unreadable(const QString &why)
{
    return QStringLiteral("Attenzione: non è stato possibile leggere i dati dell'associazione (%1).").arg(why) +
           UiPlatform::kCrLfCrLf +
           QStringLiteral("Accertarsi di possedere i privilegi di lettura nella cartella di installazione del "
                          "programma.");
}

} // namespace

std::optional<ReceiptContent::Issuer> forReceipt(QWidget *owner, const EditAssociation &edit)
{
    QString error;
    const auto data = EnteData::load(Platform::folder().path(), &error);
    if (!data) {
        UiPlatform::error(owner, unreadable(error));
        return std::nullopt;
    }
    if (!TextRules::trim(data->denominazione).isEmpty())
        return issuerOf(*data);
    if (!edit || !UiPlatform::ask(owner, ReceiptRules::noAssociationName()))
        return std::nullopt;
    // The data as the screen saved them; the receipt goes on only with a name.
    const auto edited = edit(owner);
    if (!edited || TextRules::trim(edited->denominazione).isEmpty())
        return std::nullopt;
    return issuerOf(*edited);
}

bool isDonation(const QString &causale)
{
    // A classification that cannot be read leaves the tick to the user.
    const auto classification = Classification::load(Platform::folder().path());
    return classification && classification->incomeItemOf(causale) == ReceiptRules::kDonationItem;
}

std::optional<TSchedaMovimento> receipt(QWidget *card, const QString &yearFile, std::optional<qint64> position,
                                        const MovementCardValues &values, const EditAssociation &edit)
{
    if (const auto refused = ReceiptRules::refusal(values, position.has_value())) {
        UiPlatform::warning(card, *refused);
        return std::nullopt;
    }
    // The receipt prints what the file holds: edits not saved yet are refused.
    const auto stored = MovementYear(yearFile).read(*position);
    if (!stored) {
        UiPlatform::error(card, MovementCardRules::accessError());
        return std::nullopt;
    }
    const TSchedaMovimento shown = MovementCardRules::compose(values);
    if (!(stored->record == shown)) {
        UiPlatform::warning(card, ReceiptRules::changedRefused());
        return std::nullopt;
    }
    const auto issuer = forReceipt(card, edit);
    if (!issuer)
        return std::nullopt;
    return TfrmRicevuta::run(card, {yearFile, *position, shown, *issuer, isDonation(values.texts.Causale)});
}

} // namespace ReceiptIssuer
