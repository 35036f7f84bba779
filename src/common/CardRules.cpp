#include "CardRules.h"

namespace CardRules {

namespace {
const QString kLfCrLfCr = QStringLiteral("\n\r\n\r");
} // namespace

bool isVatNumber(const QString &trimmedCode)
{
    if (trimmedCode.isEmpty())
        return false;
    for (const QChar c : trimmedCode) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString accessError()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.") + kLfCrLfCr +
           QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
                          "programma.");
}

QString emptyArchive() { return QStringLiteral("L'archivio non contiene nessuna scheda."); }

QString inserted() { return QStringLiteral("La scheda corrente è stata inserita in archivio."); }

QString changesSaved()
{
    return QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
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

QString chosenCardUnreadable()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio, per cui i dati della scheda "
                          "selezionata non sono stati richiamati.") +
           kLfCrLfCr +
           QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
                          "programma.");
}

} // namespace CardRules
