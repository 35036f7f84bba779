#include "ReceiptContent.h"

#include "AmountInWords.h"
#include "common/TextRules.h"

ReceiptContent ReceiptContent::of(const TSchedaMovimento &movement, const QString &number, const Issuer &issuer,
                                  bool duplicate, bool donation)
{
    using TextRules::trim;
    ReceiptContent c;
    c.association = trim(issuer.name);
    c.associationAddress = trim(issuer.address);
    c.associationTaxCode = trim(issuer.taxCode);
    c.treasurer = trim(issuer.treasurer);
    c.number = number;
    c.date = trim(movement.Data);
    c.duplicate = duplicate;
    c.payer = trim(movement.Pagatore);
    c.payerCode = trim(movement.CodFisc).isEmpty() ? trim(movement.PartitaIva) : trim(movement.CodFisc);
    c.payerAddress = trim(movement.RecapitoPag);
    c.amount = trim(movement.Importo);
    c.amountWords = AmountInWords::ofStoredAmount(c.amount).value_or(QString());
    c.reason = trim(movement.Causale);
    c.payment = trim(movement.Pagamento);
    c.donation = donation;
    return c;
}
