#include "TfrmMovimenti.h"

TfrmMovimenti::TfrmMovimenti(QWidget *parent)
    : PanelScreen(QStringLiteral(" Quintara - Registrazione movimenti"), QSize(995, 692), parent)
{
}
