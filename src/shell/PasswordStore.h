#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The access password, kept scrambled as the value "Valore" of the section
// "Accesso" in the password file beside the program.
class PasswordStore
{
public:
    explicit PasswordStore(QString path);

    // The largest password file read: the file holds one short value, and a huge
    // one (or a sparse one of terabytes) must not take the memory at the login.
    static constexpr qint64 kMaxFileSize = 64 * 1024;

    // The stored password, trimmed; empty when the file, section or key is missing.
    // Nothing when the file cannot be read (a link, a special file, more than
    // kMaxFileSize bytes) or the value is not hexadecimal.
    std::optional<QString> read() const;

    // Scrambles and writes the password; every other line of the file stays as it
    // was. On failure the file is left byte for byte as it was.
    [[nodiscard]] bool write(const QString &password) const;

    // The form a typed password is compared and stored in: A-Z upper case, trimmed.
    static QString canonical(const QString &typed);

    static QString section() { return QStringLiteral("Accesso"); }
    static QString key() { return QStringLiteral("Valore"); }

private:
    std::optional<QByteArray> readContent() const;

    QString m_path;
};
