#pragma once

#include <QDateTime>
#include <QString>

// Which files of the program's folder are the association's data, and how the
// copies of them are named. Everything else in the folder (the program, the
// manual, the exports, files of other programs, the copies themselves) stays
// out of a copy, and a copy brings back nothing but data files.
namespace BackupNames {

// The folder of the copies, inside the program's folder.
inline QString folderName() { return QStringLiteral("Backup"); }
// The attachment folder, the only subfolder a copy holds.
inline QString attachmentFolder() { return QStringLiteral("Documenti_Allegati"); }

// A name relative to the program's folder, with "/" between folder and file:
// "Soci.pro", "2024.eur", "12.jpg", "Documenti_Allegati/fattura.pdf"...
bool isDataName(const QString &relative);
bool isRecordFile(const QString &relative); // the files other workstations lock
bool isMemberArchive(const QString &relative);
bool isMovementFile(const QString &relative);

// "Quintara_2024-03-15_10-30-00.zip"
QString copyName(const QDateTime &when);
// The time in a copy's name; invalid for any other name.
QDateTime timeOf(const QString &copyFileName);

} // namespace BackupNames
