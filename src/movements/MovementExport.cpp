#include "MovementExport.h"

namespace MovementExport {

namespace {

// The type is told by Entrata alone, as stored (trimmed, Windows-1252): a
// record holding neither "Sì" nor "No" there has no type.
QByteArrayView type(QByteArrayView entrata)
{
    if (entrata == QByteArrayView("S\xec"))
        return "Entrata";
    if (entrata == QByteArrayView("No"))
        return "Uscita";
    return {};
}

ExportSheet makeSheet()
{
    using M = TSchedaMovimento;
    return ExportSheet::of<M>(QStringLiteral("Movimenti.xls"), QStringLiteral("Riepilogo annuale movimenti"), {
        {"colNum", QStringLiteral("N."), 60, false, QString(), 0, nullptr},
        {"colTipo", QStringLiteral("Tipo movimento"), 150, false, QStringLiteral("Tipo movimento"), 150, &M::Entrata,
         type},
        {"colData", QStringLiteral("Data operazione"), 150, false, QStringLiteral("Data operazione"), 180, &M::Data,
         nullptr, ExportColumn::Kind::Date},
        {"colCausale", QStringLiteral("Causale"), 300, false, QStringLiteral("Causale"), 300, &M::Causale},
        {"colPromemoria", QStringLiteral("Promemoria"), 300, false, QStringLiteral("Promemoria"), 300,
         &M::Promemoria},
        {"colDataSca", QStringLiteral("Data scadenza"), 150, false, QStringLiteral("Data scadenza"), 180, &M::DataSca,
         nullptr, ExportColumn::Kind::Date},
        {"colPreavviso", QStringLiteral("Giorni preavviso"), 120, false, QStringLiteral("Giorni preavviso"), 150,
         &M::Preavviso},
        {"colTotale", QStringLiteral("Importo in euro"), 150, false, QStringLiteral("Importo in euro"), 150,
         &M::Totale, nullptr, ExportColumn::Kind::Amount},
        {"colPagatore", QStringLiteral("Pagatore"), 250, false, QStringLiteral("Pagatore"), 250, &M::Pagatore},
        {"colRecapitoPag", QStringLiteral("Recapito"), 250, false, QStringLiteral("Recapito"), 250, &M::RecapitoPag},
        {"colCodFisc", QStringLiteral("Codice fiscale"), 200, false, QStringLiteral("Codice fiscale"), 200,
         &M::CodFisc},
        {"colPartitaIva", QStringLiteral("Partita IVA"), 180, false, QStringLiteral("Partita IVA"), 180,
         &M::PartitaIva},
        {"colCategoria", QStringLiteral("Tessera n."), 200, false, QStringLiteral("Tessera n."), 200, &M::Categoria},
        {"colEmail", QStringLiteral("E-mail"), 200, false, QStringLiteral("E-mail"), 250, &M::Email},
        {"colPagamento", QStringLiteral("Modalità pagamento"), 250, false, QStringLiteral("Modalità pagamento"), 250,
         &M::Pagamento},
        {"colBeneficiario", QStringLiteral("Beneficiario"), 250, false, QStringLiteral("Beneficiario"), 250,
         &M::Beneficiario},
        {"colRecapitoBen", QStringLiteral("Recapito"), 250, false, QStringLiteral("Recapito"), 250, &M::RecapitoBen},
        {"colRicevuta", QStringLiteral("CRO o Ricevuta n."), 250, false, QStringLiteral("CRO o Ricevuta n."), 250,
         &M::Ricevuta},
        {"colNote", QStringLiteral("Note"), 300, true, QStringLiteral("Note"), 300, &M::Note},
        {"colTariffa", QStringLiteral("Tariffa applicata"), 250, false, QStringLiteral("Tariffa applicata"), 250,
         &M::Tariffa},
        {"colSaldato", QStringLiteral("Saldato"), 100, true, QStringLiteral("Saldato"), 120, &M::Saldato},
    });
}

} // namespace

const ExportSheet &sheet()
{
    static const ExportSheet s = makeSheet();
    return s;
}

int columnIndex(const QString &name) { return sheet().columnIndex(name); }

} // namespace MovementExport
