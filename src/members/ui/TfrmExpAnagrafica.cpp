#include "TfrmExpAnagrafica.h"

#include "common/ui/UiPlatform.h"
#include "members/MemberArchive.h"
#include "members/MemberExport.h"

namespace {

QList<ExportScreen::GridColumn> gridColumns()
{
    QList<ExportScreen::GridColumn> out;
    for (const MemberExport::Column &c : MemberExport::columns())
        out.append({QString::fromLatin1(c.name), c.gridHeader, c.gridWidth, c.editable});
    return out;
}

} // namespace

TfrmExpAnagrafica::TfrmExpAnagrafica(QWidget *parent)
    : ExportScreen(QStringLiteral(" Esporta archivio Soci in Microsoft Excel"), QStringLiteral("banner_export_soci"),
                   gridColumns(), parent)
{
}

void TfrmExpAnagrafica::loadRecords()
{
    resetRows(0);
    // A card that cannot be read ends the loading silently: what was read stays,
    // the rest of the rows stay empty.
    (void)MemberArchive().readAll([this](qint64 count) { resetRows(int(count)); },
                                  [this](const StoredMember &m) {
                                      setRow(int(m.position - 1),
                                             QStringList{QString::number(m.position)} + MemberExport::cells(m.record));
                                  });
}

ExportDescription TfrmExpAnagrafica::description(const QList<QStringList> &rows) const
{
    return MemberExport::description(rows);
}

QString TfrmExpAnagrafica::helpTitle() const
{
    return QStringLiteral("Esportazione archivio Soci in Microsoft Excel.");
}

QString TfrmExpAnagrafica::helpBody() const
{
    return QStringLiteral("Questa funzione trasferisce le schede dei soci in un foglio di lavoro di Microsoft "
                          "Excel, che si può aprire con qualunque programma in grado di leggere i file XLS, per "
                          "esempio Open Office, Libre Office o Microsoft Office.")
           + UiPlatform::kCrLfCrLf
           + QStringLiteral("Aperta la finestra con la griglia dei dati, fare clic sull'icona di Excel: il file "
                            "XLS con le schede dell'archivio viene creato subito e, rispondendo sì alla domanda "
                            "che segue, si apre immediatamente.")
           + UiPlatform::kCrLfCrLf
           + QStringLiteral("A questo punto basta salvare il file sul disco con il nome che si preferisce.");
}
