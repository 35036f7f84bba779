#include "TfrmZoom.h"

#include <QPushButton>

TfrmZoom::TfrmZoom(QWidget *parent)
    : FixedDialog(QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"), QSize(420, 200), parent)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(300, 150, 100, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmZoom::setPhoto(const QImage &) {}
