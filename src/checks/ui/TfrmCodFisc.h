#pragma once

#include "common/ui/Screens.h"

// Not yet built: the window exists with its caption and closes with "Chiudi".
class TfrmCodFisc : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget *parent = nullptr);

    // Puts the code to check into txtCodFisc.
    void setInput(const QString &code);
};
