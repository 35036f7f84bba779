#pragma once

#include "CheckWindow.h"

// "Controllo codice fiscale": tells whether a tax code is well formed.
class TfrmCodFisc : public CheckWindow
{
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget *parent = nullptr);

protected:
    CheckOutcome check(const QString &text) const override;
};
