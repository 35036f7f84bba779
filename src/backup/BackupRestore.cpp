#include "BackupRestore.h"

#include "BackupNames.h"
#include "BackupZip.h"
#include "common/FileAccess.h"
#include "common/FileLock.h"
#include "common/RecordFileBase.h"
#include "common/SafeSave.h"

#include <QDir>
#include <QHash>
#include <QSet>

#include <optional>
#include <utility>

namespace BackupRestore {

namespace {

// The record files, held under the exclusive lock the archives' writers take,
// for the whole restore: no workstation is in the middle of a save while they
// are replaced, and a save that waited lands in the restored file, which is
// written in place and so stays the file the others have open.
class HeldArchives
{
public:
    enum class Result { Held, Busy, Failed };

    HeldArchives() = default;
    HeldArchives(const HeldArchives &) = delete;
    HeldArchives &operator=(const HeldArchives &) = delete;
    ~HeldArchives()
    {
        for (const int fd : std::as_const(m_fds)) {
            FileLock::release(fd);
            FileAccess::close(fd);
        }
    }

    // Opens (creating it when absent) and locks the record file name of folder.
    Result hold(const QString &folder, const QString &name, QString *why)
    {
        if (m_fds.contains(name))
            return Result::Held;
        const int fd = FileAccess::openRecordFile(folder + name, why);
        if (fd < 0)
            return Result::Failed;
        if (FileLock::acquire(fd, FileLock::Kind::Exclusive, RecordFileBase::kLockTimeoutMs)
            == FileLock::Result::Busy) {
            FileAccess::close(fd);
            return Result::Busy;
        }
        m_fds.insert(name, fd);
        return Result::Held;
    }

