#include "ExportProcedure.h"

#include "common/Platform.h"
#include "common/ui/UiPlatform.h"
#include "output/ExportDocument.h"
#include "output/XlsxWorkbook.h"

#include <QFont>
#include <QRadioButton>
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

void styleFormatOption(QRadioButton *option)
{
    option->setFont(QFont(QStringLiteral("Tahoma"), 8));
    option->setStyleSheet(QStringLiteral(
        "QRadioButton { color: white; background: transparent; }"
        "QRadioButton::indicator { width: 8px; height: 8px; border: 2px solid white; border-radius: 6px; }"
        "QRadioButton::indicator:checked { background: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.5, fx: 0.5,"
        " fy: 0.5, stop: 0 white, stop: 0.55 white, stop: 0.7 transparent); }"));
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
