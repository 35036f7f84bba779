#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reads and writes single values of a Windows-style INI file in memory. Section
// and key names match without regard to case; writing a value changes only its
// own line (or adds one), leaving every other line, comment and line ending as
// it was. The text is handled byte for byte as Latin-1.
class IniFile
{
public:
    explicit IniFile(QByteArray content = {})
        : m_content(std::move(content))
    {
    }

    // The trimmed value, or nothing when the section or key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);

    const QByteArray &content() const { return m_content; }

private:
    QByteArray m_content;
};
