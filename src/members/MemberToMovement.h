#pragma once

struct TSchedaMovimento;
struct TSchedaSocio;

// What a member picked in the member search gives a movement card: the payer's
// or the beneficiary's fields. Every other field of the movement stays as it is.
namespace MemberToMovement {

// Pagatore, RecapitoPag, CodFisc, PartitaIva, Categoria (the card number) and Email.
void asPayer(const TSchedaSocio &member, TSchedaMovimento &movement);

// Beneficiario and RecapitoBen.
void asBeneficiary(const TSchedaSocio &member, TSchedaMovimento &movement);

} // namespace MemberToMovement
