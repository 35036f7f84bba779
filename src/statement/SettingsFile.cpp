#include "SettingsFile.h"

#include <QFile>
#include <QFileInfo>

namespace SettingsFile {

std::optional<QByteArray> read(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QByteArray();
    const auto fail = [&](const QString &why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!info.isFile() || info.isSymLink())
        return fail(QStringLiteral("%1 non è un file").arg(info.fileName()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    // Far more than any association's settings: a larger file is not ours.
    if (file.size() > 16 * 1024 * 1024)
        return fail(QStringLiteral("%1 è troppo grande").arg(info.fileName()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    return bytes;
}

} // namespace SettingsFile
