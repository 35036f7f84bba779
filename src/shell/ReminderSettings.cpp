#include "ReminderSettings.h"

#include "IniFile.h"
#include "common/FileAccess.h"
#include "common/Platform.h"
#include "common/SafeSave.h"
#include "common/TextRules.h"

#include <QFile>

#include <optional>

namespace {

// The file's bytes; empty when there is no file, nothing when what is there
// cannot be read as the program's own small file.
std::optional<QByteArray> readContent(const QString &path)
{
    switch (FileAccess::entryAt(path)) {
    case FileAccess::Entry::Missing:
        return QByteArray();
    case FileAccess::Entry::File:
        break;
    default:
        return std::nullopt;
    }
    QFile file;
    if (!FileAccess::openForReading(file, path, FileAccess::Links::Refuse))
        return std::nullopt;
    const QByteArray content = file.read(ReminderSettings::kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError || content.size() > ReminderSettings::kMaxFileSize)
        return std::nullopt;
    return content;
}

} // namespace

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
    const auto content = readContent(m_path);
    if (!content)
        return false;
    const auto value = IniFile(*content).value(section(), key());
    if (!value)
        return false;
    const auto hidden = TextRules::parseDate(*value);
    return hidden && *hidden == day;
}

bool ReminderSettings::hideOn(const QDate &day) const
{
    // A file that cannot be read is not replaced: what is there is not ours to lose.
    const auto content = readContent(m_path);
    if (!content)
        return false;
    IniFile ini(*content);
    ini.setValue(section(), key(), TextRules::formatDate(day));
    return SafeSave::saveBytes(m_path, ini.content());
}
