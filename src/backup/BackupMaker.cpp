#include "BackupMaker.h"

#include "BackupCopies.h"
#include "BackupNames.h"
#include "BackupRotation.h"
#include "BackupZip.h"
#include "common/FileAccess.h"
#include "common/FileLock.h"
#include "common/RecordFileBase.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <QHash>

#include <cerrno>
#include <limits>
#include <utility>
#include <memory>
#include <optional>
#include <vector>

namespace {

// A file written less than this before the copy began may still change within
// the same tick of the file system's clock (two seconds on the FAT disks of most
// sticks) without its stamp changing: its stamp is not kept, so the next copy
// compares its bytes.
constexpr qint64 kSettleNs = qint64(3) * 1000 * 1000 * 1000;

// Files that are packed already: squeezing them again costs time and saves nothing.
bool isPacked(const QString &name)
{
    static const QStringList packed = {
        QStringLiteral(".jpg"),  QStringLiteral(".jpeg"), QStringLiteral(".png"), QStringLiteral(".gif"),
        QStringLiteral(".zip"),  QStringLiteral(".7z"),   QStringLiteral(".rar"), QStringLiteral(".docx"),
        QStringLiteral(".xlsx"), QStringLiteral(".pptx"), QStringLiteral(".odt"), QStringLiteral(".ods"),
        QStringLiteral(".odp"),  QStringLiteral(".mp3"),  QStringLiteral(".mp4"), QStringLiteral(".heic"),
    };
    for (const QString &suffix : packed)
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            return true;
    return false;
}

// The stamp of a file as the copy's directory keeps it beside the file.
QByteArray noteOf(const FileAccess::Stamp &s)
{
    return QByteArrayLiteral("quintara-stamp ") + QByteArray::number(s.size) + ' ' + QByteArray::number(s.modified) + ' '
        + QByteArray::number(s.changed) + ' ' + QByteArray::number(s.device) + ' ' + QByteArray::number(s.id);
}

bool notedAs(const QByteArray &note, const FileAccess::Stamp &s) { return s.valid() && note == noteOf(s); }

// A data file read for the copy, or to compare it with the last copy: a record
// file under the shared lock the archives use, held until the file is closed, so
// no record is half written while it is read.
class FileStream : public BackupZip::Stream
{
public:
    enum class State { Ok, Busy, Changed, Failed };

    FileStream(QString path, bool recordFile, int lockWaitMs, qint64 size)
        : m_path(std::move(path))
        , m_recordFile(recordFile)
        , m_lockWaitMs(lockWaitMs)
        , m_size(size)
    {
    }

    bool open() override
    {
        if (!FileAccess::openForReading(m_file, m_path, FileAccess::Links::Refuse, &m_why)) {
            // Gone since the folder was listed: the folder changed under the copy.
            m_state = FileAccess::entryAt(m_path) == FileAccess::Entry::Missing ? State::Changed : State::Failed;
            return false;
        }
        if (m_recordFile
            && FileLock::acquire(m_file.handle(), FileLock::Kind::Shared, m_lockWaitMs) == FileLock::Result::Busy) {
            m_state = State::Busy;
            return false;
        }
        // Written between the listing and now: the size announced is not the file's.
        if (FileAccess::regularSize(m_file.handle()) != m_size) {
            m_why = QStringLiteral("%1 changed while it was read").arg(m_path);
            m_state = State::Changed;
            return false;
        }
        return true;
    }

    qint64 readAt(char *data, qint64 max, qint64 offset) override
    {
        QString why;
        const qint64 n = FileAccess::readAt(m_file.handle(), data, max, offset, &why);
        if (n < 0)
            stop(State::Failed, QStringLiteral("%1: %2").arg(m_path, why));
        else if (n == 0)
            stop(State::Changed, QStringLiteral("%1: shorter than its size").arg(m_path));
        return n;
    }

    // A file that grew while it was read (a photo being saved) is taken again.
    bool finish() override
    {
        char more;
        QString why;
        const qint64 n = FileAccess::readAt(m_file.handle(), &more, 1, m_size, &why);
        if (n == 0)
            return true;
        if (n < 0)
            stop(State::Failed, QStringLiteral("%1: %2").arg(m_path, why));
        else
            stop(State::Changed, QStringLiteral("%1 changed while it was read").arg(m_path));
        return false;
    }

