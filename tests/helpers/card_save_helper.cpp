// quintara_card_save_helper <archive> <member|movement> <position> <note>
// Another workstation's card: reads the record at <position>, writes <note> in
// its notes and saves it over itself as a card does, one user action for the
// reading and one for the save. Exits 0 when the save was written, 3 when the
// record had changed in between (nothing written), 1 with the reason on stderr
// when the archive failed.
#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

template <class Record>
int saveNote(const QString &path, qint64 position, const QString &note)
{
    Record shown;
    {
        RecordFile<Record> file;
        if (!file.open(path, RecordFileBase::Access::Read) || !file.read(position, shown)) {
            std::fprintf(stderr, "read: %s\n", qPrintable(file.errorString()));
            return 1;
        }
    }
    Record changed = shown;
    changed.Note = note;
    RecordFile<Record> file;
    if (!file.open(path, RecordFileBase::Access::Write)) {
        std::fprintf(stderr, "open: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    switch (file.overwriteIfUnchanged(position, shown, changed)) {
    case RecordFileBase::Guarded::Written:
        return 0;
    case RecordFileBase::Guarded::Changed:
        return 3;
    case RecordFileBase::Guarded::Failed:
        break;
    }
    std::fprintf(stderr, "save: %s\n", qPrintable(file.errorString()));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: quintara_card_save_helper <archive> <member|movement> <position> <note>\n");
        return 2;
    }
    const qint64 position = args.at(3).toLongLong();
    if (args.at(2) == QLatin1String("member"))
        return saveNote<TSchedaSocio>(args.at(1), position, args.at(4));
    return saveNote<TSchedaMovimento>(args.at(1), position, args.at(4));
}
