#include "BankReaders.h"
#include "BankText.h"

#include <QXmlStreamReader>

namespace {

// The values of one Ntry or Bal element, gathered by their path of local names.
struct Gathered
{
    int line = 0;
    QString amount, currency, creditDebit, status, booking, value, reference, additional, debtor, creditor,
        remittance, balanceType, balanceDate;
};

bool endsWith(const QStringList &path, std::initializer_list<const char *> tail)
{
    if (path.size() < qsizetype(tail.size()))
        return false;
    qsizetype i = path.size() - qsizetype(tail.size());
    for (const char *name : tail)
        if (path[i++] != QLatin1String(name))
            return false;
    return true;
}

} // namespace

namespace BankReaders {

BankStatement readCamt(const QByteArray &bytes)
{
    BankStatement out;
    QXmlStreamReader xml(bytes);
    QStringList path;
    Gathered g;
    bool inEntry = false, inBalance = false, sawStatement = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString name = xml.name().toString();
            path.append(name);
            if (path.size() > 64) {
                out.error = QStringLiteral("Riga %1: il file XML è annidato oltre ogni estratto conto.").arg(xml.lineNumber());
                return out;
            }
            if (name == QLatin1String("Stmt") || name == QLatin1String("Rpt"))
                sawStatement = true;
            if (name == QLatin1String("Ntry") && !inEntry) {
                inEntry = true;
                g = Gathered();
                g.line = int(xml.lineNumber());
            } else if (name == QLatin1String("Bal") && !inEntry) {
                inBalance = true;
                g = Gathered();
                g.line = int(xml.lineNumber());
            } else if ((inEntry || inBalance) && name == QLatin1String("Amt") && path.size() >= 2 &&
                       (path[path.size() - 2] == QLatin1String("Ntry") || path[path.size() - 2] == QLatin1String("Bal"))) {
                g.currency = xml.attributes().value(QLatin1String("Ccy")).toString();
            }
        } else if (token == QXmlStreamReader::Characters && (inEntry || inBalance)) {
            const QString t = xml.text().toString();
            if (endsWith(path, {"Ntry", "Amt"}) || endsWith(path, {"Bal", "Amt"}))
                g.amount += t;
            else if (endsWith(path, {"Ntry", "CdtDbtInd"}) || endsWith(path, {"Bal", "CdtDbtInd"}))
                g.creditDebit += t;
            else if (endsWith(path, {"Ntry", "Sts"}) || endsWith(path, {"Ntry", "Sts", "Cd"}))
                g.status += t;
            else if (endsWith(path, {"BookgDt", "Dt"}) || endsWith(path, {"BookgDt", "DtTm"}))
                g.booking += t;
            else if (endsWith(path, {"ValDt", "Dt"}) || endsWith(path, {"ValDt", "DtTm"}))
                g.value += t;
            else if (endsWith(path, {"Ntry", "AcctSvcrRef"}))
                g.reference += t;
            else if (endsWith(path, {"Ntry", "AddtlNtryInf"}) || endsWith(path, {"TxDtls", "AddtlTxInf"}))
                g.additional += t;
            else if (path.contains(QLatin1String("Dbtr")) && path.last() == QLatin1String("Nm") && g.debtor.isEmpty())
                g.debtor = t;
            else if (path.contains(QLatin1String("Cdtr")) && path.last() == QLatin1String("Nm") && g.creditor.isEmpty())
                g.creditor = t;
            else if (endsWith(path, {"RmtInf", "Ustrd"}))
                g.remittance += (g.remittance.isEmpty() ? QString() : QStringLiteral(" ")) + t;
            else if (endsWith(path, {"Tp", "CdOrPrtry", "Cd"}) && inBalance)
                g.balanceType += t;
            else if (endsWith(path, {"Bal", "Dt", "Dt"}) || endsWith(path, {"Bal", "Dt", "DtTm"}))
                g.balanceDate += t;
        } else if (token == QXmlStreamReader::EndElement) {
            const QString name = path.isEmpty() ? QString() : path.takeLast();
            if (name == QLatin1String("Ntry") && inEntry) {
                inEntry = false;
                const auto refuse = [&](const QString &why) { out.refused.append({g.line, why}); };
                const QString status = g.status.trimmed();
                if (!status.isEmpty() && status != QLatin1String("BOOK"))
                    continue; // pending or informative entries are not movements yet
                if (g.currency.trimmed() != QLatin1String("EUR")) {
                    refuse(QStringLiteral("movimento in %1: si importano solo movimenti in euro")
                               .arg(g.currency.trimmed().isEmpty() ? QStringLiteral("valuta non indicata") : g.currency.trimmed()));
                    continue;
                }
                const auto cents = BankText::parsePointCents(g.amount);
                const QString cd = g.creditDebit.trimmed();
                if (!cents || *cents < 0 || (cd != QLatin1String("CRDT") && cd != QLatin1String("DBIT"))) {
                    refuse(QStringLiteral("importo non valido: \"%1 %2\"").arg(g.amount.trimmed(), cd));
                    continue;
                }
                const auto booking = BankText::parseDate(g.booking);
                if (!booking) {
                    refuse(QStringLiteral("data non valida: \"%1\"").arg(g.booking.trimmed()));
                    continue;
                }
                BankRow row;
                row.line = g.line;
                row.booking = *booking;
                row.value = BankText::parseDate(g.value).value_or(*booking);
                row.cents = cd == QLatin1String("DBIT") ? -*cents : *cents;
                row.reference = g.reference.trimmed();
                row.description = g.additional.simplified();
                row.extended = g.remittance.simplified();
                row.counterparty = (cd == QLatin1String("DBIT") ? g.creditor : g.debtor).simplified();
                out.rows.append(row);
            } else if (name == QLatin1String("Bal") && inBalance) {
                inBalance = false;
                const auto cents = BankText::parsePointCents(g.amount);
                const auto date = BankText::parseDate(g.balanceDate);
                const QString type = g.balanceType.trimmed();
                if (type != QLatin1String("OPBD") && type != QLatin1String("CLBD"))
                    continue;
                if (!cents || !date || g.currency.trimmed() != QLatin1String("EUR")) {
                    out.refused.append({g.line, QStringLiteral("saldo non leggibile o non in euro")});
                    continue;
                }
                const BankBalance b{*date, g.creditDebit.trimmed() == QLatin1String("DBIT") ? -*cents : *cents};
                (type == QLatin1String("OPBD") ? out.opening : out.closing) = b;
            }
        }
    }
    if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
        out = BankStatement();
        out.error = QStringLiteral("Riga %1: il file XML non è leggibile (%2).").arg(xml.lineNumber()).arg(xml.errorString());
        return out;
    }
    if (xml.hasError()) {
        out = BankStatement();
        out.error = QStringLiteral("Riga %1: il file XML si interrompe prima della fine.").arg(xml.lineNumber());
        return out;
    }
    if (!sawStatement)
        out.error = QStringLiteral("Il file XML non è un estratto conto (camt.053).");
    return out;
}

} // namespace BankReaders
