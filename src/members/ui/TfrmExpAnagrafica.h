#pragma once

#include "output/ui/ExportScreen.h"

// The member archive in a grid, one row a card in file order, exported as shown
// to "Soci.xls". Typing in the grid never changes the archive.
class TfrmExpAnagrafica : public ExportScreen
{
    Q_OBJECT
public:
    explicit TfrmExpAnagrafica(QWidget *parent = nullptr);
};
