#include "TfrmWebCam.h"

#include <QPushButton>

TfrmWebCam::TfrmWebCam(QWidget *parent)
    : FixedDialog(QStringLiteral(" Cattura foto con webcam"), QSize(420, 200), parent)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(300, 150, 100, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}