    void close() override { m_file.close(); }

    State state() const { return m_state; }
    const QString &why() const { return m_why; }

private:
    // The first reason to stop is kept.
    void stop(State state, const QString &why)
    {
        if (m_state != State::Ok)
            return;
        m_state = state;
        m_why = why;
    }

    QString m_path;
    bool m_recordFile;
    int m_lockWaitMs;
    qint64 m_size;
    QFile m_file;
    State m_state = State::Ok;
    QString m_why;
};

// A data file as it stood when the copy began.
struct Item
{
    QString name;
    FileAccess::Stamp stamp;
};

BackupOutcome outcome(BackupOutcome::Status status, const QString &file = {})
{
    BackupOutcome o;
    o.status = status;
    o.file = file;
    return o;
}

BackupOutcome failed(const QString &file, const QString &reason, int systemError)
{
    BackupOutcome o = outcome(BackupOutcome::Status::Failed, file);
    o.reason = reason;
    o.systemError = systemError;
    return o;
}

// Why a stream stopped, as the copy's outcome; nullopt when it did not stop.
std::optional<BackupOutcome> stopped(const FileStream &stream, const QString &name, bool *changed)
{
    switch (stream.state()) {
    case FileStream::State::Ok:
        return std::nullopt;
    case FileStream::State::Busy:
        return outcome(BackupOutcome::Status::Busy, name);
    case FileStream::State::Changed:
        *changed = true;
        return failed(name, stream.why(), 0);
    case FileStream::State::Failed:
        break;
    }
    return failed(name, stream.why(), 0);
}

// Compares every data file with the newest copy: by its stamp where the copy
// kept one and it still holds, else by its size and CRC-32, read whole.
// The outcome when the copy stops here: Unchanged, or why a file could not be read.
std::optional<BackupOutcome> compareWithLastCopy(const QString &folder, const QDateTime &when, int lockWaitMs,
                                                 bool lockRecords, const QList<Item> &items, bool *changed)
{
    // A copy dated after now was not made by this clock: it is no newest copy.
    QList<BackupCopy> copies = BackupCopies::list(folder, false);
    copies.removeIf([&when](const BackupCopy &c) { return c.when > when; });
    if (copies.isEmpty())
        return std::nullopt;
    const auto last = BackupZip::entries(copies.first().path);
    if (!last || last->size() != items.size())
        return std::nullopt;
    QHash<QString, BackupZip::Entry> byName;
    for (const BackupZip::Entry &e : *last)
        byName.insert(e.name, e);
    static QByteArray buffer(1 << 20, '\0');
    for (const Item &item : items) {
        const auto it = byName.constFind(item.name);
        if (it == byName.cend() || it->size != item.stamp.size)
            return std::nullopt;
        if (notedAs(it->note, item.stamp))
            continue;
        FileStream stream(folder + item.name, lockRecords && BackupNames::isRecordFile(item.name), lockWaitMs,
                          item.stamp.size);
        quint32 crc = BackupZip::crc32(nullptr, 0);
        bool whole = stream.open();
        for (qint64 at = 0; whole && at < item.stamp.size;) {
            const qint64 n = stream.readAt(buffer.data(), qMin<qint64>(item.stamp.size - at, buffer.size()), at);
            whole = n > 0;
            if (whole) {
                crc = BackupZip::crc32(buffer.constData(), n, crc);
                at += n;
            }
        }
        whole = whole && stream.finish();
        stream.close();
        if (const auto stop = stopped(stream, item.name, changed))
            return stop;
        if (crc != it->crc)
            return std::nullopt;
    }
    BackupOutcome o = outcome(BackupOutcome::Status::Unchanged);
    o.copyPath = copies.first().path;
    return o;
}

} // namespace

BackupMaker::BackupMaker(QString folder)
    : m_folder(std::move(folder))
    , m_lockWaitMs(RecordFileBase::kLockTimeoutMs)
{
}

