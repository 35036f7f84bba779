#include "TfrmCodFisc.h"

#include <QPushButton>

TfrmCodFisc::TfrmCodFisc(QWidget *parent)
    : FixedDialog(QStringLiteral(" Controllo codice fiscale"), QSize(420, 200), parent)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(300, 150, 100, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmCodFisc::setInput(const QString &) {}
