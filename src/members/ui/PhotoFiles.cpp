#include "PhotoFiles.h"

#include "common/FileAccess.h"
#include "common/SafeSave.h"
#include "common/ui/UiPlatform.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace PhotoFiles {

QImage read(const QString &path)
{
    // Only a regular file is read: a FIFO of the photo's name would hold the
    // card for good.
    QFile file;
    if (!FileAccess::openForReading(file, path, FileAccess::Links::Follow))
        return {};
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "bmp")
        return {};
    return reader.read();
}

bool writeJpeg(const QImage &image, const QString &path)
{
    if (image.isNull())
        return false;
    // Encoded whole first: the encoder does not report a write the disk cut
    // short, the save below does, and swaps the photo in only once all of it
    // is on the disk.
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32)))
        return false;
    return SafeSave::saveBytes(path, jpeg);
}

std::optional<QImage> chooseAndRead(QWidget *parent)
{
    const QString path = UiPlatform::files().openFile(
        parent, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
        QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)"));
    if (path.isEmpty())
        return std::nullopt;
    return read(path);
}

void chooseAndWrite(QWidget *parent, const QImage &image)
{
    QString path = UiPlatform::files().saveFile(
        parent, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."),
        QStringLiteral("File Jpeg (*.jpg)"), QStringLiteral("jpg"), QStringLiteral("Foto.jpg"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".jpg");
    if (!writeJpeg(image, path))
        UiPlatform::warning(parent, QStringLiteral("Attenzione: non è stato possibile salvare la foto nel file ") +
                                        path + QStringLiteral("."));
}

} // namespace PhotoFiles
