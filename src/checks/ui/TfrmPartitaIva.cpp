#include "TfrmPartitaIva.h"

#include <QPushButton>

TfrmPartitaIva::TfrmPartitaIva(QWidget *parent)
    : FixedDialog(QStringLiteral(" Controllo partita IVA"), QSize(420, 200), parent)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(300, 150, 100, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmPartitaIva::setInput(const QString &) {}
