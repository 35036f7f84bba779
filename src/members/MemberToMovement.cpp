#include "MemberToMovement.h"

#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"
#include "common/TextRules.h"

namespace MemberToMovement {

void asPayer(const TSchedaSocio &member, TSchedaMovimento &movement)
{
    movement.Pagatore = TextRules::trim(member.Dipendente);
    movement.RecapitoPag = TextRules::trim(member.Recapito);
    movement.CodFisc = TextRules::trim(member.CodFisc);
    movement.PartitaIva = TextRules::trim(member.PartitaIva);
    movement.Categoria = TextRules::trim(member.Cittadinanza);
    movement.Email = TextRules::trim(member.Email);
}

void asBeneficiary(const TSchedaSocio &member, TSchedaMovimento &movement)
{
    movement.Beneficiario = TextRules::trim(member.Dipendente);
    movement.RecapitoBen = TextRules::trim(member.Recapito);
}

} // namespace MemberToMovement
