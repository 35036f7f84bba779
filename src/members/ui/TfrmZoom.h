#pragma once

#include "common/ui/Screens.h"

#include <QImage>

// Not yet built: the window exists with its caption and closes with "Chiudi".
class TfrmZoom : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget *parent = nullptr);

    // The photo to show enlarged.
    void setPhoto(const QImage &photo);
};
