#pragma once

#include <QString>

#include <optional>

// The access password, kept scrambled as the value "Valore" of the section
// "Accesso" in the password file beside the program.
class PasswordStore
{
public:
    explicit PasswordStore(QString path);

    // The stored password, trimmed; empty when the file, section or key is missing.
    // Nothing when the file cannot be read or the value is not hexadecimal.
    std::optional<QString> read() const;

    // Scrambles and writes the password; every other line of the file stays as it was.
    [[nodiscard]] bool write(const QString &password) const;

    // The form a typed password is compared and stored in: A-Z upper case, trimmed.
    static QString canonical(const QString &typed);

    static QString section() { return QStringLiteral("Accesso"); }
    static QString key() { return QStringLiteral("Valore"); }

private:
    QString m_path;
};
