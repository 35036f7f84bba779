#include "TfrmExpAnagrafica.h"

#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"
#include "common/ui/UiPlatform.h"
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
    RecordFile<TSchedaSocio> file;
    if (!file.open(ArchivePaths::members(), RecordFile<TSchedaSocio>::Access::Read))
        return;
    const qint64 count = file.count();
    if (count < 0) {
        file.close();
        return;
    }
    resetRows(int(count));
    // A record that cannot be read ends the loading: what was read stays, the
    // rest of the rows stay empty.
    for (qint64 p = 1; p <= count; ++p) {
        TSchedaSocio record;
        if (!file.readNext(record))
            break;
        setRow(int(p - 1), QStringList{QString::number(p)} + MemberExport::cells(record));
    }
    file.close();
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
