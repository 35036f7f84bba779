#pragma once

#include "common/ui/Screens.h"

// Not yet built: the window exists with its caption and closes with "Chiudi".
class TfrmIban : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmIban(QWidget *parent = nullptr);

    // Puts the code to check into txtIban.
    void setInput(const QString &code);
};
