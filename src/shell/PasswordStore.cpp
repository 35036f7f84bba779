#include "PasswordStore.h"

#include "Crypt.h"
#include "IniFile.h"
#include "common/TextRules.h"

#include <QFile>
#include <QSaveFile>

PasswordStore::PasswordStore(QString path)
    : m_path(std::move(path))
{
}

QString PasswordStore::canonical(const QString &typed) { return TextRules::trim(TextRules::upperAZ(typed)); }

std::optional<QString> PasswordStore::read() const
{
    QFile file(m_path);
    if (!file.exists())
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const IniFile ini(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    const auto hex = ini.value(section(), key()).value_or(QString());
    const auto plain = Crypt::unscramble(hex);
    if (!plain)
        return std::nullopt;
    return TextRules::trim(*plain);
}

bool PasswordStore::write(const QString &password) const
{
    QByteArray content;
    QFile in(m_path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly))
            return false;
        content = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return false;
        in.close();
    }
    IniFile ini(content);
    ini.setValue(section(), key(), Crypt::scramble(password));
    // Written beside and swapped in, so a failure never leaves half a file.
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(ini.content()) != ini.content().size())
        return false;
    return out.commit();
}
