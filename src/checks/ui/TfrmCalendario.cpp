#include "TfrmCalendario.h"

#include <QPushButton>

TfrmCalendario::TfrmCalendario(QWidget *parent)
    : FixedDialog(QStringLiteral(" Importazione data"), QSize(420, 200), parent)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(300, 150, 100, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}
