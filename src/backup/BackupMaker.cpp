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

#include <algorithm>
#include <cerrno>

namespace {

enum class Read { Ok, Gone, Busy, Failed };

// The whole file; record files under a shared lock, so no record is half written.
Read readWhole(const QString &path, bool recordFile, int lockWaitMs, QByteArray &out, QString *why)
{
    QFile f;
    if (!FileAccess::openForReading(f, path, FileAccess::Links::Refuse, why))
        return FileAccess::entryAt(path) == FileAccess::Entry::Missing ? Read::Gone : Read::Failed;
    if (recordFile && FileLock::acquire(f.handle(), FileLock::Kind::Shared, lockWaitMs) == FileLock::Result::Busy)
        return Read::Busy;
    const qint64 size = FileAccess::regularSize(f.handle());
    if (size < 0) {
        *why = QStringLiteral("%1: the size cannot be read").arg(path);
        return Read::Failed;
    }
    out.resize(size);
    qint64 got = 0;
    while (got < size) {
        const qint64 n = f.read(out.data() + got, size - got);
        if (n <= 0) {
            *why = QStringLiteral("%1: %2").arg(path, n < 0 ? f.errorString() : QStringLiteral("shorter than its size"));
            return Read::Failed;
        }
        got += n;
    }
    // A file that grew while it was read (a photo being saved) is taken again at the next copy.
    char more;
    if (f.read(&more, 1) != 0) {
        *why = QStringLiteral("%1 changed while it was read").arg(path);
        return Read::Failed;
    }
    return Read::Ok;
}

BackupOutcome failed(const QString &file, const QString &reason, int systemError)
{
    BackupOutcome o;
    o.status = BackupOutcome::Status::Failed;
    o.file = file;
    o.reason = reason;
    o.systemError = systemError;
    return o;
}

QList<BackupZip::Entry> sorted(QList<BackupZip::Entry> entries)
{
    std::sort(entries.begin(), entries.end(),
              [](const BackupZip::Entry &a, const BackupZip::Entry &b) { return a.name < b.name; });
    return entries;
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
    // 1. Every data file, read whole.
    QList<BackupZip::Member> members;
    QList<BackupZip::Entry> read;
    for (const QString &name : dataFiles(m_folder)) {
        QByteArray bytes;
        QString why;
        switch (readWhole(m_folder + name, BackupNames::isRecordFile(name), m_lockWaitMs, bytes, &why)) {
        case Read::Ok:
            break;
        case Read::Gone:
            continue;
        case Read::Busy: {
            BackupOutcome o;
            o.status = BackupOutcome::Status::Busy;
            o.file = name;
            return o;
        }
        case Read::Failed:
            return failed(name, why, 0);
        }
        read.append({name, bytes.size(), BackupZip::crc32(bytes.constData(), bytes.size())});
        members.append({name, std::move(bytes)});
    }
    if (members.isEmpty()) {
        BackupOutcome o;
        o.status = BackupOutcome::Status::Empty;
        return o;
    }

    // 2. Nothing new since the newest copy: no copy.
    const QList<BackupCopy> copies = BackupCopies::list(m_folder, false);
    if (!copies.isEmpty()) {
        const auto last = BackupZip::entries(copies.first().path);
        if (last && sorted(*last) == sorted(read)) {
            BackupOutcome o;
            o.status = BackupOutcome::Status::Unchanged;
            o.copyPath = copies.first().path;
            return o;
        }
    }

    // 3. The zip, beside, then checked.
    const QString dir = BackupCopies::folderOf(m_folder);
    switch (FileAccess::entryAt(dir)) {
    case FileAccess::Entry::Folder:
        break;
    case FileAccess::Entry::Missing:
        errno = 0;
        if (!QDir().mkdir(dir)) {
            const int err = errno;
            return failed(BackupNames::folderName(), QStringLiteral("the folder cannot be created"), err ? err : EACCES);
        }
        break;
    default:
        return failed(BackupNames::folderName(), QStringLiteral("not a folder"), 0);
    }
    const QString temporary = dir + QStringLiteral("/.~quintara-%1.tmp")
                                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    BackupZip::Error zerr;
    if (!BackupZip::write(temporary, members, &zerr)) {
        FileAccess::remove(temporary);
        return failed(BackupNames::folderName(), zerr.text, zerr.systemError);
    }
    members.clear(); // the bytes are in the zip now
    {
        QFile written(temporary);
        const bool synced = written.open(QIODevice::ReadOnly) && FileAccess::sync(written.handle());
        const int err = errno;
        written.close();
        if (!synced) {
            FileAccess::remove(temporary);
            return failed(BackupNames::folderName(), QStringLiteral("the copy cannot be synced"), err);
        }
    }
    const auto check = BackupZip::verify(temporary, &zerr);
    if (!check || sorted(*check) != sorted(read)) {
        FileAccess::remove(temporary);
        return failed(BackupNames::folderName(),
                      check ? QStringLiteral("the copy does not hold what was read") : zerr.text, zerr.systemError);
    }

    // 4. Into place under a name no other copy has.
    QDateTime stamp = when;
    QString target = dir + QLatin1Char('/') + BackupNames::copyName(stamp);
    while (FileAccess::entryAt(target) != FileAccess::Entry::Missing) {
        stamp = stamp.addSecs(1);
        target = dir + QLatin1Char('/') + BackupNames::copyName(stamp);
    }
    QString why;
    if (!FileAccess::replace(temporary, target, &why)) {
        const int err = errno;
        FileAccess::remove(temporary);
        return failed(BackupNames::folderName(), why, err);
    }

    BackupOutcome o;
    o.status = BackupOutcome::Status::Made;
    o.copyPath = target;

    // 5. Only now may old copies go.
    if (m_rotate) {
        QList<QDateTime> times;
        const QList<BackupCopy> all = BackupCopies::list(m_folder, false);
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
