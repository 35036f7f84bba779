#include "TfrmElencoRicevute.h"

#include "common/TextRules.h"
#include "movements/ui/MovementChoice.h"
#include "receipts/ReceiptList.h"

TfrmElencoRicevute::TfrmElencoRicevute(QWidget *parent)
    : RecordListScreen({QStringLiteral(" Elenco ricevute"), "banner_ricevute",
                        QStringLiteral("Elenco delle ricevute"), QStringLiteral("l'archivio dei movimenti")},
                       parent)
{
}

std::optional<StoredMovement> TfrmElencoRicevute::choose(QWidget *owner, const QString &yearFile)
{
    return runDialog<TfrmElencoRicevute>(
        owner, [&yearFile](TfrmElencoRicevute &d) { d.setYearFile(yearFile); },
        [](const TfrmElencoRicevute &d) { return d.chosen(); });
}

ListScan TfrmElencoRicevute::scan() const
{
    const QString path = TextRules::trim(m_yearFile);
    if (path.isEmpty())
        return {};
    return ReceiptList::scan(path);
}

void TfrmElencoRicevute::rowChosen(qint64 position) { m_chosen = MovementChoice::read(this, m_yearFile, position); }
