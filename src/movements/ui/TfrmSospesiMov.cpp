#include "TfrmSospesiMov.h"

#include "MovementChoice.h"
#include "common/Platform.h"
#include "common/TextRules.h"
#include "movements/MovementLists.h"

TfrmSospesiMov::TfrmSospesiMov(QWidget *parent)
    : RecordListScreen({QStringLiteral(" Riepilogo pagamenti in scadenza o scaduti"), "banner_sospesi_mov",
                        QStringLiteral("Riepilogo pagamenti in scadenza o scaduti e non saldati"),
                        QStringLiteral("l'archivio dei movimenti")},
                       parent)
{
}

std::optional<StoredMovement> TfrmSospesiMov::choose(QWidget *owner, const QString &yearFile)
{
    return runDialog<TfrmSospesiMov>(
        owner, [&yearFile](TfrmSospesiMov &d) { d.setYearFile(yearFile); },
        [](const TfrmSospesiMov &d) { return d.chosen(); });
}

ListScan TfrmSospesiMov::scan() const
{
    const QString path = TextRules::trim(m_yearFile);
    if (path.isEmpty())
        return {};
    return MovementLists::paymentsDue(path, Platform::clock().today());
}

void TfrmSospesiMov::rowChosen(qint64 position)
{
    m_chosen = MovementChoice::read(this, m_yearFile, position);
    if (m_chosen)
        Q_EMIT movementChosen(*m_chosen);
}
