#pragma once

#include "ReceiptContent.h"
#include "output/ReportTemplate.h"

#include <QDateTime>

#include <memory>

// The printed receipt: one A4 portrait page holding the same receipt twice, the
// copy the association keeps above and the payer's below, with a cut line
// between them. Every object of a copy carries the copy's digit at the end of
// its name (txtNumero1, txtNumero2).
namespace ReceiptReport {

inline const QString kDocumentTitle = QStringLiteral("Ricevuta");
inline const QString kAssociationCopy = QStringLiteral("Copia per l'associazione");
inline const QString kPayerCopy = QStringLiteral("Copia per il socio / donatore");
inline const QString kDuplicate = QStringLiteral("DUPLICATO");

// The sentences printed for a gift: what the law grants, and how the payment
// method bears on it; a gift in cash gets one sentence saying it grants nothing.
QStringList giftSentences(const QString &payment);
QString donationSentence();
QString cashNote();
QString traceableNote(const QString &payment);
QString unknownPaymentNote();

std::unique_ptr<ReportTemplate> create();

// Fills both copies with the receipt; nothing is prepared yet.
void fill(ReportTemplate &report, const ReceiptContent &receipt, const QDateTime &when);

// The page prepared for this receipt.
PreparedReport prepare(const ReceiptContent &receipt, const QDateTime &when);

} // namespace ReceiptReport
