#include "YearSettings.h"

#include "common/Platform.h"
#include "common/ui/UiPlatform.h"

namespace YearSettings {

QString advice()
{
    return QStringLiteral("Accertarsi di possedere i privilegi di lettura e scrittura nella cartella di "
                          "installazione del programma.");
}

std::optional<Settings> load(QWidget *owner)
{
    const QString folder = Platform::folder().path();
    const auto unreadable = [owner](const QString &file, const QString &error) {
        UiPlatform::error(owner, QStringLiteral("Attenzione: non è possibile leggere il file %1 (%2).").arg(file, error) +
                                     UiPlatform::kLfCrLfCr + advice());
    };
    QString error;
    const auto c = Classification::load(folder, &error);
    if (!c) {
        unreadable(Classification::fileName(), error);
        return std::nullopt;
    }
    const auto e = EnteData::load(folder, &error);
    if (!e) {
        unreadable(EnteData::fileName(), error);
        return std::nullopt;
    }
    return Settings{*c, *e};
}

} // namespace YearSettings
