#pragma once

#include "common/ui/Screens.h"

// Not yet built: the window exists with its caption and closes with "Chiudi".
class TfrmAllegaCartella : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget *parent = nullptr);
};
