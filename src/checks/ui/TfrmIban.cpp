#include "TfrmIban.h"

#include <QPushButton>

TfrmIban::TfrmIban(QWidget *parent)
    : FixedDialog(QStringLiteral(" Controllo IBAN"), QSize(420, 200), parent)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(300, 150, 100, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmIban::setInput(const QString &) {}
