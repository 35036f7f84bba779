#include "TextRules.h"

#include <QVarLengthArray>

#include <QLocale>

#include <cmath>

namespace TextRules {

QStringView trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.sliced(begin, end - begin);
}

QString trim(const QString &text)
{
    const QStringView t = trimmed(text);
    if (t.size() == text.size())
        return text; // shares the data: no copy for the common case
    return t.toString();
}

QString fit(const QString &text, int width)
{
    if (width <= 0)
        return {};
    QString t = trim(text);
    if (t.size() >= width)
        return t.left(width);
    return t + QString(width - t.size(), QLatin1Char(' '));
}

QString lowerAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

QString upperAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return out;
}

bool contains(const QString &haystack, const QString &needle)
{
    return !needle.isEmpty() && haystack.contains(needle, Qt::CaseSensitive);
}

int compareRows(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        ushort x = a.at(i).unicode();
        ushort y = b.at(i).unicode();
        if (x >= 'a' && x <= 'z')
            x -= 32;
        if (y >= 'a' && y <= 'z')
            y -= 32;
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

static bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

std::optional<QDate> parseDate(const QString &text) { return parseDate(QStringView(text)); }

std::optional<QDate> parseDate(QStringView text)
{
    if (text.size() != 10 || text.at(2) != QLatin1Char('/') || text.at(5) != QLatin1Char('/'))
        return std::nullopt;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!isDigit(text.at(i)))
            return std::nullopt;
    // Every one of them is a digit 0-9 by now.
    const auto digit = [&](int i) { return text.at(i).unicode() - u'0'; };
    const int d = digit(0) * 10 + digit(1);
    const int m = digit(3) * 10 + digit(4);
    const int y = digit(6) * 1000 + digit(7) * 100 + digit(8) * 10 + digit(9);
    const QDate date(y, m, d);
    if (!date.isValid() || y < 1)
        return std::nullopt;
    return date;
}

bool isValidDate(const QString &text) { return parseDate(text).has_value(); }

QString formatDate(const QDate &date)
{
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

std::optional<double> parseDecimal(const QString &text) { return parseDecimal(QStringView(text)); }

std::optional<double> parseDecimal(QStringView text)
{
    const QStringView t = trimmed(text);
    // sign? digits* (',' digits*)? ([eE] sign? digits+)? with at least one mantissa digit
    // Rewritten for the C locale in a buffer of its own: no string per amount.
    QVarLengthArray<char16_t, 64> c;
    c.reserve(t.size());
    qsizetype i = 0;
    auto peek = [&](QChar ch) { return i < t.size() && t.at(i) == ch; };
    if (peek(QLatin1Char('+')) || peek(QLatin1Char('-')))
        c.append(t.at(i++).unicode());
    int mantissaDigits = 0;
    while (i < t.size() && isDigit(t.at(i))) {
        c.append(t.at(i++).unicode());
        ++mantissaDigits;
    }
    if (peek(QLatin1Char(','))) {
        ++i;
        c.append(u'.');
        while (i < t.size() && isDigit(t.at(i))) {
            c.append(t.at(i++).unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (peek(QLatin1Char('e')) || peek(QLatin1Char('E'))) {
        c.append(u'e');
        ++i;
        if (peek(QLatin1Char('+')) || peek(QLatin1Char('-')))
            c.append(t.at(i++).unicode());
        int expDigits = 0;
        while (i < t.size() && isDigit(t.at(i))) {
            c.append(t.at(i++).unicode());
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    static const QLocale cLocale = QLocale::c();
    bool ok = false;
    const double v = cLocale.toDouble(QStringView(c.constData(), c.size()), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<double> parseAmount(QStringView text)
{
    const QStringView t = trimmed(text);
    for (QChar ch : t) {
        if (!isDigit(ch) && ch != QLatin1Char(',') && ch != QLatin1Char('+') && ch != QLatin1Char('-'))
            return std::nullopt;
    }
    // The sign, digits and comma in their places are parseDecimal's own rule.
    return parseDecimal(t);
}

QString formatGeneral(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString formatTwoDecimals(double value)
{
    QString s = QString::number(value, 'f', 2);
    if (s == QLatin1String("-0.00"))
        s = QStringLiteral("0.00");
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

static const QString kZero = QStringLiteral("0,00");

// Amounts and fees beyond this cannot be written without an exponent, nor fit
// their fields: they are treated as text that is not a number.
static constexpr double kLargest = 1e15;

// Rounds to the given number of decimals, halves away from zero: a pasted
// negative amount keeps its value instead of creeping towards zero.
static double roundHalfUp(double v, double scale)
{
    const double magnitude = std::trunc(std::fabs(v) * scale + 0.5) / scale;
    return v < 0 ? -magnitude : magnitude;
}

QString normaliseFee(const QString &text)
{
    if (trim(text).isEmpty())
        return kZero;
    const auto v = parseDecimal(text);
    if (!v || std::fabs(*v) >= kLargest)
        return kZero;
    const double rounded = roundHalfUp(*v, 10000);
    QString t = formatGeneral(rounded);
    if (!t.contains(QLatin1Char(',')))
        t += QLatin1String(",00");
    const qsizetype comma = t.lastIndexOf(QLatin1Char(','));
    if (comma == t.size() - 2)
        t += QLatin1Char('0');
    return t;
}

QString normaliseAmount(const QString &text)
{
    if (trim(text).isEmpty())
        return kZero;
    const auto v = parseDecimal(text);
    if (!v || std::fabs(*v) >= kLargest)
        return kZero;
    const double r = roundHalfUp(*v, 100);
    QString t = formatGeneral(r);
    if (!t.contains(QLatin1Char(',')))
        t += QLatin1String(",00");
    if (trim(t) == QLatin1String(","))
        return kZero;
    if (t.startsWith(QLatin1Char(',')))
        t = QLatin1Char('0') + trim(t);
    if (t.endsWith(QLatin1Char(',')))
        t = trim(t) + QLatin1String("00");
    if (t.size() >= 2 && t.at(t.size() - 2) == QLatin1Char(',') && isDigit(t.back()))
        t = trim(t) + QLatin1Char('0');
    return t;
}

} // namespace TextRules
