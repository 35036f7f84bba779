#include "MovementExport.h"

#include "common/TextRules.h"

namespace MovementExport {

namespace {

// The type is told by Entrata alone: a record holding neither "Sì" nor "No"
// there has no type.
QString type(const TSchedaMovimento &r)
{
    const QString entrata = TextRules::trim(r.Entrata);
    if (entrata == kYes)
        return QStringLiteral("Entrata");
    if (entrata == kNo)
        return QStringLiteral("Uscita");
    return {};
}

template <QString TSchedaMovimento::*field>
QString text(const TSchedaMovimento &r)
{
    return r.*field;
}

} // namespace

const QList<Column> &columns()
{
    using M = TSchedaMovimento;
    static const QList<Column> table = {
        {"colNum", QStringLiteral("N."), 60, false, QString(), 0, nullptr},
        {"colTipo", QStringLiteral("Tipo movimento"), 150, false, QStringLiteral("Tipo movimento"), 150, type},
        {"colData", QStringLiteral("Data operazione"), 150, false, QStringLiteral("Data operazione"), 180, text<&M::Data>},
        {"colCausale", QStringLiteral("Causale"), 300, false, QStringLiteral("Causale"), 300, text<&M::Causale>},
        {"colPromemoria", QStringLiteral("Promemoria"), 300, false, QStringLiteral("Promemoria"), 300,
         text<&M::Promemoria>},
        {"colDataSca", QStringLiteral("Data scadenza"), 150, false, QStringLiteral("Data scadenza"), 180,
         text<&M::DataSca>},
        {"colPreavviso", QStringLiteral("Giorni preavviso"), 120, false, QStringLiteral("Giorni preavviso"), 150,
         text<&M::Preavviso>},
        {"colTotale", QStringLiteral("Importo in euro"), 150, false, QStringLiteral("Importo in euro"), 150,
         text<&M::Totale>},
        {"colPagatore", QStringLiteral("Pagatore"), 250, false, QStringLiteral("Pagatore"), 250, text<&M::Pagatore>},
        {"colRecapitoPag", QStringLiteral("Recapito"), 250, false, QStringLiteral("Recapito"), 250,
         text<&M::RecapitoPag>},
        {"colCodFisc", QStringLiteral("Codice fiscale"), 200, false, QStringLiteral("Codice fiscale"), 200,
         text<&M::CodFisc>},
        {"colPartitaIva", QStringLiteral("Partita IVA"), 180, false, QStringLiteral("Partita IVA"), 180,
         text<&M::PartitaIva>},
        {"colCategoria", QStringLiteral("Tessera n."), 200, false, QStringLiteral("Tessera n."), 200,
         text<&M::Categoria>},
        {"colEmail", QStringLiteral("E-mail"), 200, false, QStringLiteral("E-mail"), 250, text<&M::Email>},
        {"colPagamento", QStringLiteral("Modalità pagamento"), 250, false, QStringLiteral("Modalità pagamento"), 250,
         text<&M::Pagamento>},
        {"colBeneficiario", QStringLiteral("Beneficiario"), 250, false, QStringLiteral("Beneficiario"), 250,
         text<&M::Beneficiario>},
        {"colRecapitoBen", QStringLiteral("Recapito"), 250, false, QStringLiteral("Recapito"), 250,
         text<&M::RecapitoBen>},
        {"colRicevuta", QStringLiteral("CRO o Ricevuta n."), 250, false, QStringLiteral("CRO o Ricevuta n."), 250,
         text<&M::Ricevuta>},
        {"colNote", QStringLiteral("Note"), 300, true, QStringLiteral("Note"), 300, text<&M::Note>},
        {"colTariffa", QStringLiteral("Tariffa applicata"), 250, false, QStringLiteral("Tariffa applicata"), 250,
         text<&M::Tariffa>},
        {"colSaldato", QStringLiteral("Saldato"), 100, true, QStringLiteral("Saldato"), 120, text<&M::Saldato>},
    };
    return table;
}

QStringList cells(const TSchedaMovimento &record)
{
    QStringList out;
    out.reserve(20);
    for (const Column &c : columns())
        if (c.value)
            out.append(TextRules::trim(c.value(record)));
    return out;
}

ExportDescription description(const QList<QStringList> &rows)
{
    ExportDescription d;
    d.fileName = QStringLiteral("Movimenti.xls");
    d.sheetName = QStringLiteral("Riepilogo annuale movimenti");
    for (const Column &c : columns())
        if (c.value)
            d.columns.append({c.exportHeader, c.exportWidth});
    d.rows = rows;
    return d;
}

} // namespace MovementExport
