#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reads one of the statement's settings files whole. An absent file reads as
// empty; a file that exists but cannot be read (a folder in its place, no
// permission, a read error) gives nothing and the reason in *error.
namespace SettingsFile {

std::optional<QByteArray> read(const QString &path, QString *error);

} // namespace SettingsFile
