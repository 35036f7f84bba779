#pragma once

#include "Platform.h"

// Names of the files the program keeps in its folder.
namespace ArchivePaths {

inline QString members() { return Platform::folder().file(QStringLiteral("Soci.pro")); }
inline QString photo(qint64 position1) { return Platform::folder().file(QString::number(position1) + QStringLiteral(".jpg")); }
inline QString movements(int year) { return Platform::folder().file(QString::number(year) + QStringLiteral(".eur")); }
inline QString password() { return Platform::folder().file(QStringLiteral("unins000.dll")); }
inline QString attachments() { return Platform::folder().file(QStringLiteral("Documenti_Allegati")); }
inline QString manual() { return Platform::folder().file(QStringLiteral("Guida.pdf")); }

} // namespace ArchivePaths
