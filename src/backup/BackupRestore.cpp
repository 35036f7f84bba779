#include "BackupRestore.h"

#include "BackupNames.h"
#include "BackupZip.h"
#include "common/FileAccess.h"
#include "common/FileLock.h"
#include "common/RecordFileBase.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRandomGenerator>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

namespace BackupRestore {

namespace {

// The record files, held under the exclusive lock the archives' writers take,
// for the whole restore: no workstation is in the middle of a save while they
// are replaced, and a save that waited lands in the restored file, which is
// written in place and so stays the file the others have open. A record file
// created here to be held goes again when the restore stops.
class HeldArchives
{
public:
    enum class Result { Held, Busy, Failed };

    explicit HeldArchives(QString folder)
        : m_folder(std::move(folder))
    {
    }
    HeldArchives(const HeldArchives &) = delete;
    HeldArchives &operator=(const HeldArchives &) = delete;
    ~HeldArchives()
    {
        for (auto it = m_fds.cbegin(); it != m_fds.cend(); ++it) {
            if (m_dropCreated && m_created.contains(it.key()))
                FileAccess::remove(m_folder + it.key());
            FileLock::release(it.value());
            FileAccess::close(it.value());
        }
    }

    // Opens (creating it when absent) and locks the record file name.
    Result hold(const QString &name, QString *why)
    {
        if (m_fds.contains(name))
            return Result::Held;
        const bool absent = FileAccess::entryAt(m_folder + name) == FileAccess::Entry::Missing;
        const int fd = FileAccess::openRecordFile(m_folder + name, why);
        if (fd < 0)
            return Result::Failed;
        if (absent)
            m_created.insert(name);
        if (FileLock::acquire(fd, FileLock::Kind::Exclusive, RecordFileBase::kLockTimeoutMs)
            == FileLock::Result::Busy) {
            FileAccess::close(fd);
            if (absent) {
                m_created.remove(name);
                FileAccess::remove(m_folder + name);
            }
            return Result::Busy;
        }
        m_fds.insert(name, fd);
        m_sizes.insert(name, qMax<qint64>(FileAccess::regularSize(fd), 0));
        return Result::Held;
    }

    int fd(const QString &name) const { return m_fds.value(name, -1); }
    qint64 sizeBefore(const QString &name) const { return m_sizes.value(name, 0); }
    // Once the copy's files are in place, the files created are the copy's.
    void keepCreated() { m_dropCreated = false; }

private:
    QString m_folder;
    QHash<QString, int> m_fds;
    QHash<QString, qint64> m_sizes;
    QSet<QString> m_created;
    bool m_dropCreated = true;
};

// Holds the record files among names; the outcome when one of them cannot be held.
std::optional<RestoreOutcome> holdAll(HeldArchives &held, const QStringList &names)
{
    for (const QString &name : names) {
        if (!BackupNames::isRecordFile(name))
            continue;
        QString why;
        switch (held.hold(name, &why)) {
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
            o.status = RestoreOutcome::Status::NotWritten;
            o.file = name;
            o.reason = why;
            return o;
        }
        }
    }
    return std::nullopt;
}

int recordSizeOf(const QString &name)
{
    return BackupNames::isMemberArchive(name) ? TSchedaSocio::Size : TSchedaMovimento::Size;
}

// Why the entries are not a whole copy of the data as the program makes it;
// empty when they are. A copy the program marked as its own holds the files as
// they were, a damaged archive too (the copy made before a restore that mends
// one); any other copy must hold archives of whole records.
QString notWhole(const QList<BackupZip::Entry> &entries, bool marked)
{
    if (entries.isEmpty())
        return QStringLiteral("la copia non contiene alcun file");
    bool password = false;
    for (const BackupZip::Entry &e : entries) {
        if (e.name == QLatin1String("unins000.dll"))
            password = e.size > 0;
        if (!marked && BackupNames::isRecordFile(e.name)
            && (e.size % recordSizeOf(e.name) != 0 || e.size / recordSizeOf(e.name) > RecordFileBase::kMaxRecords))
            return QStringLiteral("il file %1 è troncato o non è un archivio di Quintara").arg(e.name);
    }
    if (!password)
        return QStringLiteral("manca il file della password di accesso");
    return {};
}

// What in the folder stands where a file of the copy is to go (a link, a folder,
// a special file); empty when every place is free or holds a plain file.
QString blocked(const QString &folder, const QList<BackupZip::Entry> &entries)
{
    bool attachments = false;
    for (const BackupZip::Entry &e : entries) {
        if (e.name.contains(QLatin1Char('/')))
            attachments = true;
        const auto at = FileAccess::entryAt(folder + e.name);
        if (at != FileAccess::Entry::Missing && at != FileAccess::Entry::File)
            return e.name;
    }
    if (attachments) {
        const auto at = FileAccess::entryAt(folder + BackupNames::attachmentFolder());
        if (at != FileAccess::Entry::Missing && at != FileAccess::Entry::Folder)
            return BackupNames::attachmentFolder();
    }
    return {};
}

// Writes each entry of the copy into a new file beside the one it replaces,
// synced; the files written are removed again unless the restore is kept.
class Stager : public BackupZip::Reader
{
public:
    struct Staged
    {
        QString name;
        QString path;
    };

