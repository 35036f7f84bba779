#include "ReminderSettings.h"

#include "common/FileAccess.h"
#include "common/IniText.h"
#include "common/Platform.h"
#include "common/SafeSave.h"
#include "common/TextRules.h"

#include <optional>

ReminderSettings::ReminderSettings()
    : m_path(Platform::folder().file(fileName()))
{
}

ReminderSettings::ReminderSettings(QString path)
    : m_path(std::move(path))
{
}

bool ReminderSettings::hiddenOn(const QDate &day) const
{
    const auto content = FileAccess::readSmallFile(m_path, kMaxFileSize);
    if (!content)
        return false;
    const QString value = IniText::parse(*content).value(section(), key());
    if (value.isNull())
        return false;
    const auto hidden = TextRules::parseDate(value);
    return hidden && *hidden == day;
}

bool ReminderSettings::hideOn(const QDate &day) const
{
    // A file that cannot be read is not replaced: what is there is not ours to lose.
    const auto content = FileAccess::readSmallFile(m_path, kMaxFileSize);
    if (!content)
        return false;
    IniText ini = IniText::parse(*content);
    ini.setValue(section(), key(), TextRules::formatDate(day));
    return SafeSave::saveBytes(m_path, ini.toBytes());
}
