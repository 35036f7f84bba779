#include "TfrmSospesi.h"

#include <QPushButton>

TfrmSospesi::TfrmSospesi(QWidget *parent)
    : FixedDialog(QStringLiteral(" Riepilogo Soci con abbonamenti in scadenza o scaduti"), QSize(420, 200), parent)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(300, 150, 100, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}
