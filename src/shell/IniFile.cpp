#include "IniFile.h"

#include <QList>

namespace {

struct Line
{
    qsizetype begin; // first byte of the line
    qsizetype end;   // byte after the text, before the line ending
};

QList<Line> splitLines(const QByteArray &s)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < s.size()) {
        qsizetype nl = s.indexOf('\n', start);
        qsizetype next = nl < 0 ? s.size() : nl + 1;
        qsizetype end = nl < 0 ? s.size() : nl;
        if (end > start && s.at(end - 1) == '\r')
            --end;
        lines.append({start, end});
        start = next;
    }
    return lines;
}

QString text(const QByteArray &s, const Line &l) { return QString::fromLatin1(s.mid(l.begin, l.end - l.begin)); }

// The section name when the line is a section header.
std::optional<QString> sectionOf(const QString &line)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
        return t.mid(1, t.size() - 2).trimmed();
    return std::nullopt;
}

bool isComment(const QString &line)
{
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'));
}

struct Found
{
    qsizetype sectionLine = -1; // index of the header line
    qsizetype lastLineOfSection = -1;
    qsizetype keyLine = -1;
};

Found find(const QByteArray &s, const QList<Line> &lines, const QString &section, const QString &key)
{
    Found f;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = text(s, lines[i]);
        if (const auto name = sectionOf(line)) {
            // The first matching section is the one that counts.
            if (f.sectionLine >= 0 && inSection)
                break;
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                f.sectionLine = f.lastLineOfSection = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!line.trimmed().isEmpty())
            f.lastLineOfSection = i;
        if (isComment(line))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0 && f.keyLine < 0)
            f.keyLine = i;
    }
    return f;
}

QByteArray lineEnding(const QByteArray &s)
{
    const qsizetype nl = s.indexOf('\n');
    if (nl > 0 && s.at(nl - 1) == '\r')
        return "\r\n";
    if (nl >= 0)
        return "\n";
    return "\r\n";
}

} // namespace

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const auto lines = splitLines(m_content);
    const Found f = find(m_content, lines, section, key);
    if (f.keyLine < 0)
        return std::nullopt;
    const QString line = text(m_content, lines[f.keyLine]);
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const auto lines = splitLines(m_content);
    const Found f = find(m_content, lines, section, key);
    const QByteArray eol = lineEnding(m_content);
    if (f.keyLine >= 0) {
        // Keep the key as written and everything up to the '='.
        const Line &l = lines[f.keyLine];
        const qsizetype eq = m_content.indexOf('=', l.begin);
        m_content.replace(eq + 1, l.end - (eq + 1), value.toLatin1());
        return;
    }
    const QByteArray keyLine = key.toLatin1() + '=' + value.toLatin1();
    if (f.sectionLine >= 0) {
        // Insert after the line's own ending, or add one when the file ends there
        // without a line feed (a lone CR at the end does not end a line: the key
        // written after it would be read as part of the section's header).
        if (f.lastLineOfSection + 1 < lines.size())
            m_content.insert(lines[f.lastLineOfSection + 1].begin, keyLine + eol);
        else if (m_content.endsWith('\n'))
            m_content.append(keyLine + eol);
        else
            m_content.append(eol + keyLine + eol);
        return;
    }
    if (!m_content.isEmpty() && !m_content.endsWith('\n'))
        m_content.append(eol);
    m_content.append('[' + section.toLatin1() + ']' + eol + keyLine + eol);
}
