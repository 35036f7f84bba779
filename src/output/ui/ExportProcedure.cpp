#include "ExportProcedure.h"

#include "common/Platform.h"
#include "common/ui/UiPlatform.h"
#include "output/ExportDocument.h"
#include "output/XlsxWorkbook.h"

#include <QUrl>

namespace ExportProcedure {

QString askText()
{
    return QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di "
                          "schede presenti in archivio.")
           + UiPlatform::kCrLfCrLf + QStringLiteral("Si vuole esportare i dati adesso?");
}

QString successText()
{
    return QStringLiteral("Le schede in archivio sono state esportate con successo.") + UiPlatform::kCrLfCrLf
           + QStringLiteral("Si vuole aprire il file di Excel?");
}

QString failureText()
{
    return QStringLiteral("Attenzione: il sistema non permette di esportare i dati.") + UiPlatform::kLfCrLfCr
           + QStringLiteral("Accertarsi che il file di Excel non sia già aperto.");
}

QString fileName(const ExportDescription &description, Format format)
{
    return format == Format::Xlsx ? XlsxWorkbook::fileName(description.fileName) : description.fileName;
}

void run(QWidget *parent, const ExportDescription &description, Format format)
{
    if (!UiPlatform::ask(parent, askText()))
        return;
    const QString path = Platform::folder().file(fileName(description, format));
    const bool saved = format == Format::Xlsx ? XlsxWorkbook::save(path, description)
                                              : ExportDocument::save(path, description);
    if (!saved) {
        UiPlatform::plain(parent, failureText());
        return;
    }
    if (UiPlatform::ask(parent, successText()))
        Platform::shell().open(QUrl::fromLocalFile(path));
}

} // namespace ExportProcedure
