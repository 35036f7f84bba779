#include "TfrmAnteprimaAna.h"

#include "output/ui/ReportOutput.h"

TfrmAnteprimaAna::TfrmAnteprimaAna(QWidget *parent)
    : MemberPrintScreen({QStringLiteral(" Anteprima di stampa"), QStringLiteral("Anteprima dati con foto."),
                         QStringLiteral("Anteprima dati senza foto."), QStringLiteral("Mostra anteprima"),
                         QStringLiteral("banner_anteprima"), QRect(24, 28, 313, 180)},
                        parent)
{
}

void TfrmAnteprimaAna::output(ReportTemplate &report) { ReportOutput::ShowReport(this, report); }