QStringList BackupMaker::dataFiles(const QString &folder)
{
    QStringList out;
    const auto filter = QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString &name : QDir(folder).entryList(filter)) {
        if (BackupNames::isDataName(name) && FileAccess::entryAt(folder + name) == FileAccess::Entry::File)
            out.append(name);
    }
    const QString attachments = BackupNames::attachmentFolder();
    if (FileAccess::entryAt(folder + attachments) == FileAccess::Entry::Folder) {
        for (const QString &name : QDir(folder + attachments).entryList(filter)) {
            const QString relative = attachments + QLatin1Char('/') + name;
            if (BackupNames::isDataName(relative) && FileAccess::entryAt(folder + relative) == FileAccess::Entry::File)
                out.append(relative);
        }
    }
    out.sort();
    return out;
}

BackupOutcome BackupMaker::make(const QDateTime &when)
{
    // A file written by another workstation while it was read is read again; a
    // folder that keeps changing under the copy is reported.
    bool changed = false;
    BackupOutcome o;
    for (int attempt = 0; attempt < 3; ++attempt) {
        changed = false;
        o = makeOnce(when, &changed);
        if (!changed)
            break;
    }
    return o;
}

BackupOutcome BackupMaker::makeOnce(const QDateTime &when, bool *changed)
{
    const QStringList names = dataFiles(m_folder);
    if (names.isEmpty())
        return outcome(BackupOutcome::Status::Empty);

    // A copy that is not made leaves nothing behind: neither its placeholder nor
    // the folder made for it.
    QString temporary;
    const QString dir = BackupCopies::folderOf(m_folder);
    bool madeFolder = false;
    bool done = false;
    struct Cleanup
    {
        const QString &path;
        const QString &dir;
        const bool &madeFolder;
        const bool &done;
        ~Cleanup()
        {
            if (!path.isEmpty())
                FileAccess::remove(path);
            if (madeFolder && !done)
                QDir().rmdir(dir);
        }
    } cleanup{temporary, dir, madeFolder, done};

    // 1. The folder of the copies, and the placeholder of the new one. Its time is
    // the file system's own clock before any data file is looked at, and tells
    // which files had settled.
    std::optional<BackupOutcome> cannotWrite;
    switch (FileAccess::entryAt(dir)) {
    case FileAccess::Entry::Missing:
        errno = 0;
        if (QDir().mkdir(dir)) {
            madeFolder = true;
        } else {
            const int err = errno;
            cannotWrite = failed(BackupNames::folderName(), QStringLiteral("the folder cannot be created"),
                                 err ? err : EACCES);
        }
        break;
    case FileAccess::Entry::Folder:
        break;
    default:
        cannotWrite = failed(BackupNames::folderName(), QStringLiteral("not a folder"), 0);
        break;
    }
    qint64 began = std::numeric_limits<qint64>::min() + kSettleNs;
    if (!cannotWrite) {
        const QString placeholder = dir + QStringLiteral("/.~quintara-%1.tmp")
                                              .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        QString why;
        errno = 0;
        const int fd = FileAccess::createNew(placeholder, QString(), &why);
        const int err = errno;
        if (fd < 0) {
            cannotWrite = failed(BackupNames::folderName(), why, err ? err : EACCES);
        } else {
            temporary = placeholder;
            began = FileAccess::stampOf(fd).modified;
            FileAccess::close(fd);
        }
    }

    // 2. The data files as they stand.
    QList<Item> items;
    for (const QString &name : names) {
        const FileAccess::Stamp stamp = FileAccess::stampAt(m_folder + name);
        if (stamp.valid())
            items.append({name, stamp});
    }
    if (items.isEmpty())
        return outcome(BackupOutcome::Status::Empty);

    // 3. Nothing new since the newest copy: no copy.
    if (const auto stop = compareWithLastCopy(m_folder, when, m_lockWaitMs, !m_locksHeld, items, changed))
        return *stop;
    if (cannotWrite)
        return *cannotWrite;

    // 4. The zip, beside, then checked.
    std::vector<std::unique_ptr<FileStream>> streams;
    QList<BackupZip::Source> sources;
    for (const Item &item : std::as_const(items)) {
        streams.push_back(std::make_unique<FileStream>(
            m_folder + item.name, !m_locksHeld && BackupNames::isRecordFile(item.name), m_lockWaitMs, item.stamp.size));
        const bool settled = item.stamp.modified < began - kSettleNs && item.stamp.changed < began - kSettleNs;
        sources.append(BackupZip::Source{item.name, item.stamp.size, streams.back().get(), !isPacked(item.name),
                                         settled ? noteOf(item.stamp) : QByteArray(),
                                         item.stamp.modified / (1000 * 1000 * 1000)});
    }
    BackupZip::Error zerr;
    if (!BackupZip::writeStreams(temporary, sources, &zerr, mark(sources.size()))) {
        for (int i = 0; i < int(streams.size()); ++i)
            if (const auto stop = stopped(*streams[size_t(i)], sources[i].name, changed))
                return *stop;
        return failed(BackupNames::folderName(), zerr.text, zerr.systemError);
    }
    {
        QFile written(temporary);
        const bool synced = written.open(QIODevice::ReadOnly) && FileAccess::sync(written.handle());
        const int err = errno;
        written.close();
        if (!synced)
            return failed(BackupNames::folderName(), QStringLiteral("the copy cannot be synced"), err);
    }
    // The directory as written: every file whole, under its name.
    const auto check = BackupZip::entries(temporary, &zerr);
    bool holdsAll = check && check->size() == items.size();
    for (qsizetype i = 0; holdsAll && i < items.size(); ++i)
        holdsAll = check->at(i).name == items[i].name && check->at(i).size == items[i].stamp.size;
    if (!holdsAll)
        return failed(BackupNames::folderName(),
                      check ? QStringLiteral("the copy does not hold what was read") : zerr.text, zerr.systemError);

    // 5. Into place under a name no other copy has.
    QDateTime stamp = when;
    QString target = dir + QLatin1Char('/') + BackupNames::copyName(stamp);
    while (FileAccess::entryAt(target) != FileAccess::Entry::Missing) {
        stamp = stamp.addSecs(1);
        target = dir + QLatin1Char('/') + BackupNames::copyName(stamp);
    }
    QString why;
    if (!FileAccess::replace(temporary, target, &why)) {
        const int err = errno;
        return failed(BackupNames::folderName(), why, err);
    }
    temporary.clear();
    done = true;

    BackupOutcome o = outcome(BackupOutcome::Status::Made);
    o.copyPath = target;

    // 6. Only now may old copies go: among the copies the program can read as
    // its own, never one dated in the future, which neither goes nor takes a place.
    if (m_rotate) {
        QList<QDateTime> times;
        QList<BackupCopy> all = BackupCopies::list(m_folder, false);
        all.removeIf([&](const BackupCopy &c) {
            return c.path != target && (c.when > stamp || !BackupCopies::isOwn(c.path));
        });
        for (const BackupCopy &c : all)
            times.append(c.when);
        const QList<QDateTime> old = BackupRotation::toDelete(times, stamp);
        for (const BackupCopy &c : all) {
            if (old.contains(c.when) && c.path != target) {
                FileAccess::remove(c.path);
                o.deleted.append(c.path);
            }
        }
    }
    return o;
}

