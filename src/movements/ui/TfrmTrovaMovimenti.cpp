#include "TfrmTrovaMovimenti.h"

#include "MovementChoice.h"
#include "common/TextRules.h"
#include "movements/MovementLists.h"

#include <QLabel>

namespace {

// The criteria edits in the order of the Enter cycle, with their movement field.
const QList<SearchScreen::Field<TSchedaMovimento>> &criteria()
{
    using M = TSchedaMovimento;
    static const QList<SearchScreen::Field<TSchedaMovimento>> table = {
        {{"txtData", "lblData", QStringLiteral("Data operazione (gg/mm/aaaa):"), "effData"}, &M::Data},
        {{"txtDataSca", "lblDataSca", QStringLiteral("Data scadenza (gg/mm/aaaa):"), "effDataSca"}, &M::DataSca},
        {{"txtCausale", "lblCausale", QStringLiteral("Causale:"), "effCausale"}, &M::Causale},
        {{"txtPromemoria", "lblPromemoria", QStringLiteral("Promemoria:"), "effPromemoria"}, &M::Promemoria},
        {{"txtPagatore", "lblPagatore", QStringLiteral("Pagatore:"), "effPagatore"}, &M::Pagatore},
        {{"txtCategoria", "lblCategoria", QStringLiteral("Tessera n."), "effCategoria"}, &M::Categoria},
        {{"txtBeneficiario", "lblBeneficiario", QStringLiteral("Beneficiario:"), "effBeneficiario"}, &M::Beneficiario},
        {{"txtRicevuta", "lblRicevuta", QStringLiteral("CRO / Ricevuta n."), "effRicevuta"}, &M::Ricevuta},
        {{"txtTariffa", "lblTariffa", QStringLiteral("Tariffa applicata:"), "effTariffa"}, &M::Tariffa},
        {{"txtNote", "lblNote", QStringLiteral("Note:"), "effNote"}, &M::Note},
    };
    return table;
}

} // namespace

TfrmTrovaMovimenti::TfrmTrovaMovimenti(QWidget *parent)
    : SearchScreen({QStringLiteral(" Trova movimenti in archivio"), "banner_trova_movimenti", edits(criteria()),
                    QStringLiteral("Riepilogo movimenti in archivio")},
                   parent)
{
}

std::optional<StoredMovement> TfrmTrovaMovimenti::choose(QWidget *owner, const QString &yearFile)
{
    return runDialog<TfrmTrovaMovimenti>(
        owner,
        [&yearFile](TfrmTrovaMovimenti &d) {
            d.setMode(Mode::MovementCard);
            d.setYearFile(yearFile);
        },
        [](const TfrmTrovaMovimenti &d) { return d.chosen(); });
}

void TfrmTrovaMovimenti::setMode(Mode mode)
{
    m_mode = mode;
    memory()->setText(QStringLiteral("movimenti"));
}

ListScan TfrmTrovaMovimenti::search(const QStringList &texts) const
{
    return MovementLists::search(TextRules::trim(m_yearFile), SearchScreen::typed(criteria(), texts));
}

void TfrmTrovaMovimenti::rowChosen(qint64 position)
{
    if (!m_mode)
        return;
    m_chosen = MovementChoice::read(this, m_yearFile, position);
    if (m_chosen)
        Q_EMIT movementChosen(*m_chosen);
}