    int fd(const QString &name) const { return m_fds.value(name, -1); }

private:
    QHash<QString, int> m_fds;
};

// Holds the files named; the outcome when one of them cannot be held.
std::optional<RestoreOutcome> holdAll(HeldArchives &held, const QString &folder, const QStringList &names)
{
    for (const QString &name : names) {
        if (!BackupNames::isRecordFile(name))
            continue;
        QString why;
        switch (held.hold(folder, name, &why)) {
        case HeldArchives::Result::Held:
            continue;
        case HeldArchives::Result::Busy: {
            RestoreOutcome o;
            o.status = RestoreOutcome::Status::Busy;
            o.file = name;
            return o;
        }
        case HeldArchives::Result::Failed: {
            RestoreOutcome o;
            o.status = RestoreOutcome::Status::WriteFailed;
            o.file = name;
            o.reason = why;
            return o;
        }
        }
    }
    return std::nullopt;
}

} // namespace

RestoreOutcome restore(const QString &folder, const QString &copyPath, const QDateTime &now)
{
    RestoreOutcome o;
    // 1. The copy reads back whole and holds data files only.
    BackupZip::Error zerr;
    const auto entries = BackupZip::verify(copyPath, &zerr);
    if (!entries) {
        o.status = RestoreOutcome::Status::Damaged;
        o.reason = zerr.text;
        return o;
    }
    QSet<QString> names;
    for (const auto &e : *entries) {
        if (!BackupNames::isDataName(e.name) || names.contains(e.name)) {
            o.status = RestoreOutcome::Status::Damaged;
            o.reason = QStringLiteral("unexpected entry %1").arg(e.name);
            return o;
        }
        names.insert(e.name);
    }

    // 2. The archives there are, held until the restore is over.
    HeldArchives held;
    if (auto stop = holdAll(held, folder, BackupMaker::dataFiles(folder))) {
        // Nothing is touched yet. An archive that cannot even be opened cannot
        // be copied either: the restore stops as when the copy fails.
        if (stop->status == RestoreOutcome::Status::WriteFailed) {
            stop->status = RestoreOutcome::Status::NotSaved;
            stop->before.status = BackupOutcome::Status::Failed;
            stop->before.file = stop->file;
            stop->before.reason = stop->reason;
        }
        return *stop;
    }

    // 3. The state before, kept as a copy of its own. Older copies are not
    // rotated here: the one chosen must stay.
    BackupMaker maker(folder);
    maker.setRotate(false);
    maker.setLocksHeld(true);
    o.before = maker.make(now);
    if (!o.before.ok()) {
        o.status = RestoreOutcome::Status::NotSaved;
        return o;
    }
    o.safetyCopy = o.before.copyPath;

    // The archives the copy brings that the folder lacks (a year removed since).
    QStringList brought;
    for (const auto &e : *entries)
        brought.append(e.name);
    if (auto failedHold = holdAll(held, folder, brought)) {
        o.status = failedHold->status;
        o.file = failedHold->file;
        o.reason = failedHold->reason;
        return o;
    }

    // 4. Every file of the copy in its place.
    const QString attachments = folder + BackupNames::attachmentFolder();
    const bool ok = BackupZip::forEach(
        copyPath,
        [&](const BackupZip::Entry &e, const QByteArray &bytes) {
            QString why;
            if (e.name.contains(QLatin1Char('/'))) {
                if (FileAccess::entryAt(attachments) == FileAccess::Entry::Missing)
                    QDir().mkdir(attachments);
                // Never into a folder elsewhere through a link planted in its place.
                if (FileAccess::entryAt(attachments) != FileAccess::Entry::Folder) {
                    o.file = e.name;
                    o.reason = QStringLiteral("%1 is not a folder").arg(BackupNames::attachmentFolder());
                    return false;
                }
            }
            const int fd = held.fd(e.name);
            const bool saved = fd >= 0 ? FileAccess::overwriteWhole(fd, bytes.constData(), bytes.size(), &why)
                                       : SafeSave::saveBytes(folder + e.name, bytes, &why);
            if (!saved) {
                o.file = e.name;
                o.reason = why;
                return false;
            }
            return true;
        },
        &zerr);
    if (!ok) {
        o.status = RestoreOutcome::Status::WriteFailed;
        if (o.reason.isEmpty())
            o.reason = zerr.text;
        return o;
    }

    // 5. What the copy did not hold goes.
    for (const QString &name : BackupMaker::dataFiles(folder)) {
        if (!names.contains(name))
            FileAccess::remove(folder + name);
    }
    o.status = RestoreOutcome::Status::Restored;
    return o;
}

QString message(const RestoreOutcome &outcome)
{
    switch (outcome.status) {
    case RestoreOutcome::Status::Restored:
        return {};
    case RestoreOutcome::Status::Damaged:
        return QStringLiteral("Attenzione: la copia scelta è danneggiata (non si rilegge per intero) e non può essere "
                              "ripristinata. I dati attuali non sono stati toccati: scegliere un'altra copia.");
    case RestoreOutcome::Status::NotSaved:
        return QStringLiteral("Attenzione: il ripristino non è stato fatto, perché non è stato possibile salvare prima "
                              "una copia dei dati attuali.\r\n\r\n")
            + BackupMaker::message(outcome.before);
    case RestoreOutcome::Status::Busy:
        return QStringLiteral("Attenzione: il ripristino non è stato fatto, perché il file %1 è in uso su un'altra "
                              "postazione.\r\n\r\nI dati attuali non sono stati toccati: riprovare quando l'altra "
                              "postazione ha finito di salvare.")
            .arg(outcome.file);
    case RestoreOutcome::Status::WriteFailed:
        break;
    }
    return QStringLiteral("Attenzione: il ripristino si è interrotto sul file %1 (%2).\r\n\r\nI dati come erano prima "
                          "del ripristino sono nella copia %3: ripristinarla per tornare alla situazione di partenza.")
        .arg(outcome.file, outcome.reason, QDir::toNativeSeparators(outcome.safetyCopy));
}

} // namespace BackupRestore
