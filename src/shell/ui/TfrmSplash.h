#pragma once

#include "common/ui/Screens.h"

// The maker's screen, with the link to the maker's web site.
class TfrmSplash : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);
};
