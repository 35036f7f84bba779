#include "ReceiptRules.h"

#include "AmountInWords.h"
#include "common/TextRules.h"

#include <QRegularExpression>

namespace ReceiptRules {

namespace {
const QString kParagraph = QStringLiteral("\r\n\r\n");
}

std::optional<QString> refusal(const MovementCardValues &card, bool stored)
{
    if (!card.entrata || card.uscita)
        return expenseRefused();
    if (!stored)
        return unsavedRefused();
    if (!card.saldato)
        return unsettledRefused();
    const auto cents = AmountInWords::centsOf(TextRules::trim(card.texts.Importo));
    if (!cents || *cents == 0)
        return zeroRefused();
    return std::nullopt;
}

Payment paymentKind(const QString &method)
{
    const QString m = TextRules::trim(method).toLower();
    if (m.isEmpty())
        return Payment::Unknown;
    if (m.contains(QLatin1String("contant")) || m.contains(QLatin1String("cash")))
        return Payment::Cash;
    // The means that leave a trace with a bank, the post office or a card issuer.
    static const char *const kPrefixes[] = {"bonific", "assegn",  "carta",  "carte", "bancomat", "paypal", "satispay",
                                            "postal",  "banca",   "bancari", "vaglia", "bollettin", "iban",  "sepa"};
    static const char *const kWords[] = {"pos", "sdd", "rid"};
    const QStringList words = m.split(QRegularExpression(QStringLiteral("[^a-z0-9àèéìòù]+")), Qt::SkipEmptyParts);
    for (const QString &w : words) {
        for (const char *t : kPrefixes)
            if (w.startsWith(QLatin1String(t)))
                return Payment::Traceable;
        for (const char *t : kWords)
            if (w == QLatin1String(t))
                return Payment::Traceable;
    }
    return Payment::Unknown;
}

QString expenseRefused()
{
    return QStringLiteral("Attenzione: la ricevuta può essere emessa soltanto per un movimento in entrata.");
}

QString unsavedRefused()
{
    return QStringLiteral("Attenzione: la ricevuta può essere emessa soltanto per una scheda già inserita in "
                          "archivio.") +
           kParagraph + QStringLiteral("Premere Salva e poi di nuovo Ricevuta.");
}

QString unsettledRefused()
{
    return QStringLiteral("Attenzione: il movimento non risulta saldato. La ricevuta attesta che la somma è stata "
                          "ricevuta: può essere emessa soltanto per un'entrata saldata.") +
           kParagraph + QStringLiteral("Quando la somma è stata incassata, spuntare Saldato, premere Salva e poi di "
                                       "nuovo Ricevuta.");
}

QString zeroRefused()
{
    return QStringLiteral("Attenzione: non è possibile emettere una ricevuta per un importo di 0,00 euro.");
}

QString noAssociationName()
{
    return QStringLiteral("Attenzione: nei dati dell'associazione manca la denominazione, che la ricevuta deve "
                          "riportare.") +
           kParagraph + QStringLiteral("Aprire ora i dati dell'associazione?");
}

QString changedRefused()
{
    return QStringLiteral("Attenzione: la scheda mostrata non corrisponde a quella in archivio: contiene modifiche "
                          "non salvate, oppure è stata cambiata da un'altra postazione.") +
           kParagraph +
           QStringLiteral("Salvare la scheda, o visualizzarla di nuovo, prima di emettere la ricevuta.");
}

QString issued(const QString &number)
{
    return QStringLiteral("Alla scheda è stata assegnata la ricevuta n. %1.").arg(number);
}

} // namespace ReceiptRules
