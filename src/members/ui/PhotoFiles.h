#pragma once

#include <QImage>
#include <QString>

#include <optional>

class QWidget;

// Photo files: the member's companion photo and the user's own copies.
namespace PhotoFiles {

// Decodes a JPEG or BMP file by its content; a null image when it cannot be read
// or is not a regular file.
QImage read(const QString &path);

// Writes the picture as a JPEG file, replacing a file there only once the whole
// photo is on the disk; a link or a folder in its place is refused.
[[nodiscard]] bool writeJpeg(const QImage &image, const QString &path);

// "Carica foto": asks for a JPEG or BMP file. Nothing when the user cancels; a
// null image when the chosen file cannot be decoded.
std::optional<QImage> chooseAndRead(QWidget *parent);

// "Salva foto": asks for a file name (preset "Foto.jpg", ".jpg" added when no
// extension is typed) and writes the picture there. When the file cannot be
// written the user is told and the picture stays where it was.
void chooseAndWrite(QWidget *parent, const QImage &image);

} // namespace PhotoFiles