    Stager(QString folder, QString attachments)
        : m_folder(std::move(folder))
        , m_attachments(std::move(attachments))
    {
    }
    Stager(const Stager &) = delete;
    Stager &operator=(const Stager &) = delete;
    ~Stager()
    {
        closeOpen();
        if (!m_kept)
            for (const Staged &s : std::as_const(m_staged))
                FileAccess::remove(s.path);
    }

    bool begin(const BackupZip::Entry &e) override
    {
        // The attachment folder is looked at again as it is written into: never
        // into a folder elsewhere through a link planted in its place since.
        const bool attachment = e.name.contains(QLatin1Char('/'));
        if (attachment && FileAccess::entryAt(m_attachments) != FileAccess::Entry::Folder)
            return stop(e.name, QStringLiteral("%1 non è più una cartella").arg(BackupNames::attachmentFolder()), 0);
        const QString dir = attachment ? m_attachments + QLatin1Char('/') : m_folder;
        const QString path = dir + QStringLiteral(".~quintara-%1.tmp")
                                       .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        QString why;
        errno = 0;
        m_fd = FileAccess::createNew(path, m_folder + e.name, &why);
        if (m_fd < 0)
            return stop(e.name, why, errno);
        m_staged.append({e.name, path});
        return true;
    }

    bool piece(const char *data, qint64 size) override
    {
        QString why;
        errno = 0;
        if (!FileAccess::writeAll(m_fd, data, size, &why))
            return stop(m_staged.constLast().name, why, errno);
        return true;
    }

    bool end(const BackupZip::Entry &e) override
    {
        errno = 0;
        const bool synced = FileAccess::sync(m_fd);
        const int err = errno;
        const bool closed = FileAccess::close(m_fd);
        m_fd = -1;
        if (!synced || !closed)
            return stop(e.name, QStringLiteral("the file cannot be synced"), err ? err : errno);
        return true;
    }

    const QList<Staged> &staged() const { return m_staged; }
    void keep() { m_kept = true; }

    QString file;
    QString reason;
    int systemError = 0;

private:
    bool stop(const QString &name, const QString &why, int err)
    {
        closeOpen();
        file = name;
        reason = why;
        systemError = err;
        return false;
    }
    void closeOpen()
    {
        if (m_fd >= 0)
            FileAccess::close(m_fd);
        m_fd = -1;
    }

