#include "PasswordStore.h"

#include "Crypt.h"
#include "common/FileAccess.h"
#include "common/IniText.h"
#include "common/SafeSave.h"
#include "common/TextRules.h"

#include <QFile>

PasswordStore::PasswordStore(QString path)
    : m_path(std::move(path))
{
}

QString PasswordStore::canonical(const QString &typed) { return TextRules::trim(TextRules::upperAZ(typed)); }

std::optional<QByteArray> PasswordStore::readContent() const
{
    return FileAccess::readSmallFile(m_path, kMaxFileSize);
}

std::optional<QString> PasswordStore::read() const
{
    const auto content = readContent();
    if (!content)
        return std::nullopt;
    const QString hex = IniText::parse(*content).value(section(), key());
    const auto plain = Crypt::unscramble(hex);
    if (!plain)
        return std::nullopt;
    return TextRules::trim(*plain);
}

bool PasswordStore::write(const QString &password) const
{
    const auto content = readContent();
    if (!content)
        return false;
    IniText ini = IniText::parse(*content);
    ini.setValue(section(), key(), Crypt::scramble(password));
    // Written beside and swapped in only once all of it is on the disk: a full
    // disk never leaves an empty password file that would lock everybody out.
    return SafeSave::saveBytes(m_path, ini.toBytes());
}
