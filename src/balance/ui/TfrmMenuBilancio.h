#pragma once

#include "common/ui/Screens.h"

// Not yet built: the screen exists with its caption; closing it returns to the start menu.
class TfrmMenuBilancio : public PanelScreen
{
    Q_OBJECT
public:
    explicit TfrmMenuBilancio(QWidget *parent = nullptr);
};
