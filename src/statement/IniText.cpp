#include "IniText.h"

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

int hexValue(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    return -1;
}

} // namespace

QString IniText::escape(const QString &text, bool key)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool edge = i == 0 || i == text.size() - 1;
        bool coded = c.unicode() < 0x20 || c.unicode() == 0x7f || c == QLatin1Char('%') || (edge && isBlank(c));
        // A key also ends at '=' and must not look like a comment or a section.
        if (key)
            coded = coded || c == QLatin1Char('=') || c == QLatin1Char(';') || c == QLatin1Char('#') ||
                    c == QLatin1Char('[') || c == QLatin1Char(']');
        if (coded)
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += c;
    }
    return out;
}

QString IniText::unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('%') && i + 2 < text.size()) {
            const int hi = hexValue(text.at(i + 1));
            const int lo = hexValue(text.at(i + 2));
            if (hi >= 0 && lo >= 0) {
                out += QChar(char16_t(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

IniText IniText::parse(const QByteArray &bytes)
{
    IniText ini;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    Section *current = nullptr;
    const auto lines = QStringView(text).split(QLatin1Char('\n'));
    for (QStringView line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringView t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
            continue;
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            const QString name = t.mid(1, t.size() - 2).trimmed().toString();
            current = nullptr;
            for (Section &s : ini.m_sections)
                if (s.name.compare(name, Qt::CaseInsensitive) == 0)
                    current = &s;
            if (!current) {
                ini.m_sections.append({name, {}});
                current = &ini.m_sections.last();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!current || eq < 0)
            continue;
        current->entries.append({unescape(line.left(eq).trimmed()), unescape(line.mid(eq + 1).trimmed())});
    }
    return ini;
}

QByteArray IniText::toBytes() const
{
    QString out;
    for (const Section &s : m_sections) {
        if (!out.isEmpty())
            out += QStringLiteral("\r\n");
        out += QLatin1Char('[') + s.name + QStringLiteral("]\r\n");
        for (const Entry &e : s.entries)
            out += escape(e.key, true) + QLatin1Char('=') + escape(e.value, false) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

const IniText::Section *IniText::section(const QString &name) const
{
    for (const Section &s : m_sections)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

void IniText::addSection(const QString &name)
{
    if (!section(name))
        m_sections.append({name, {}});
}

void IniText::add(const QString &section, const QString &key, const QString &value)
{
    for (Section &s : m_sections)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0) {
            s.entries.append({key, value});
            return;
        }
    m_sections.append({section, {{key, value}}});
}

QString IniText::value(const QString &section, const QString &key) const
{
    if (const Section *s = this->section(section))
        for (const Entry &e : s->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                return e.value;
    return {};
}
