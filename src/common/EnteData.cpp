#include "EnteData.h"

#include "FileAccess.h"
#include "IniText.h"
#include "SafeSave.h"
#include "TextRules.h"

#include <QStringList>

namespace {

const QString kSection = QStringLiteral("Ente");

// Each field with its key in the file.
struct Field
{
    const char *key;
    QString EnteData::*member;
};

constexpr Field kFields[] = {
    {"Denominazione", &EnteData::denominazione}, {"CodiceFiscale", &EnteData::codiceFiscale},
    {"Indirizzo", &EnteData::indirizzo},         {"Runts", &EnteData::runts},
    {"Tipologia", &EnteData::tipologia},         {"Presidente", &EnteData::presidente},
    {"Tesoriere", &EnteData::tesoriere},
};

} // namespace

QStringList EnteData::kinds() { return {QStringLiteral("ODV"), QStringLiteral("APS"), QStringLiteral("Altro")}; }

std::optional<EnteData> EnteData::load(const QString &folder, QString *error)
{
    const auto bytes = FileAccess::readSmallFile(folder + fileName(), IniText::kMaxFileSize, error);
    if (!bytes)
        return std::nullopt;
    const IniText ini = IniText::parse(*bytes);
    EnteData data;
    for (const Field &f : kFields)
        data.*(f.member) = TextRules::trim(ini.value(kSection, QString::fromLatin1(f.key)));
    return data;
}

bool EnteData::save(const QString &folder, QString *error) const
{
    IniText ini;
    for (const Field &f : kFields)
        ini.add(kSection, QString::fromLatin1(f.key), TextRules::trim(this->*(f.member)));
    return SafeSave::saveBytes(folder + fileName(), ini.toBytes(), error);
}

bool EnteData::isEmpty() const
{
    for (const Field &f : kFields)
        if (!TextRules::trim(this->*(f.member)).isEmpty())
            return false;
    return true;
}
