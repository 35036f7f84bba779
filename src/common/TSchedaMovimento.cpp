#include "TSchedaMovimento.h"

namespace {

using F = RecordField<TSchedaMovimento>;
using M = TSchedaMovimento;

constexpr std::array<F, M::FieldCount> kFields = {{
    {"Entrata", 2, &M::Entrata},
    {"Uscita", 2, &M::Uscita},
    {"Data", 10, &M::Data},
    {"Causale", 250, &M::Causale},
    {"Promemoria", 250, &M::Promemoria},
    {"DataSca", 10, &M::DataSca},
    {"Preavviso", 3, &M::Preavviso},
    {"Importo", 15, &M::Importo},
    {"Totale", 15, &M::Totale},
    {"Pagatore", 50, &M::Pagatore},
    {"RecapitoPag", 50, &M::RecapitoPag},
    {"CodFisc", 16, &M::CodFisc},
    {"PartitaIva", 11, &M::PartitaIva},
    {"Categoria", 50, &M::Categoria},
    {"Email", 50, &M::Email},
    {"Pagamento", 250, &M::Pagamento},
    {"Beneficiario", 50, &M::Beneficiario},
    {"RecapitoBen", 50, &M::RecapitoBen},
    {"Ricevuta", 250, &M::Ricevuta},
    {"Note", 250, &M::Note},
    {"Tariffa", 250, &M::Tariffa},
    {"Saldato", 2, &M::Saldato},
    {"File01", 250, &M::File01},
    {"File02", 250, &M::File02},
    {"File03", 250, &M::File03},
    {"Desc01", 250, &M::Desc01},
    {"Desc02", 250, &M::Desc02},
    {"Desc03", 250, &M::Desc03},
}};

static_assert(RecordCodec::layoutSize<M>(kFields) == M::Size);

} // namespace

const std::array<F, M::FieldCount> &TSchedaMovimento::fields() { return kFields; }
