#pragma once

#include "BackupMaker.h"

#include <QDateTime>
#include <QString>

// What became of a restore.
struct RestoreOutcome
{
    enum class Status {
        Restored,     // the folder's data are now the copy's
        Damaged,      // the copy does not read back whole: nothing touched
        NotSaved,     // the state before could not be copied: nothing touched
        Busy,         // another workstation kept an archive locked: nothing touched
        WriteFailed,  // a file could not be written; the state before is in safetyCopy
    };
    Status status = Status::Damaged;
    QString safetyCopy; // the copy holding the state before the restore
    QString file;       // WriteFailed, Busy: the file concerned
    QString reason;
    BackupOutcome before; // NotSaved: why
};

// Puts the data files of a copy back into the program folder. The copy is read
// back whole and checked first; then the current data are copied (so that the
// restore can itself be undone by restoring that copy); then every file of the
// copy is saved in place (the archives written over under their exclusive lock,
// held from before the copy of the current data to the end), and the data
// files the copy does not hold (photos and years added since) are removed, so
// the folder is as it was when the copy was made.
namespace BackupRestore {

RestoreOutcome restore(const QString &folder, const QString &copyPath, const QDateTime &now);

// The message for the user; empty when all went well.
QString message(const RestoreOutcome &outcome);

} // namespace BackupRestore
