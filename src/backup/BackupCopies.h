#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The copies in the folder Backup of a program folder, newest first.
struct BackupCopy
{
    QString path;
    QDateTime when;
    qint64 bytes = 0;
    // From the sizes of the files in the copy; -1 when its directory cannot be read.
    qint64 members = -1;
    qint64 movements = -1;
};

namespace BackupCopies {

// The folder of the copies of the program folder `folder` (with its trailing separator).
QString folderOf(const QString &folder);

// The copies, by the time in their names; counts are read from each zip's
// directory when withCounts is set.
QList<BackupCopy> list(const QString &folder, bool withCounts);

// Whether the zip at path reads as a copy the program made: its directory
// whole, holding data files only.
bool isOwn(const QString &path);

} // namespace BackupCopies
