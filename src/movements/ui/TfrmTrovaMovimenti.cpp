#include "TfrmTrovaMovimenti.h"

#include "MovementChoice.h"
#include "common/TextRules.h"
#include "movements/MovementLists.h"

#include <QLabel>

namespace {

// The criteria edits in the order of the Enter cycle, with their movement field.
struct CriterionField
{
    SearchScreen::Criterion edit;
    QString TSchedaMovimento::*field;
};

const QList<CriterionField> &criteria()
{
    using M = TSchedaMovimento;
    static const QList<CriterionField> table = {
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

SearchScreen::Variant variant()
{
    SearchScreen::Variant v{QStringLiteral(" Trova movimenti in archivio"), "banner_trova_movimenti", {},
                            QStringLiteral("Riepilogo movimenti in archivio")};
    for (const CriterionField &c : criteria())
        v.criteria.append(c.edit);
    return v;
}

} // namespace

TfrmTrovaMovimenti::TfrmTrovaMovimenti(QWidget *parent)
    : SearchScreen(variant(), parent)
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

ListScan TfrmTrovaMovimenti::search(const QStringList &typed) const
{
    MovementLists::Criteria wanted;
    for (qsizetype i = 0; i < typed.size(); ++i)
        wanted.append({criteria().at(i).field, typed.at(i)});
    return MovementLists::search(TextRules::trim(m_yearFile), wanted);
}

void TfrmTrovaMovimenti::rowChosen(qint64 position)
{
    if (!m_mode)
        return;
    m_chosen = MovementChoice::read(this, m_yearFile, position);
    if (m_chosen)
        Q_EMIT movementChosen(*m_chosen);
}
