#include "PrimaNotaPrint.h"

#include "common/TextRules.h"

namespace PrimaNotaPrint {

QString title(const Screen &screen)
{
    return QStringLiteral("PRIMANOTA E BILANCIO - Causale :  ") + TextRules::trim(screen.heading);
}

QStringList lines(const Screen &screen)
{
    QStringList out = screen.rows;
    out.reserve(screen.rows.size() + 5);
    out.append(QStringLiteral("- - - - - - - - - - - - - - - -"));
    out.append(QStringLiteral("INTERVALLO SELEZIONATO :      ") + TextRules::trim(screen.interval));
    out.append(QStringLiteral("TOTALE ENTRATE :              ") + TextRules::trim(screen.income));
    out.append(QStringLiteral("TOTALE USCITE :               ") + TextRules::trim(screen.expense));
    out.append(QStringLiteral("BILANCIO ENTRATE E USCITE :   ") + TextRules::trim(screen.balance));
    return out;
}

QString emptyListWarning()
{
    return QStringLiteral("Operazione di stampa non applicabile: la primanota non contiene nessun movimento in "
                          "entrata o in uscita.");
}

QString question() { return QStringLiteral("Si vuole stampare la presente primanota?"); }

} // namespace PrimaNotaPrint