QByteArray BackupMaker::mark(qsizetype files)
{
    return QByteArrayLiteral("quintara-copy files=") + QByteArray::number(files);
}

QString BackupMaker::message(const BackupOutcome &outcome)
{
    const QString lead = QStringLiteral("Attenzione: la copia di sicurezza dei dati non è stata fatta");
    const QString untouched = QStringLiteral("I dati e le copie precedenti nella cartella Backup non sono stati toccati.");
    switch (outcome.status) {
    case BackupOutcome::Status::Made:
    case BackupOutcome::Status::Unchanged:
    case BackupOutcome::Status::Empty:
        return {};
    case BackupOutcome::Status::Busy:
        return QStringLiteral("%1, perché il file %2 è in uso su un'altra postazione.\r\n\r\n%3 La copia sarà fatta alla "
                              "prossima uscita dal programma.")
            .arg(lead, outcome.file, untouched);
    case BackupOutcome::Status::Failed:
        break;
    }
    QString why;
    switch (outcome.systemError) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        why = QStringLiteral("perché il disco è pieno. Liberare spazio sul disco");
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        why = QStringLiteral("perché la cartella del programma è protetta da scrittura. Consentire la scrittura nella "
                             "cartella (o copiare il programma su un disco scrivibile)");
        break;
    default:
        why = QStringLiteral("perché si è verificato un errore (%1: %2). Controllare il disco")
                  .arg(outcome.file, outcome.reason);
        break;
    }
    return QStringLiteral("%1 %2 e uscire di nuovo dal programma per fare la copia.\r\n\r\n%3").arg(lead, why, untouched);
}
