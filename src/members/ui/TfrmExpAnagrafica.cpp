#include "TfrmExpAnagrafica.h"

#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"
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

HelpPage TfrmExpAnagrafica::helpPage() const { return HelpPage::MemberExport; }
