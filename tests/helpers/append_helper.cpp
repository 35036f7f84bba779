// quintara_append_helper <archive> <writer> <count>
// Appends <count> member records, one user action each (open, append, close),
// marking each with the writer and its sequence number. Exits 0 when every
// append was stored, 1 with the reason on stderr otherwise.
#include "common/RecordFile.h"
#include "common/TSchedaSocio.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: quintara_append_helper <archive> <writer> <count>\n");
        return 2;
    }
    const QString path = args.at(1);
    const QString writer = args.at(2);
    const int count = args.at(3).toInt();
    for (int seq = 1; seq <= count; ++seq) {
        TSchedaSocio s;
        s.Dipendente = QStringLiteral("Scrittore %1").arg(writer);
        s.Cittadinanza = writer;
        s.Stipendio = QString::number(seq);
        s.Note = QStringLiteral("%1/%2").arg(writer).arg(seq);
        s.DataSca = QStringLiteral("31/12/2024");
        s.Preavviso = QStringLiteral("10");
        RecordFile<TSchedaSocio> file;
        if (!file.open(path) || !file.append(s)) {
            std::fprintf(stderr, "writer %s, record %d: %s\n", qPrintable(writer), seq, qPrintable(file.errorString()));
            return 1;
        }
        file.close();
    }
    return 0;
}
