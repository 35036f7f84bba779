#include "MemberExport.h"

namespace MemberExport {

namespace {

ExportSheet makeSheet()
{
    using S = TSchedaSocio;
    return ExportSheet::of<S>(QStringLiteral("Soci.xls"), QStringLiteral("Riepilogo Soci"), {
        {"colNum", QStringLiteral("N."), 60, false, QString(), 0, nullptr},
        {"colDipendente", QStringLiteral("Cognome e nome"), 250, false, QStringLiteral("Cognome e nome"), 250, &S::Dipendente},
        {"colCittadinanza", QStringLiteral("Tessera n."), 180, false, QStringLiteral("Tessera n."), 200, &S::Cittadinanza},
        {"colStipendio", QStringLiteral("Quota associativa"), 150, true, QStringLiteral("Quota associativa"), 200, &S::Stipendio,
         nullptr, ExportColumn::Kind::Amount},
        {"colLuogo", QStringLiteral("Luogo di nascita"), 250, false, QStringLiteral("Luogo di nascita"), 250, &S::Luogo},
        {"colDataNasc", QStringLiteral("Data di nascita"), 180, true, QStringLiteral("Data di nascita"), 200, &S::DataNasc,
         nullptr, ExportColumn::Kind::Date},
        {"colCodFisc", QStringLiteral("Codice fiscale"), 180, true, QStringLiteral("Codice fiscale"), 200, &S::CodFisc},
        {"colPartitaIva", QStringLiteral("Partita IVA"), 150, false, QStringLiteral("Partita IVA"), 180, &S::PartitaIva},
        {"colIndirizzo", QStringLiteral("Indirizzo di residenza"), 250, false, QStringLiteral("Indirizzo di residenza"), 250, &S::Indirizzo},
        {"colCitta", QStringLiteral("Città"), 250, false, QStringLiteral("Città"), 250, &S::Citta},
        {"colProv", QStringLiteral("Prov."), 100, false, QStringLiteral("Prov."), 150, &S::Prov},
        {"colCap", QStringLiteral("CAP"), 120, true, QStringLiteral("CAP"), 150, &S::Cap},
        {"colQualifiche", QStringLiteral("Qualifiche"), 300, false, QStringLiteral("Qualifiche"), 300, &S::Qualifiche},
        {"colFamiliari", QStringLiteral("Incarico ricoperto"), 250, false, QStringLiteral("Incarico ricoperto"), 250, &S::Familiari},
        {"colIban", QStringLiteral("IBAN"), 200, true, QStringLiteral("IBAN"), 250, &S::Iban},
        {"colNote", QStringLiteral("Note"), 350, false, QStringLiteral("Note"), 400, &S::Note},
        {"colDataSca", QStringLiteral("Scadenza abbonamento"), 150, true, QStringLiteral("Scadenza abbonamento"), 200, &S::DataSca,
         nullptr, ExportColumn::Kind::Date},
        {"colRecapito", QStringLiteral("Recapito telefonico"), 180, false, QStringLiteral("Recapito telefonico"), 200, &S::Recapito},
        {"colEmail", QStringLiteral("E-mail"), 250, true, QStringLiteral("E-mail"), 250, &S::Email},
    });
}

} // namespace

const ExportSheet &sheet()
{
    static const ExportSheet s = makeSheet();
    return s;
}

int columnIndex(const QString &name)
{
    return sheet().columnIndex(name);
}

} // namespace MemberExport
