#include "TfrmIban.h"

#include "checks/IbanCheck.h"

TfrmIban::TfrmIban(QWidget *parent)
    : CheckWindow({.caption = QStringLiteral(" Controllo IBAN"),
                   .client = {608, 270},
                   .panel = {577, 238},
                   .top = QColor(0x19, 0x19, 0x70),
                   .containerStyle = QStringLiteral("background: #F3F1F1;"),
                   .banner = "banner_iban",
                   .bannerHeight = 85,
                   .titleY = 111,
                   .title = QStringLiteral("Immettere l'IBAN e premere il pulsante di controllo."),
                   .editName = "txtIban",
                   .editWidth = 359,
                   .maxLength = 27,
                   .closeX = 232,
                   .frameOutline = {}},
                  parent)
{
    keepTrimmedUpper();
}

CheckOutcome TfrmIban::check(const QString &text) const { return IbanCheck::check(text); }
