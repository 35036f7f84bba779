#include "PhotoFiles.h"

#include "common/ui/UiPlatform.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace PhotoFiles {

QImage read(const QString &path)
{
    QImageReader reader(path);
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
    // Written beside and swapped in, so a failed write never leaves half a photo.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(90);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32)))
        return false;
    return file.commit();
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
