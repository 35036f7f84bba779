#include "BackupCopies.h"

#include "BackupNames.h"
#include "BackupZip.h"
#include "common/FileAccess.h"
#include "common/RecordFileBase.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace BackupCopies {

QString folderOf(const QString &folder) { return folder + BackupNames::folderName(); }

QList<BackupCopy> list(const QString &folder, bool withCounts)
{
    QList<BackupCopy> out;
    const QString dir = folderOf(folder);
    if (FileAccess::entryAt(dir) != FileAccess::Entry::Folder)
        return out;
    const QStringList names = QDir(dir).entryList({QStringLiteral("Quintara_*.zip")}, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        BackupCopy c;
        c.when = BackupNames::timeOf(name);
        c.path = dir + QLatin1Char('/') + name;
        if (!c.when.isValid() || FileAccess::entryAt(c.path) != FileAccess::Entry::File)
            continue;
        c.bytes = QFileInfo(c.path).size();
        if (withCounts) {
            // Counted only from record files that hold whole records, as many as an
            // archive can: a directory made up by hand shows no count at all.
            if (const auto entries = BackupZip::entries(c.path)) {
                qint64 members = 0;
                qint64 movements = 0;
                bool whole = true;
                for (const auto &e : *entries) {
                    const bool isMembers = BackupNames::isMemberArchive(e.name);
                    if (!isMembers && !BackupNames::isMovementFile(e.name))
                        continue;
                    const qint64 size = isMembers ? TSchedaSocio::Size : TSchedaMovimento::Size;
                    whole = whole && e.size % size == 0 && e.size / size <= RecordFileBase::kMaxRecords;
                    (isMembers ? members : movements) += e.size / size;
                }
                if (whole) {
                    c.members = members;
                    c.movements = movements;
                }
            }
        }
        out.append(c);
    }
    std::sort(out.begin(), out.end(), [](const BackupCopy &a, const BackupCopy &b) { return a.when > b.when; });
    return out;
}

bool isOwn(const QString &path)
{
    const auto entries = BackupZip::entries(path);
    if (!entries || entries->isEmpty())
        return false;
    return std::all_of(entries->cbegin(), entries->cend(),
                       [](const BackupZip::Entry &e) { return BackupNames::isDataName(e.name); });
}

} // namespace BackupCopies
