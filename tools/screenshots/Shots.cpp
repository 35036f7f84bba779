#include "Shots.h"

#include "common/ArchivePaths.h"
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"

std::vector<Shot> extraShots() { return {}; }

void writeSampleData()
{
    RecordFile<TSchedaSocio> file;
    if (!file.open(ArchivePaths::members()))
        return;
    const char *names[] = {"Rossi Mario", "Bianchi Laura", "Esposito Giuseppe", "Ferrari Anna", "Romano Luca"};
    int n = 0;
    for (const char *name : names) {
        TSchedaSocio s;
        s.Dipendente = QString::fromLatin1(name);
        s.Cittadinanza = QString::number(101 + n);
        s.Stipendio = QStringLiteral("25,00");
        s.Citta = QStringLiteral("Bologna");
        s.Prov = QStringLiteral("BO");
        s.DataSca = QStringLiteral("%1/04/2024").arg(10 + 3 * n, 2, 10, QLatin1Char('0'));
        s.Preavviso = QStringLiteral("30");
        (void)file.append(s);
        ++n;
    }
}
