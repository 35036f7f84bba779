#include "BackupCopies.h"

#include "BackupNames.h"
#include "BackupZip.h"
#include "common/FileAccess.h"
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
            if (const auto entries = BackupZip::entries(c.path)) {
                c.members = 0;
                c.movements = 0;
                for (const auto &e : *entries) {
                    if (BackupNames::isMemberArchive(e.name))
                        c.members += e.size / TSchedaSocio::Size;
                    else if (BackupNames::isMovementFile(e.name))
                        c.movements += e.size / TSchedaMovimento::Size;
                }
            }
        }
        out.append(c);
    }
    std::sort(out.begin(), out.end(), [](const BackupCopy &a, const BackupCopy &b) { return a.when > b.when; });
    return out;
}

} // namespace BackupCopies
