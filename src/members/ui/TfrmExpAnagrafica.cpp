#include "TfrmExpAnagrafica.h"

#include "common/ArchivePaths.h"
#include "members/MemberExport.h"

namespace {

ExportScreen::Kind kind()
{
    ExportScreen::Kind k;
    k.caption = QStringLiteral(" Esporta archivio Soci in Microsoft Excel");
    k.banner = QStringLiteral("banner_export_soci");
    k.help = HelpPage::MemberExport;
    k.sheet = MemberExport::sheet();
    k.archive = ArchivePaths::members;
    return k;
}

} // namespace

TfrmExpAnagrafica::TfrmExpAnagrafica(QWidget *parent)
    : ExportScreen(kind(), parent)
{
}
