#include "AttachmentFolder.h"

#include "common/ArchivePaths.h"
#include "common/TextRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    QDir dir(path());
    if (dir.exists())
        return true;
    return QDir().mkpath(path()) && dir.exists();
}

bool copyIn(const QString &source, const QString &destination)
{
    const QFileInfo from(source);
    const QFileInfo to(destination);
    if (!from.isFile())
        return false;
    if (to.exists() && from.canonicalFilePath() == to.canonicalFilePath())
        return true;
    if (to.isDir())
        return false;

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(destination);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0) {
            out.cancelWriting();
            return false;
        }
        if (got == 0)
            break;
        if (out.write(buffer, got) != got) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

} // namespace AttachmentFolder
