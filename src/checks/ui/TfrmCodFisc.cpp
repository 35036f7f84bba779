#include "TfrmCodFisc.h"

#include "checks/TaxCodeCheck.h"

TfrmCodFisc::TfrmCodFisc(QWidget *parent)
    : CheckWindow({.caption = QStringLiteral(" Controllo codice fiscale"),
                   .client = {478, 254},
                   .panel = {453, 222},
                   .top = QColor(0x00, 0x80, 0x00),
                   .containerStyle = QStringLiteral("background: #F3F1F1;"),
                   .banner = "banner_codfisc",
                   .bannerHeight = 73,
                   .titleY = 95,
                   .title = QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
                   .editName = "txtCodFisc",
                   .editWidth = 233,
                   .maxLength = 16,
                   .closeX = 170,
                   .frameOutline = {}},
                  parent)
{
    keepTrimmedUpper();
}

CheckOutcome TfrmCodFisc::check(const QString &text) const { return TaxCodeCheck::check(text); }
