#include "TfrmElencoRicevute.h"

#include "common/CardRules.h"
#include "common/Platform.h"
#include "common/ui/ListScreen.h"
#include "common/EnteData.h"
#include "common/TextRules.h"
#include "common/ui/UiPlatform.h"
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

void TfrmElencoRicevute::setYearFile(const QString &path)
{
    m_yearFile = path;
    // Without the association's data the title still names the year.
    const auto ente = EnteData::load(Platform::folder().path());
    listScreen()->setPrint(ReceiptList::printTitle(TextRules::trim(path), ente ? ente->denominazione : QString()),
                           QPageLayout::Portrait);
}

ListScan TfrmElencoRicevute::scan() const
{
    const QString path = TextRules::trim(m_yearFile);
    if (path.isEmpty())
        return {};
    return ReceiptList::scan(path);
}

void TfrmElencoRicevute::rowChosen(qint64 position)
{
    m_chosen = MovementYear(TextRules::trim(m_yearFile)).read(position);
    if (!m_chosen)
        UiPlatform::warning(this, CardRules::chosenCardUnreadable());
}
