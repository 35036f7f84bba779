#include "TfrmBilancio.h"

#include <QPushButton>

TfrmBilancio::TfrmBilancio(QWidget *parent)
    : FixedDialog(QStringLiteral(" Quintara - Primanota e Bilancio"), QSize(420, 200), parent)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(300, 150, 100, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}
