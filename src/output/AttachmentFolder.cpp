#include "AttachmentFolder.h"

#include "common/ArchivePaths.h"
#include "common/FileAccess.h"
#include "common/SafeSave.h"
#include "common/TextRules.h"
#include "common/Win1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace AttachmentFolder {

QString path() { return ArchivePaths::attachments(); }

QString fileOf(const QString &name)
{
    const QString n = TextRules::trim(name);
    if (n.isEmpty() || n == QLatin1String(".") || n == QLatin1String(".."))
        return {};
    // Names come from cards that may have been written by anyone who can reach the
    // folder: a name holding a folder part is never followed.
    if (n.contains(QLatin1Char('/')) || n.contains(QLatin1Char('\\')) || n.contains(QLatin1Char(':')))
        return {};
    return QDir(path()).filePath(n);
}

bool ensure()
{
    // Only a folder of the program's own is used. A link in its place, even one
    // to a folder, would send every attached document (and every replaced one)
    // somewhere outside the program's folder.
    switch (FileAccess::entryAt(path())) {
    case FileAccess::Entry::Folder:
        return true;
    case FileAccess::Entry::Missing:
        return QDir().mkpath(path()) && FileAccess::entryAt(path()) == FileAccess::Entry::Folder;
    default:
        return false;
    }
}

NameProblem nameProblem(const QString &name)
{
    const QString n = TextRules::trim(name);
    if (!Win1252::canEncode(n))
        return NameProblem::NotInCodePage;
    if (n.size() > kMaxNameLength)
        return NameProblem::TooLong;
    return NameProblem::None;
}

Place placeOf(const QString &destination)
{
    switch (FileAccess::entryAt(destination)) {
    case FileAccess::Entry::Missing:
        return Place::Free;
    case FileAccess::Entry::File:
        return Place::Taken;
    default:
        return Place::Unusable;
    }
}

bool copyIn(const QString &source, const QString &destination)
{
    const QFileInfo from(source);
    const QFileInfo to(destination);
    // The folder that receives the copy must be a folder itself, not a link to one.
    if (FileAccess::entryAt(to.absolutePath()) != FileAccess::Entry::Folder)
        return false;
    if (to.exists() && from.canonicalFilePath() == to.canonicalFilePath()
        && FileAccess::entryAt(destination) == FileAccess::Entry::File)
        return true;

    // The user's pick may be a link to a document; it must be a regular file all
    // the same, so that a FIFO or a device never holds the program.
    QFile in;
    if (!FileAccess::openForReading(in, source, FileAccess::Links::Follow))
        return false;
    SafeSave out(destination);
    if (!out.open())
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (!out.write(buffer, got))
            return false;
    }
    return out.commit();
}

} // namespace AttachmentFolder
