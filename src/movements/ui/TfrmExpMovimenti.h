#pragma once

#include "output/ui/ExportScreen.h"

// A year's movements in a grid, one row a card in file order, exported as shown
// to "Movimenti.xls". Typing in the grid never changes the year's file.
class TfrmExpMovimenti : public ExportScreen
{
    Q_OBJECT
public:
    explicit TfrmExpMovimenti(QWidget *parent = nullptr);

    // The year file the movement card works on; read each time the window is shown.
    void setYearFile(const QString &path);
};
