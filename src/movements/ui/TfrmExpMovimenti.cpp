#include "TfrmExpMovimenti.h"

#include "common/TextRules.h"
#include "movements/MovementExport.h"
#include "movements/MovementYear.h"

namespace {

QList<ExportScreen::GridColumn> gridColumns()
{
    QList<ExportScreen::GridColumn> out;
    for (const MovementExport::Column &c : MovementExport::columns())
        out.append({QString::fromLatin1(c.name), c.gridHeader, c.gridWidth, c.editable});
    return out;
}

} // namespace

TfrmExpMovimenti::TfrmExpMovimenti(QWidget *parent)
    : ExportScreen(QStringLiteral(" Esporta archivio movimenti in Microsoft Excel"),
                   QStringLiteral("banner_export_movimenti"), gridColumns(), parent)
{
}

void TfrmExpMovimenti::loadRecords()
{
    resetRows(0);
    const QString path = TextRules::trim(m_yearFile);
    if (path.isEmpty())
        return;
    // A card that cannot be read ends the loading silently: what was read stays,
    // the rest of the rows stay empty.
    (void)MovementYear(path).readAll([this](qint64 count) { resetRows(int(count)); },
                                     [this](const StoredMovement &m) {
                                         setRow(int(m.position - 1), QStringList{QString::number(m.position)} +
                                                                         MovementExport::cells(m.record));
                                     });
}

ExportDescription TfrmExpMovimenti::description(const QList<QStringList> &rows) const
{
    return MovementExport::description(rows);
}

HelpPage TfrmExpMovimenti::helpPage() const { return HelpPage::MovementExport; }
