#include "TfrmStampaAna.h"

#include "output/ui/ReportOutput.h"

TfrmStampaAna::TfrmStampaAna(QWidget *parent)
    : MemberPrintScreen({QStringLiteral(" Stampa scheda"), QStringLiteral("Stampa dati con foto."),
                         QStringLiteral("Stampa dati senza foto."), QStringLiteral("Stampa"),
                         QStringLiteral("banner_stampa"), QRect(23, 28, 315, 185)},
                        parent)
{
}

void TfrmStampaAna::output(ReportTemplate &report) { ReportOutput::Print(this, report); }
