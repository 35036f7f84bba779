#pragma once

#include "CheckWindow.h"

// "Controllo IBAN": tells whether an IBAN of 27 characters passes the MOD 97-10 check.
class TfrmIban : public CheckWindow
{
    Q_OBJECT
public:
    explicit TfrmIban(QWidget *parent = nullptr);

protected:
    CheckOutcome check(const QString &text) const override;
};
