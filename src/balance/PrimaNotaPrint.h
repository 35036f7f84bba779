#pragma once

#include <QString>
#include <QStringList>

// What "Stampa primanota" puts into the list template: the title with the
// reason, every row as shown, then a separator and four summary lines whose
// captions are 30 characters wide, so the values line up in the fixed-pitch font.
namespace PrimaNotaPrint {

// The texts of the screen at the moment of printing.
struct Screen
{
    QStringList rows;
    QString heading;  // titTipologia
    QString interval; // lblIntervallo
    QString income;   // lblTotEntrate
    QString expense;  // lblTotUscite
    QString balance;  // lblBilancio
};

QString title(const Screen &screen);
QStringList lines(const Screen &screen);

QString emptyListWarning();
QString question();

} // namespace PrimaNotaPrint
