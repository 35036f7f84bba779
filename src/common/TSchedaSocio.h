#pragma once

#include "RecordCodec.h"

#include <array>

// One member card as stored in the member archive: 25 text fields, 2666 bytes.
// Field names follow the card's controls: Cittadinanza holds the card number,
// Stipendio the fee and Familiari the office held in the association.
struct TSchedaSocio
{
    QString Dipendente, Cittadinanza, Stipendio, Luogo, DataNasc, CodFisc, PartitaIva, Indirizzo, Citta,
        Prov, Cap, Qualifiche, Familiari, Iban, Note, DataSca, Preavviso, Recapito, Email, File01, File02,
        File03, Desc01, Desc02, Desc03;

    static constexpr int Size = 2666;
    static constexpr int FieldCount = 25;
    static const std::array<RecordField<TSchedaSocio>, FieldCount> &fields();

    bool operator==(const TSchedaSocio &) const = default;
};
