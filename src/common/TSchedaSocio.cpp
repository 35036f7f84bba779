#include "TSchedaSocio.h"

namespace {

using F = RecordField<TSchedaSocio>;
using S = TSchedaSocio;

constexpr std::array<F, S::FieldCount> kFields = {{
    {"Dipendente", 50, &S::Dipendente},
    {"Cittadinanza", 50, &S::Cittadinanza},
    {"Stipendio", 12, &S::Stipendio},
    {"Luogo", 50, &S::Luogo},
    {"DataNasc", 10, &S::DataNasc},
    {"CodFisc", 16, &S::CodFisc},
    {"PartitaIva", 11, &S::PartitaIva},
    {"Indirizzo", 120, &S::Indirizzo},
    {"Citta", 50, &S::Citta},
    {"Prov", 2, &S::Prov},
    {"Cap", 10, &S::Cap},
    {"Qualifiche", 120, &S::Qualifiche},
    {"Familiari", 250, &S::Familiari},
    {"Iban", 27, &S::Iban},
    {"Note", 250, &S::Note},
    {"DataSca", 10, &S::DataSca},
    {"Preavviso", 3, &S::Preavviso},
    {"Recapito", 50, &S::Recapito},
    {"Email", 50, &S::Email},
    {"File01", 250, &S::File01},
    {"File02", 250, &S::File02},
    {"File03", 250, &S::File03},
    {"Desc01", 250, &S::Desc01},
    {"Desc02", 250, &S::Desc02},
    {"Desc03", 250, &S::Desc03},
}};

static_assert(RecordCodec::layoutSize<S>(kFields) == S::Size);

} // namespace

const std::array<F, S::FieldCount> &TSchedaSocio::fields() { return kFields; }
