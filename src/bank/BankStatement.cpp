#include "BankStatement.h"

QString BankStatement::problemText(int maxLines) const
{
    if (!error.isEmpty())
        return error;
    QStringList lines;
    for (const RefusedLine &r : refused) {
        if (lines.size() == maxLines) {
            lines.append(QStringLiteral("... e altre %1 righe.").arg(refused.size() - maxLines));
            break;
        }
        lines.append(QStringLiteral("Riga %1: %2.").arg(r.line).arg(r.reason));
    }
    return lines.join(QLatin1Char('\n'));
}
