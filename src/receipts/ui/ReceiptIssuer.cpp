#include "ReceiptIssuer.h"

#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/UiPlatform.h"
#include "receipts/ReceiptRules.h"
#include "statement/Classification.h"
#include "common/EnteData.h"
#include "statement/ui/TfrmEnte.h"

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

std::optional<ReceiptContent::Issuer> forReceipt(QWidget *owner)
{
    QString error;
    const auto data = EnteData::load(Platform::folder().path(), &error);
    if (!data) {
        UiPlatform::error(owner, unreadable(error));
        return std::nullopt;
    }
    if (!TextRules::trim(data->denominazione).isEmpty())
        return issuerOf(*data);
    if (!UiPlatform::ask(owner, ReceiptRules::noAssociationName()))
        return std::nullopt;
    // The data as the screen saved them; the receipt goes on only with a name.
    const auto edited = TfrmEnte::edit(owner);
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

} // namespace ReceiptIssuer
