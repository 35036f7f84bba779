#include "TfrmExpAnagrafica.h"

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

HelpPage TfrmExpAnagrafica::helpPage() const { return HelpPage::MemberExport; }
