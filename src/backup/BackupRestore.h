#pragma once

#include "BackupMaker.h"

#include <QDateTime>
#include <QString>

#include <functional>

// What became of a restore.
struct RestoreOutcome
{
    enum class Status {
        Restored,     // the folder's data are now the copy's
        Damaged,      // the copy does not read back whole: nothing touched
        NotWhole,     // the copy is not a whole copy of the data (reason): nothing touched
        Blocked,      // something in the folder stands where a file of the copy goes (file): nothing touched
        NoRoom,       // the disk cannot take the copy's files (needed, room): nothing touched
        NotSaved,     // the state before could not be copied: nothing touched
        Busy,         // another workstation kept an archive locked: nothing touched
        NotWritten,   // a file of the copy could not be written beside its original: nothing touched
        WriteFailed,  // a file could not be put in place; the state before is in safetyCopy
    };
    Status status = Status::Damaged;
    QString safetyCopy; // the copy holding the state before the restore
    QString file;       // the file concerned
    QString reason;
    int systemError = 0; // NotWritten, WriteFailed: the system's error number, when it gave one
    qint64 needed = 0;   // NoRoom: bytes
    qint64 room = 0;     // NoRoom: bytes
    BackupOutcome before; // NotSaved: why
};

// Puts the data files of a copy back into the program folder. Before anything
// is written the copy's directory is checked (a whole copy of the data, files
// of possible sizes, no more than the disk can take) and so is the folder; then
// the archives are held under the exclusive lock their writers take, to the
// end; then the current data are copied (so that the restore can be undone);
// then every file of the copy is read back, checked and written beside its
// original. Only when all of them are on the disk are they put in place (the
// archives written over where they are, so that they stay the files the other
// workstations have open) and the data files the copy does not hold removed. A
// restore that stops before that leaves every file as it was.
namespace BackupRestore {

// The bytes the disk holding folder can still take.
using RoomProbe = std::function<qint64(const QString &folder)>;

RestoreOutcome restore(const QString &folder, const QString &copyPath, const QDateTime &now,
                       const RoomProbe &room = {});

// The message for the user; empty when all went well.
QString message(const RestoreOutcome &outcome);

} // namespace BackupRestore
