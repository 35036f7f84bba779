#include "TfrmMenuBilancio.h"

TfrmMenuBilancio::TfrmMenuBilancio(QWidget *parent)
    : PanelScreen(QStringLiteral(" Quintara - Primanota e Bilancio"), QSize(995, 692), parent)
{
}
