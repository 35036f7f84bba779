#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// The program's settings files (Ente.ini, Rendiconto.ini, Promemoria.ini, the
// password file): sections of "key=value" lines, read in one pass.
// Section and key names match without regard to case; a section written twice
// reads as one. Text is UTF-8, UTF-16 with its byte-order mark (either order),
// or else Windows-1252, and is written back the same way.
// Whatever a key or a value holds reads back the same: the characters an INI
// line cannot carry as they are ('%', '=', ';', '#', '[', ']', control
// characters, blanks at either end) are written as '%' and two hexadecimal
// digits; every other character, accented letters included, is written as it is.
class IniText
{
public:
    // Far more than any association's settings: a larger file is not ours.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    struct Entry
    {
        QString key;
        QString value;
        // Where the line's '=' and its text end lie in the file's text.
        qsizetype equals = -1;
        qsizetype lineEnd = -1;
    };
    struct Section
    {
        QString name;
        QList<Entry> entries;
        // Where a new key goes: after the section's first part's last line that
        // is not blank; breakBefore when that line is the last one and has no end.
        qsizetype insertAt = -1;
        bool breakBefore = false;
    };

    // Reads the text of a file. Lines outside a section, comments and lines
    // without '=' are passed over.
    static IniText parse(const QByteArray &bytes);
    // The whole file, in the encoding it was read in (UTF-8 for a new one).
    QByteArray toBytes() const;

    // The section of that name, or nullptr.
    const Section *section(const QString &name) const;
    // Adds an empty section, after a blank line, unless one of that name exists.
    void addSection(const QString &name);
    // Appends an entry to the section, adding the section when it is new.
    void add(const QString &section, const QString &key, const QString &value);
    // The value of the first entry whose key matches, or a null string.
    QString value(const QString &section, const QString &key) const;
    // Changes the value of the first entry that matches, or adds the entry
    // (and its section) when there is none. Every other line stays as it was.
    void setValue(const QString &section, const QString &key, const QString &value);

    static QString escape(const QString &text, bool key);
    static QString unescape(QStringView text);

private:
    enum class Encoding { Utf8, Utf16LE, Utf16BE, Win1252 };

    Section *find(const QString &name);
    // Reads the lines from `from` (the start of a line) to the end, after those
    // already read.
    void index(qsizetype from);
    void reindex();
    // The text's line ending (CRLF when it has none yet).
    QString lineEnding() const;
    // Puts text at pos, or at the end after a line break when the text there
    // lacks one, and reads the file again.
    void insert(qsizetype pos, bool breakBefore, const QString &lines);
    void appendLines(const QString &lines);

    QString m_text;
    Encoding m_encoding = Encoding::Utf8;
    bool m_bom = false;
    QList<Section> m_sections;
    QHash<QString, qsizetype> m_byName; // case-folded name -> index in m_sections
    qsizetype m_current = -1;           // section of the last header read
    bool m_currentIsFirst = false;      // that header is its section's first
};
