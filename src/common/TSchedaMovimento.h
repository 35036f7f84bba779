#pragma once

#include "RecordCodec.h"

#include <array>

// One movement card of a year's register: 28 text fields, 3414 bytes.
// Entrata, Uscita and Saldato hold "Sì" or "No"; Totale is the signed amount.
struct TSchedaMovimento
{
    QString Entrata, Uscita, Data, Causale, Promemoria, DataSca, Preavviso, Importo, Totale, Pagatore,
        RecapitoPag, CodFisc, PartitaIva, Categoria, Email, Pagamento, Beneficiario, RecapitoBen, Ricevuta,
        Note, Tariffa, Saldato, File01, File02, File03, Desc01, Desc02, Desc03;

    static constexpr int Size = 3414;
    static constexpr int FieldCount = 28;
    static const std::array<RecordField<TSchedaMovimento>, FieldCount> &fields();

    bool operator==(const TSchedaMovimento &) const = default;
};

// The two texts of the yes/no fields.
inline const QString kYes = QStringLiteral("Sì");
inline const QString kNo = QStringLiteral("No");
