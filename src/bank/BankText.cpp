#include "BankText.h"

#include "common/TextRules.h"
#include "common/Win1252.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace {

// More than any association's account holds: a larger figure is a misread column.
constexpr qint64 kMaxCents = 100'000'000'000LL;

std::optional<qint64> centsOfComma(const QString &plain)
{
    // Here the text is digits with at most one ',' and two digits after it.
    const auto value = TextRules::parseAmount(plain);
    if (!value)
        return std::nullopt;
    const qint64 cents = std::llround(*value * 100);
    if (cents > kMaxCents)
        return std::nullopt;
    return cents;
}

bool utf8Valid(const char *data, qsizetype size)
{
    QStringDecoder d(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = d.decode(QByteArrayView(data, size));
    return !d.hasError();
}

} // namespace

namespace BankText {

std::optional<qint64> parseCents(const QString &text)
{
    QString t = TextRules::trim(text);
    t.remove(QChar(0x20AC));
    if (t.startsWith(QLatin1String("EUR"), Qt::CaseInsensitive))
        t = t.mid(3);
    if (t.endsWith(QLatin1String("EUR"), Qt::CaseInsensitive))
        t.chop(3);
    t = TextRules::trim(t);
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t = TextRules::trim(t.mid(1));
    }
    static const QRegularExpression comma(QStringLiteral("^(\\d{1,3}(?:\\.\\d{3})+|\\d+)(?:,(\\d{2}))?$"));
    static const QRegularExpression point(QStringLiteral("^(\\d{1,3}(?:,\\d{3})+|\\d+)\\.(\\d{2})$"));
    QString whole, decimals;
    if (const auto m = comma.match(t); m.hasMatch()) {
        whole = m.captured(1);
        decimals = m.captured(2);
        // "1.234" with no decimals may be one thousand or one point something.
        if (decimals.isEmpty() && whole.contains(QLatin1Char('.')))
            return std::nullopt;
        whole.remove(QLatin1Char('.'));
    } else if (const auto p = point.match(t); p.hasMatch()) {
        whole = p.captured(1);
        decimals = p.captured(2);
        whole.remove(QLatin1Char(','));
    } else {
        return std::nullopt;
    }
    if (whole.size() > 12)
        return std::nullopt;
    const auto cents = centsOfComma(decimals.isEmpty() ? whole : whole + QLatin1Char(',') + decimals);
    if (!cents)
        return std::nullopt;
    return negative ? -*cents : *cents;
}

std::optional<qint64> centsOfNumber(double value)
{
    if (!std::isfinite(value) || std::fabs(value) * 100 > double(kMaxCents))
        return std::nullopt;
    const double scaled = value * 100;
    const qint64 cents = std::llround(scaled);
    if (std::fabs(scaled - double(cents)) > 1e-6)
        return std::nullopt;
    return cents;
}

std::optional<qint64> parsePointCents(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(-?)(\\d{1,12})(?:\\.(\\d{1,2})0*)?$"));
    const auto m = form.match(TextRules::trim(text));
    if (!m.hasMatch())
        return std::nullopt;
    const auto cents = centsOfComma(m.captured(2) + QLatin1Char(',') + m.captured(3).leftJustified(2, QLatin1Char('0')));
    if (!cents)
        return std::nullopt;
    return m.captured(1).isEmpty() ? *cents : -*cents;
}

std::optional<QDate> parseDate(const QString &text)
{
    const QString t = TextRules::trim(text);
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:[T ][0-9:.+\\-Z]*)?$"));
    static const QRegularExpression shortYear(QStringLiteral("^(\\d{2})/(\\d{2})/(\\d{2})$"));
    if (const auto m = iso.match(t); m.hasMatch()) {
        const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return d.isValid() ? std::optional(d) : std::nullopt;
    }
    if (const auto m = shortYear.match(t); m.hasMatch()) {
        const QDate d(2000 + m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        return d.isValid() ? std::optional(d) : std::nullopt;
    }
    return TextRules::parseDate(t);
}

std::optional<QDate> dateOfSerial(double serial)
{
    if (!std::isfinite(serial) || serial < 18264 || serial > 73051) // 1950-2100
        return std::nullopt;
    return QDate(1899, 12, 30).addDays(qint64(std::floor(serial)));
}

std::optional<QDate> parseDdmmyy(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{2})(\\d{2})(\\d{2})$"));
    const auto m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(2000 + m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    return d.isValid() ? std::optional(d) : std::nullopt;
}

QString formatCents(qint64 cents)
{
    const qint64 a = cents < 0 ? -cents : cents;
    QString whole = QString::number(a / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char('.'));
    return QStringLiteral("%1%2,%3").arg(cents < 0 ? QStringLiteral("-") : QString(), whole).arg(a % 100, 2, 10, QLatin1Char('0'));
}

std::optional<QString> decode(const QByteArray &bytes, int *badLine)
{
    QByteArrayView data(bytes);
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    if (utf8Valid(data.data(), data.size()))
        return QString::fromUtf8(data);
    // Not UTF-8 as a whole: Windows-1252, unless some lines are UTF-8 with
    // accented letters and others are not (two exports pasted together).
    int firstUtf8 = 0, firstOther = 0, line = 1;
    qsizetype start = 0;
    while (start <= data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        const QByteArrayView l = data.sliced(start, end - start);
        bool ascii = true;
        for (char c : l)
            if (uchar(c) >= 0x80) {
                ascii = false;
                break;
            }
        if (!ascii) {
            int &first = utf8Valid(l.data(), l.size()) ? firstUtf8 : firstOther;
            if (!first)
                first = line;
        }
        start = end + 1;
        ++line;
    }
    if (firstUtf8 && firstOther) {
        if (badLine)
            *badLine = std::max(firstUtf8, firstOther);
        return std::nullopt;
    }
    return Win1252::decode(data.data(), int(data.size()));
}

QString fold(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool blank = true;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber()) {
            out.append(c.toLower());
            blank = false;
        } else if (c.category() == QChar::Mark_NonSpacing) {
            continue;
        } else if (!blank) {
            out.append(QLatin1Char(' '));
            blank = true;
        }
    }
    if (out.endsWith(QLatin1Char(' ')))
        out.chop(1);
    return out;
}

} // namespace BankText