    QString m_folder;
    QString m_attachments;
    QList<Staged> m_staged;
    int m_fd = -1;
    bool m_kept = false;
};

constexpr qint64 kChunk = 1 << 20;

// The open record file fd as a QFile, written where it is.
bool openInPlace(QFile &file, int fd)
{
    return file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
}

// Makes the record file at least size bytes long, with blocks of its own on the
// disk, so that putting the copy's bytes there later takes no more room; the
// records it held are not touched.
bool growInPlace(int fd, qint64 from, qint64 size, QString *why, int *err)
{
    QFile file;
    if (!openInPlace(file, fd) || !file.seek(from))
        return *why = file.errorString(), false;
    const QByteArray zeros(int(qMin(kChunk, size - from)), '\0');
    for (qint64 at = from; at < size;) {
        errno = 0;
        const qint64 n = file.write(zeros.constData(), qMin<qint64>(zeros.size(), size - at));
        if (n <= 0) {
            *err = errno;
            *why = file.errorString();
            return false;
        }
        at += n;
    }
    errno = 0;
    if (!FileAccess::sync(fd)) {
        *err = errno;
        *why = QStringLiteral("the file cannot be synced");
        return false;
    }
    return true;
}

void cutBack(int fd, qint64 size)
{
    QFile file;
    if (openInPlace(file, fd))
        file.resize(size);
    (void)FileAccess::sync(fd);
}

// The staged file's bytes written over the record file where it is.
bool copyInPlace(const QString &staged, int fd, QString *why)
{
    QFile from(staged);
    QFile to;
    if (!from.open(QIODevice::ReadOnly))
        return *why = from.errorString(), false;
    if (!openInPlace(to, fd) || !to.seek(0))
        return *why = to.errorString(), false;
    QByteArray buffer(int(kChunk), '\0');
    for (;;) {
        const qint64 n = from.read(buffer.data(), buffer.size());
        if (n < 0)
            return *why = from.errorString(), false;
        if (n == 0)
            break;
        if (to.write(buffer.constData(), n) != n)
            return *why = to.errorString(), false;
    }
    if (!to.resize(from.size()))
        return *why = to.errorString(), false;
    if (!FileAccess::sync(fd))
        return *why = QStringLiteral("the file cannot be synced"), false;
    return true;
}

bool diskFull(int systemError)
{
    return systemError == ENOSPC || systemError == EFBIG
#ifdef EDQUOT
        || systemError == EDQUOT
#endif
        ;
}

// Why the copy of the data as they are could not be made, in the user's words.
QString notSavedWhy(const BackupOutcome &before)
{
    if (before.status == BackupOutcome::Status::Busy)
        return QStringLiteral("il file %1 è in uso su un'altra postazione").arg(before.file);
    if (diskFull(before.systemError))
        return QStringLiteral("il disco è pieno");
    if (before.systemError == EACCES || before.systemError == EPERM || before.systemError == EROFS)
        return QStringLiteral("la cartella è protetta da scrittura");
    return before.file + QStringLiteral(": ") + before.reason;
}

QString megabytes(qint64 bytes)
{
    return QLocale(QLocale::Italian, QLocale::Italy).toString(double(bytes) / (1024.0 * 1024.0), 'f', 1)
        + QStringLiteral(" MB");
}

} // namespace

