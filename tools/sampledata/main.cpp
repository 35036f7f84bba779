// quintara-sampledata <folder> <members> <movementsYear> <movements> [seed]
// Writes a sample member archive "Soci.pro" and a movement register
// "<movementsYear>.eur" into <folder>, replacing files of those names.
// The same seed (default 1) always writes the same bytes.
#include "SampleData.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok[5] = {true, true, true, true, true};
    const qint64 members = args.value(2).toLongLong(&ok[0]);
    const int year = args.value(3).toInt(&ok[1]);
    const qint64 movements = args.value(4).toLongLong(&ok[2]);
    const quint64 seed = args.size() > 5 ? args.at(5).toULongLong(&ok[3]) : 1;
    if ((args.size() != 5 && args.size() != 6) || !ok[0] || !ok[1] || !ok[2] || !ok[3] || members < 0
        || movements < 0 || year < 1000 || year > 9999) {
        std::fprintf(stderr, "usage: quintara-sampledata <folder> <members> <movementsYear> <movements> [seed]\n");
        return 2;
    }
    QString error;
    if (!SampleData(seed).writeArchives(args.at(1), members, year, movements, &error)) {
        std::fprintf(stderr, "quintara-sampledata: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%lld member cards and %lld movements of %d written to %s\n", members, movements, year,
                qPrintable(args.at(1)));
    return 0;
}
