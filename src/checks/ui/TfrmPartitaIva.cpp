#include "TfrmPartitaIva.h"

#include "checks/VatNumberCheck.h"
#include "common/ui/FieldEdit.h"

TfrmPartitaIva::TfrmPartitaIva(QWidget *parent)
    : CheckWindow({.caption = QStringLiteral(" Controllo partita IVA"),
                   .client = {480, 254},
                   .panel = {453, 222},
                   .top = QColor(0x46, 0x82, 0xB4),
                   .containerStyle = QStringLiteral("background: #ffffff; border: 1px solid #FFE4C4;"),
                   .banner = "banner_partitaiva",
                   .bannerHeight = 73,
                   .titleY = 95,
                   .title = QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
                   .editName = "txtPartitaIva",
                   .editWidth = 233,
                   .maxLength = 11,
                   .closeX = 170,
                   .frameOutline = QStringLiteral("#ffffff")},
                  parent)
{
    // Only digits can be typed; text handed over by a card is checked as it is.
    entry()->setAllowedCharacters(QStringLiteral("0123456789"));
}

CheckOutcome TfrmPartitaIva::check(const QString &text) const { return VatNumberCheck::check(text); }
