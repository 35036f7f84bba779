#include "BackupRestore.h"

#include "BackupNames.h"
#include "BackupZip.h"
#include "common/FileAccess.h"
#include "common/SafeSave.h"

#include <QDir>
#include <QSet>

namespace BackupRestore {

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

    // 2. The state before, kept as a copy of its own. Older copies are not
    // rotated here: the one chosen must stay.
    BackupMaker maker(folder);
    maker.setRotate(false);
    o.before = maker.make(now);
    if (!o.before.ok()) {
        o.status = RestoreOutcome::Status::NotSaved;
        return o;
    }
    o.safetyCopy = o.before.copyPath;

    // 3. Every file of the copy in its place.
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
            if (!SafeSave::saveBytes(folder + e.name, bytes, &why)) {
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

    // 4. What the copy did not hold goes.
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
    case RestoreOutcome::Status::WriteFailed:
        break;
    }
    return QStringLiteral("Attenzione: il ripristino si è interrotto sul file %1 (%2).\r\n\r\nI dati come erano prima "
                          "del ripristino sono nella copia %3: ripristinarla per tornare alla situazione di partenza.")
        .arg(outcome.file, outcome.reason, QDir::toNativeSeparators(outcome.safetyCopy));
}

} // namespace BackupRestore
