#include "CardOverwrite.h"

namespace CardOverwrite {

QString changedElsewhereText()
{
    return QStringLiteral("La scheda è stata modificata da un'altra postazione dopo che è stata aperta. "
                          "Sovrascrivere le modifiche?");
}

QString reloadText()
{
    return QStringLiteral("La scheda non è stata salvata.") + UiPlatform::kCrLfCrLf
           + QStringLiteral("Si vuole visualizzare la scheda come è ora salvata in archivio? Le modifiche non "
                            "salvate andranno perse.");
}

} // namespace CardOverwrite
