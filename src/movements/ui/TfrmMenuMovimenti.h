#pragma once

#include "common/ui/Screens.h"

// Not yet built: the screen exists with its caption; closing it returns to the start menu.
class TfrmMenuMovimenti : public PanelScreen
{
    Q_OBJECT
public:
    explicit TfrmMenuMovimenti(QWidget *parent = nullptr);
};
