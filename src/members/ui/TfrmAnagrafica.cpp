#include "TfrmAnagrafica.h"

// Provisional body: the card screen is being built on its own branch.
TfrmAnagrafica::TfrmAnagrafica(QWidget *parent)
    : PanelScreen(QStringLiteral(" Quintara - Archivio Soci"), QSize(995, 692), parent)
{
}

void TfrmAnagrafica::loadRecord(qint64, const TSchedaSocio &) {}
TSchedaSocio TfrmAnagrafica::recordFromCard() const { return {}; }
QImage TfrmAnagrafica::photo() const { return {}; }
void TfrmAnagrafica::setPhoto(const QImage &) {}
void TfrmAnagrafica::clearPhoto() {}
QString TfrmAnagrafica::position() const { return {}; }
