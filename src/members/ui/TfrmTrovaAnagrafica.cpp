#include "TfrmTrovaAnagrafica.h"

#include "MemberChoice.h"
#include "common/TSchedaSocio.h"
#include "members/MemberSearch.h"

#include <QLabel>

namespace {

// The criteria edits in the order of the Enter cycle, with their member field.
const QList<SearchScreen::Field<TSchedaSocio>> &criteria()
{
    using S = TSchedaSocio;
    static const QList<SearchScreen::Field<TSchedaSocio>> table = {
        {{"txtDipendente", "lblDipendente", QStringLiteral("Cognome e nome Socio:"), "effCampo01"}, &S::Dipendente},
        {{"txtCittadinanza", "lblCittadinanza", QStringLiteral("Tessera n."), "effCampo02"}, &S::Cittadinanza},
        {{"txtLuogo", "lblLuogo", QStringLiteral("Luogo di nascita:"), "effCampo09"}, &S::Luogo},
        {{"txtDataNasc", "lblDataNasc", QStringLiteral("Data di nascita (gg/mm/aaaa):"), "effCampo10"}, &S::DataNasc},
        {{"txtCodFisc", "lblCodFisc", QStringLiteral("Codice fiscale:"), "effCampo05"}, &S::CodFisc},
        {{"txtPartitaIva", "lblPartitaIva", QStringLiteral("Partita IVA:"), "effCampo06"}, &S::PartitaIva},
        {{"txtCitta", "lblCitta", QStringLiteral("Città di residenza:"), "effCampo07"}, &S::Citta},
        {{"txtQualifiche", "lblQualifiche", QStringLiteral("Qualifiche:"), "effCampo08"}, &S::Qualifiche},
        {{"txtFamiliari", "lblFamiliari", QStringLiteral("Incarico ricoperto:"), "effCampo03"}, &S::Familiari},
        {{"txtNote", "lblNote", QStringLiteral("Note:"), "effCampo04"}, &S::Note},
    };
    return table;
}

} // namespace

TfrmTrovaAnagrafica::TfrmTrovaAnagrafica(QWidget *parent)
    : SearchScreen({QStringLiteral(" Trova Soci in archivio"), "banner_trova_soci", edits(criteria()),
                    QStringLiteral("Riepilogo Soci in archivio")},
                   parent)
{
}

ListScan TfrmTrovaAnagrafica::search(const QStringList &texts) const
{
    return MemberSearch::run(SearchScreen::typed(criteria(), texts));
}

std::optional<StoredMember> TfrmTrovaAnagrafica::choose(QWidget *owner, Mode mode)
{
    return runDialog<TfrmTrovaAnagrafica>(
        owner, [mode](TfrmTrovaAnagrafica &d) { d.setMode(mode); },
        [](const TfrmTrovaAnagrafica &d) { return d.chosen(); });
}

void TfrmTrovaAnagrafica::setMode(Mode mode)
{
    m_mode = mode;
    memory()->setText(modeText(mode));
}

QString TfrmTrovaAnagrafica::modeText(Mode mode)
{
    switch (mode) {
    case Mode::MemberCard:
        return QStringLiteral("anagrafica");
    case Mode::MovementPayer:
        return QStringLiteral("movimenti_pagatore");
    case Mode::MovementBeneficiary:
        return QStringLiteral("movimenti_beneficiario");
    }
    return {};
}

void TfrmTrovaAnagrafica::rowChosen(qint64 position)
{
    m_chosen = MemberChoice::read(this, position);
    if (m_chosen)
        Q_EMIT memberChosen(*m_chosen);
}
