#pragma once

#include "common/ui/Screens.h"

// Not yet built: the window exists with its caption and closes with "Chiudi".
class TfrmPartitaIva : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget *parent = nullptr);

    // Puts the code to check into txtPartitaIva.
    void setInput(const QString &code);
};
