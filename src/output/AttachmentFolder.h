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

// Creates the folder with any missing parents; true when it exists afterwards
// as a folder of its own. A link in its place (whatever it points to), a file
// or a special file makes it unusable: false, and nothing is created.
bool ensure();

// The cards keep a name in a field of 250 Windows-1252 characters; a name that
// does not fit would leave the card pointing to another file or to none.
constexpr int kMaxNameLength = 250;
enum class NameProblem { None, NotInCodePage, TooLong };
NameProblem nameProblem(const QString &name);

// What already has the destination's name: nothing, a file (which a copy may
// replace), or a link, folder or special file, which is never replaced.
enum class Place { Free, Taken, Unusable };
Place placeOf(const QString &destination);

// Copies source to destination, replacing a file of that name only once the copy
// is complete and on the disk: a failed copy leaves the previous file as it was.
// Only a regular file is copied, and only onto a regular file in a real folder:
// a link, a folder or a special file in the folder, or a folder that is itself
// a link, is refused, never written through. Copying a
// file onto itself changes nothing.
bool copyIn(const QString &source, const QString &destination);

} // namespace AttachmentFolder
