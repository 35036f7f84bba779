#pragma once

#include <QString>

// The folder "Documenti_Allegati" beside the program, where attached documents
// are copied. A card keeps only the name of each document, so a name is always
// taken as a file directly inside this folder.
namespace AttachmentFolder {

QString path();

// The full path of an attached file, or an empty text when the name could reach
// outside the folder (a path separator, a drive or a parent reference) or is empty.
QString fileOf(const QString &name);

// Creates the folder with any missing parents; true when it exists afterwards.
bool ensure();

// Copies source to destination, replacing a file of that name only once the copy
// is complete: a failed copy leaves the previous file as it was. Copying a file
// onto itself changes nothing.
bool copyIn(const QString &source, const QString &destination);

} // namespace AttachmentFolder
