#include "TfrmTrovaMovimenti.h"

#include <QPushButton>

TfrmTrovaMovimenti::TfrmTrovaMovimenti(QWidget *parent)
    : FixedDialog(QStringLiteral(" Trova movimenti in archivio"), QSize(420, 200), parent)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(300, 150, 100, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}
