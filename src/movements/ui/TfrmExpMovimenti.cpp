#include "TfrmExpMovimenti.h"

#include "common/TextRules.h"
#include "movements/MovementExport.h"

namespace {

ExportScreen::Kind kind()
{
    ExportScreen::Kind k;
    k.caption = QStringLiteral(" Esporta archivio movimenti in Microsoft Excel");
    k.banner = QStringLiteral("banner_export_movimenti");
    k.help = HelpPage::MovementExport;
    k.sheet = MovementExport::sheet();
    return k;
}

} // namespace

TfrmExpMovimenti::TfrmExpMovimenti(QWidget *parent)
    : ExportScreen(kind(), parent)
{
}

void TfrmExpMovimenti::setYearFile(const QString &path) { setArchive(TextRules::trim(path)); }
