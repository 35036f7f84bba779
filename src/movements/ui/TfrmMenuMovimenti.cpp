#include "TfrmMenuMovimenti.h"

TfrmMenuMovimenti::TfrmMenuMovimenti(QWidget *parent)
    : PanelScreen(QStringLiteral(" Quintara - Registrazione movimenti"), QSize(995, 692), parent)
{
}
