#pragma once

#include "CheckWindow.h"

// "Controllo partita IVA": tells whether a VAT number is well formed and which
// VAT office issued it.
class TfrmPartitaIva : public CheckWindow
{
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget *parent = nullptr);

protected:
    CheckOutcome check(const QString &text) const override;
};
