#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// What became of a copy.
struct BackupOutcome
{
    enum class Status {
        Made,      // a new copy is in place, checked; older ones were rotated
        Unchanged, // the data equal the newest copy's: no new copy
        Empty,     // the folder holds no data file
        Busy,      // a record file stayed locked by another workstation: no copy
        Failed,    // nothing could be written (full disk, protected folder...): no copy
    };
    Status status = Status::Failed;
    QString copyPath;     // Made: the new copy
    QString file;         // Busy and Failed: the file concerned, relative to the folder
    QString reason;       // Failed: the technical reason
    int systemError = 0;  // Failed: the system's error number, when it gave one
    QStringList deleted;  // Made: the old copies rotated away

    bool ok() const { return status == Status::Made || status == Status::Unchanged || status == Status::Empty; }
};

// Makes the copy of the data files of a program folder into its folder Backup.
//
// Every file is read whole, straight into the zip, the record files under the
// shared lock the archives use, waited for as any reader waits; a file that
// stays locked stops the copy, and a file that changed while it was read is
// read again, so a copy never looks whole without being so. The zip is written
// beside under a name of its own, synced, its directory checked against the
// files, and only then renamed into place; the old copies are rotated only
// after that. A failure leaves the data and the earlier copies as they were.
//
// Beside each file that had settled when it was copied, the copy's directory
// keeps the file's stamp (size, times, identity); at the next end of the
// program a file whose stamp still holds is taken as unchanged without being
// read, and the others are compared byte for byte through their CRC-32.
class BackupMaker
{
public:
    explicit BackupMaker(QString folder); // the program folder, with its trailing separator

    // How long a locked record file is waited for.
    void setLockWait(int ms) { m_lockWaitMs = ms; }
    // Whether older copies are rotated after a new one (a copy made before a
    // restore leaves them alone: the copy about to be restored must not go).
    void setRotate(bool rotate) { m_rotate = rotate; }

    // Whether the caller holds the record files under its own exclusive lock (a
    // restore does): they are then read without taking the shared one.
    void setLocksHeld(bool held) { m_locksHeld = held; }

    BackupOutcome make(const QDateTime &when);

    // The data files of the folder, relative, sorted.
    static QStringList dataFiles(const QString &folder);

    // The comment that marks a zip as a copy this program made whole, of files files.
    static QByteArray mark(qsizetype files);

    // What the user is told when a copy was not made; empty when all went well.
    static QString message(const BackupOutcome &outcome);

private:
    // One try; *changed when a file changed while it was read.
    BackupOutcome makeOnce(const QDateTime &when, bool *changed);

    QString m_folder;
    int m_lockWaitMs;
    bool m_rotate = true;
    bool m_locksHeld = false;
};
