#include "ReceiptContent.h"

#include "AmountInWords.h"
#include "ReceiptReport.h"
#include "common/TextRules.h"
#include "statement/CashStatement.h"

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
    const QString stored = trim(movement.Importo);
    const auto cents = AmountInWords::centsOf(stored);
    c.amount = cents ? CashStatement::amount(*cents) : stored;
    c.amountWords = cents ? AmountInWords::ofCents(*cents) : QString();
    c.reason = trim(movement.Causale);
    c.payment = trim(movement.Pagamento);
    c.donation = donation;
    if (donation)
        c.gift = ReceiptReport::giftSentences(c.payment);
    return c;
}
