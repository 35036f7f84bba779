#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The statement's own settings files (Ente.ini, Rendiconto.ini): UTF-8 text
// with CRLF lines, sections of "key=value" lines. Whatever a key or a value
// holds reads back the same: the characters an INI line cannot carry as they
// are ('%', '=', ';', '#', '[', ']', control characters, blanks at either end)
// are written as '%' and two hexadecimal digits; every other character,
// accented letters included, is written as it is.
class IniText
{
public:
    struct Entry
    {
        QString key;
        QString value;
    };
    struct Section
    {
        QString name;
        QList<Entry> entries;
    };

    // Reads the text of a file. Lines outside a section, comments and lines
    // without '=' are passed over; a byte-order mark is allowed.
    static IniText parse(const QByteArray &bytes);
    // The whole file: sections in order, CRLF after every line.
    QByteArray toBytes() const;

    // The section of that name (letters compared without regard to case), or nullptr.
    const Section *section(const QString &name) const;
    // Adds an empty section unless one of that name exists.
    void addSection(const QString &name);
    // Appends an entry, adding the section when it is new.
    void add(const QString &section, const QString &key, const QString &value);
    // The value of the first entry whose key matches (letters A-Z and others
    // compared without regard to case), or a null string.
    QString value(const QString &section, const QString &key) const;

    static QString escape(const QString &text, bool key);
    static QString unescape(QStringView text);

private:
    QList<Section> m_sections;
};
