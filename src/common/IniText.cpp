#include "IniText.h"

#include "Win1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

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
    QByteArrayView rest(bytes);
    const auto decode = [&](QStringConverter::Encoding encoding, bool *ok) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
        QString text = decoder.decode(rest);
        *ok = !decoder.hasError();
        return text;
    };
    bool ok = true;
    if (rest.startsWith("\xFF\xFE") || rest.startsWith("\xFE\xFF")) {
        const bool little = rest.startsWith("\xFF\xFE");
        ini.m_encoding = little ? Encoding::Utf16LE : Encoding::Utf16BE;
        ini.m_bom = true;
        rest = rest.sliced(2);
        ini.m_text = decode(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE, &ok);
    } else {
        ini.m_bom = rest.startsWith("\xEF\xBB\xBF");
        if (ini.m_bom)
            rest = rest.sliced(3);
        ini.m_text = decode(QStringConverter::Utf8, &ok);
        // Not UTF-8: written by an editor in the Windows code page, which reads
        // every byte and writes it back the same.
        if (!ok) {
            ini.m_encoding = Encoding::Win1252;
            ini.m_bom = false;
            ini.m_text = Win1252::decode(bytes);
        }
    }
    ini.index(0);
    return ini;
}

QByteArray IniText::toBytes() const
{
    switch (m_encoding) {
    case Encoding::Win1252:
        return Win1252::encode(m_text);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const bool little = m_encoding == Encoding::Utf16LE;
        QStringEncoder encoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QByteArray text = encoder.encode(m_text);
        return QByteArray(little ? "\xFF\xFE" : "\xFE\xFF") + text;
    }
    case Encoding::Utf8:
        break;
    }
    const QByteArray text = m_text.toUtf8();
    return m_bom ? QByteArray("\xEF\xBB\xBF") + text : text;
}

void IniText::index(qsizetype from)
{
    const QStringView text(m_text);
    qsizetype pos = from;
    while (pos < text.size()) {
        const qsizetype nl = text.indexOf(QLatin1Char('\n'), pos);
        const qsizetype next = nl < 0 ? text.size() : nl + 1;
        qsizetype end = nl < 0 ? text.size() : nl;
        if (end > pos && text.at(end - 1) == QLatin1Char('\r'))
            --end;
        const QStringView line = text.sliced(pos, end - pos);
        const QStringView t = line.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            const QString name = t.sliced(1, t.size() - 2).trimmed().toString();
            const QString folded = name.toCaseFolded();
            const auto it = m_byName.constFind(folded);
            m_currentIsFirst = it == m_byName.cend();
            if (m_currentIsFirst) {
                m_current = m_sections.size();
                m_byName.insert(folded, m_current);
                m_sections.append({name, {}});
            } else {
                m_current = *it;
            }
        } else if (m_current < 0 || t.isEmpty()) {
            pos = next;
            continue;
        } else if (!t.startsWith(QLatin1Char(';')) && !t.startsWith(QLatin1Char('#'))) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq >= 0)
                m_sections[m_current].entries.append({unescape(line.first(eq).trimmed()),
                                                      unescape(line.sliced(eq + 1).trimmed()), pos + eq, end});
        }
        if (m_currentIsFirst) {
            Section &s = m_sections[m_current];
            s.insertAt = next;
            s.breakBefore = nl < 0;
        }
        pos = next;
    }
}

void IniText::reindex()
{
    m_sections.clear();
    m_byName.clear();
    m_current = -1;
    m_currentIsFirst = false;
    index(0);
}

QString IniText::lineEnding() const
{
    const qsizetype nl = m_text.indexOf(QLatin1Char('\n'));
    if (nl > 0 && m_text.at(nl - 1) == QLatin1Char('\r'))
        return QStringLiteral("\r\n");
    return nl >= 0 ? QStringLiteral("\n") : QStringLiteral("\r\n");
}

void IniText::insert(qsizetype pos, bool breakBefore, const QString &lines)
{
    if (breakBefore || pos >= m_text.size()) {
        appendLines(lines);
        return;
    }
    m_text.insert(pos, lines);
    reindex();
}

void IniText::appendLines(const QString &lines)
{
    // A last line without its line feed (a lone CR does not end it either) is
    // ended first, or the new line would be read as part of it.
    if (!m_text.isEmpty() && !m_text.endsWith(QLatin1Char('\n'))) {
        m_text += lineEnding() + lines;
        reindex();
        return;
    }
    const qsizetype from = m_text.size();
    m_text += lines;
    index(from);
}

IniText::Section *IniText::find(const QString &name)
{
    const auto it = m_byName.constFind(name.toCaseFolded());
    return it == m_byName.cend() ? nullptr : &m_sections[*it];
}

const IniText::Section *IniText::section(const QString &name) const
{
    const auto it = m_byName.constFind(name.toCaseFolded());
    return it == m_byName.cend() ? nullptr : &m_sections[*it];
}

void IniText::addSection(const QString &name)
{
    if (section(name))
        return;
    const QString eol = lineEnding();
    appendLines((m_text.isEmpty() ? QString() : eol) + QLatin1Char('[') + name + QLatin1Char(']') + eol);
}

void IniText::add(const QString &section, const QString &key, const QString &value)
{
    addSection(section);
    const Section *s = find(section);
    insert(s->insertAt, s->breakBefore, escape(key, true) + QLatin1Char('=') + escape(value, false) + lineEnding());
}

QString IniText::value(const QString &section, const QString &key) const
{
    if (const Section *s = this->section(section))
        for (const Entry &e : s->entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0)
                return e.value.isNull() ? QStringLiteral("") : e.value;
    return {};
}

void IniText::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString eol = lineEnding();
    const QString line = escape(key, true) + QLatin1Char('=') + escape(value, false) + eol;
    const Section *s = find(section);
    if (!s) {
        appendLines(QLatin1Char('[') + section + QLatin1Char(']') + eol + line);
        return;
    }
    for (const Entry &e : s->entries)
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            // The key stays as written, with everything up to its '='.
            m_text.replace(e.equals + 1, e.lineEnd - (e.equals + 1), escape(value, false));
            reindex();
            return;
        }
    insert(s->insertAt, s->breakBefore, line);
}