RestoreOutcome restore(const QString &folder, const QString &copyPath, const QDateTime &now, const RoomProbe &room)
{
    RestoreOutcome o;
    // 1. Nothing is written before the copy's directory and the folder pass:
    // files of the data only, each once, of sizes their bytes can give.
    BackupZip::Error zerr;
    QByteArray comment;
    const auto entries = BackupZip::entries(copyPath, &zerr, &comment);
    if (!entries) {
        o.status = RestoreOutcome::Status::Damaged;
        o.reason = zerr.text;
        return o;
    }
    QSet<QString> names;
    qint64 needed = 0;
    for (const auto &e : *entries) {
        if (!BackupNames::isDataName(e.name) || names.contains(e.name)) {
            o.status = RestoreOutcome::Status::Damaged;
            o.reason = QStringLiteral("unexpected entry %1").arg(e.name);
            return o;
        }
        names.insert(e.name);
        needed += e.size;
    }
    o.reason = notWhole(*entries, comment == BackupMaker::mark(entries->size()));
    if (!o.reason.isEmpty()) {
        o.status = RestoreOutcome::Status::NotWhole;
        return o;
    }
    o.file = blocked(folder, *entries);
    if (!o.file.isEmpty()) {
        o.status = RestoreOutcome::Status::Blocked;
        return o;
    }
    // Every file is written beside its original before any is put in place.
    const QStorageInfo disk(folder);
    const qint64 free = room ? room(folder) : disk.isValid() ? disk.bytesAvailable() : -1;
    if (free >= 0 && needed > free) {
        o.status = RestoreOutcome::Status::NoRoom;
        o.needed = needed;
        o.room = free;
        return o;
    }
    // The bytes themselves, read through and checked, none kept.
    if (!BackupZip::verify(copyPath, &zerr)) {
        o.status = RestoreOutcome::Status::Damaged;
        o.reason = zerr.text;
        return o;
    }

    // 2. The archives there are, held until the restore is over.
    HeldArchives held(folder);
    if (auto stop = holdAll(held, BackupMaker::dataFiles(folder))) {
        // Nothing is touched yet. An archive that cannot even be opened cannot
        // be copied either: the restore stops as when the copy fails.
        if (stop->status == RestoreOutcome::Status::NotWritten) {
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
    if (auto failedHold = holdAll(held, brought)) {
        o.status = failedHold->status;
        o.file = failedHold->file;
        o.reason = failedHold->reason;
        return o;
    }

    // 4. Every file of the copy read back, checked and written beside its original.
    const QString attachments = folder + BackupNames::attachmentFolder();
    bool madeAttachments = false;
    if (names.cend() != std::find_if(names.cbegin(), names.cend(), [](const QString &n) { return n.contains(QLatin1Char('/')); })
        && FileAccess::entryAt(attachments) == FileAccess::Entry::Missing)
        madeAttachments = QDir().mkdir(attachments);
    struct FolderCleanup
    {
        const QString &path;
        bool &made;
        ~FolderCleanup()
        {
            if (made)
                QDir().rmdir(path); // only when it is still empty
        }
    } folderCleanup{attachments, madeAttachments};
    Stager stager(folder, attachments);
    if (!BackupZip::read(copyPath, stager, &zerr)) {
        o.file = stager.file;
        if (o.file.isEmpty()) {
            o.status = RestoreOutcome::Status::Damaged;
            o.reason = zerr.text;
        } else {
            o.status = RestoreOutcome::Status::NotWritten;
            o.reason = stager.reason;
            o.systemError = stager.systemError;
        }
        return o;
    }
    // The archives that grow get their room now; on failure they are cut back.
    QList<QPair<int, qint64>> grown;
    for (const auto &e : *entries) {
        const int fd = held.fd(e.name);
        if (fd < 0 || e.size <= held.sizeBefore(e.name))
            continue;
        grown.append({fd, held.sizeBefore(e.name)});
        QString why;
        int err = 0;
        if (!growInPlace(fd, held.sizeBefore(e.name), e.size, &why, &err)) {
            for (const auto &g : std::as_const(grown))
                cutBack(g.first, g.second);
            o.status = RestoreOutcome::Status::NotWritten;
            o.file = e.name;
            o.reason = why;
            o.systemError = err;
            return o;
        }
    }

    // 5. Everything is on the disk: into place.
    madeAttachments = false;
    held.keepCreated();
    stager.keep();
    bool ok = true;
    for (const Stager::Staged &s : stager.staged()) {
        const int fd = held.fd(s.name);
        QString why;
        const bool placed = ok
            && (fd >= 0 ? copyInPlace(s.path, fd, &why) : FileAccess::replace(s.path, folder + s.name, &why));
        const int err = errno;
        if (fd >= 0 || !placed)
            FileAccess::remove(s.path);
        if (ok && !placed) {
            ok = false;
            o.status = RestoreOutcome::Status::WriteFailed;
            o.file = s.name;
            o.reason = why;
            o.systemError = err;
        }
    }
    if (!ok)
        return o;

    // 6. What the copy did not hold goes.
    for (const QString &name : BackupMaker::dataFiles(folder)) {
        if (!names.contains(name))
            FileAccess::remove(folder + name);
    }
    o.status = RestoreOutcome::Status::Restored;
    return o;
}

QString message(const RestoreOutcome &outcome)
{
    const QString untouched = QStringLiteral("I dati attuali non sono stati toccati");
    switch (outcome.status) {
    case RestoreOutcome::Status::Restored:
        return {};
    case RestoreOutcome::Status::Damaged:
        return QStringLiteral("Attenzione: la copia scelta è danneggiata (non si rilegge per intero) e non può essere "
                              "ripristinata. %1: scegliere un'altra copia.")
            .arg(untouched);
    case RestoreOutcome::Status::NotWhole:
        return QStringLiteral("Attenzione: la copia scelta non è una copia completa dei dati fatta da Quintara (%1) "
                              "e non può essere ripristinata. %2: scegliere un'altra copia.")
            .arg(outcome.reason, untouched);
    case RestoreOutcome::Status::Blocked:
        return QStringLiteral("Attenzione: il ripristino non è stato fatto, perché nella cartella del programma %1 "
                              "non è un file o una cartella di Quintara (è un collegamento o un file speciale).\r\n\r\n"
                              "%2: togliere %1 dalla cartella e riprovare.")
            .arg(outcome.file, untouched);
    case RestoreOutcome::Status::NoRoom:
        return QStringLiteral("Attenzione: il ripristino non è stato fatto, perché il disco non ha spazio per i file "
                              "della copia (servono %1, liberi %2).\r\n\r\n%3: liberare spazio sul disco e riprovare.")
            .arg(megabytes(outcome.needed), megabytes(outcome.room), untouched);
    case RestoreOutcome::Status::NotSaved:
        return QStringLiteral("Attenzione: il ripristino non è stato fatto, perché non è stato possibile salvare prima "
                              "una copia dei dati attuali (%1).\r\n\r\n%2: liberare spazio sul disco o consentire la "
                              "scrittura nella cartella Backup, e riprovare.")
            .arg(notSavedWhy(outcome.before), untouched);
    case RestoreOutcome::Status::Busy:
        return QStringLiteral("Attenzione: il ripristino non è stato fatto, perché il file %1 è in uso su un'altra "
                              "postazione.\r\n\r\n%2: riprovare quando l'altra postazione ha finito di salvare.")
            .arg(outcome.file, untouched);
    case RestoreOutcome::Status::NotWritten: {
        const bool full = diskFull(outcome.systemError);
        return QStringLiteral("Attenzione: il ripristino non è stato fatto, perché non è stato possibile scrivere il "
                              "file %1 (%2).\r\n\r\n%3: %4 e riprovare.")
            .arg(outcome.file, full ? QStringLiteral("il disco è pieno") : outcome.reason, untouched,
                 full ? QStringLiteral("liberare spazio sul disco") : QStringLiteral("controllare il disco"));
    }
    case RestoreOutcome::Status::WriteFailed:
        break;
    }
    return QStringLiteral("Attenzione: il ripristino si è interrotto sul file %1 (%2).\r\n\r\nI dati come erano prima "
                          "del ripristino sono nella copia %3: ripristinarla per tornare alla situazione di partenza.")
        .arg(outcome.file, outcome.reason, QDir::toNativeSeparators(outcome.safetyCopy));
}

} // namespace BackupRestore
