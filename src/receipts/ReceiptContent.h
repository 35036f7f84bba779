#pragma once

#include "common/TSchedaMovimento.h"

#include <QString>
#include <QStringList>

// Everything one receipt prints, as texts: who gives it, its number and date,
// who paid, how much and why, and for a gift the tax sentences.
struct ReceiptContent
{
    // The association.
    QString association, associationAddress, associationTaxCode, treasurer;

    QString number;    // "3/2024"
    QString date;      // the operation date of the movement, dd/mm/yyyy
    bool duplicate = false;

    QString payer, payerCode, payerAddress;
    QString amount;      // "1.120,50"
    QString amountWords; // "millecentoventi/50"
    QString reason;
    QString payment;
    bool donation = false;
    QStringList gift; // the tax sentences of a gift, each a paragraph

    // The issuer's data the association keeps in its own file.
    struct Issuer
    {
        QString name, address, taxCode, treasurer;
    };

    // The receipt of a stored movement with its number. The payer's code is the
    // tax code, or the VAT number when there is none; a gift gets the sentences
    // its payment method calls for.
    static ReceiptContent of(const TSchedaMovimento &movement, const QString &number, const Issuer &issuer,
                             bool duplicate, bool donation);
};
