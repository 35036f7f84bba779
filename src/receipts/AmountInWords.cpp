#include "AmountInWords.h"

#include "common/TextRules.h"

#include <cmath>

namespace AmountInWords {

namespace {

const char *const kUnits[] = {"zero",   "uno",     "due",         "tre",      "quattro",
                              "cinque", "sei",     "sette",       "otto",     "nove",
                              "dieci",  "undici",  "dodici",      "tredici",  "quattordici",
                              "quindici", "sedici", "diciassette", "diciotto", "diciannove"};
const char *const kTens[] = {"", "", "venti", "trenta", "quaranta", "cinquanta", "sessanta", "settanta", "ottanta",
                             "novanta"};

// 1..999. A ten loses its last vowel before "uno" and "otto" (ventuno,
// trentotto); "tre" closing a compound takes its accent (ventitré, centotré,
// milletré); "cento" drops its "o" only before "ottanta" (centottanta), as
// usage has it. afterOther: words of a larger group come before these.
QString belowThousand(int n, bool afterOther = false)
{
    QString out;
    const int hundreds = n / 100;
    const int rest = n % 100;
    if (hundreds > 0) {
        out = hundreds == 1 ? QStringLiteral("cento") : QString::fromLatin1(kUnits[hundreds]) + QStringLiteral("cento");
        if (rest / 10 == 8)
            out.chop(1);
    }
    if (rest == 0)
        return out;
    if (rest < 20) {
        if (rest == 3 && (hundreds > 0 || afterOther))
            return out + QStringLiteral("tré");
        return out + QString::fromLatin1(kUnits[rest]);
    }
    QString tens = QString::fromLatin1(kTens[rest / 10]);
    const int unit = rest % 10;
    if (unit == 1 || unit == 8)
        tens.chop(1);
    out += tens;
    if (unit == 3)
        out += QStringLiteral("tré");
    else if (unit > 0)
        out += QString::fromLatin1(kUnits[unit]);
    return out;
}

// One group of thousands with its scale word: "mille"/"duemila",
// "unmilione"/"duemilioni", "unmiliardo"/"duemiliardi".
QString group(int n, const char *one, const char *many)
{
    if (n == 0)
        return {};
    if (n == 1)
        return QString::fromUtf8(one);
    // "tre" is not accented before the scale word: tremila, ventitremila.
    QString words = belowThousand(n);
    if (words.endsWith(QStringLiteral("tré"))) {
        words.chop(1);
        words += QLatin1Char('e');
    }
    return words + QString::fromUtf8(many);
}

} // namespace

QString number(qint64 value)
{
    if (value < 0 || value > kMaxCents / 100)
        return {};
    if (value == 0)
        return QStringLiteral("zero");
    const int billions = int(value / 1'000'000'000);
    const int millions = int(value / 1'000'000 % 1000);
    const int thousands = int(value / 1000 % 1000);
    const int units = int(value % 1000);
    const QString larger =
        group(billions, "unmiliardo", "miliardi") + group(millions, "unmilione", "milioni") +
        group(thousands, "mille", "mila");
    return larger + (units ? belowThousand(units, !larger.isEmpty()) : QString());
}

QString ofCents(qint64 cents)
{
    if (cents < 0 || cents > kMaxCents)
        return {};
    return number(cents / 100) + QLatin1Char('/') + QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
}

std::optional<qint64> centsOf(QStringView amount)
{
    const auto value = TextRules::parseAmount(amount);
    if (!value || *value < 0)
        return std::nullopt;
    const double cents = std::round(*value * 100.0);
    if (cents > double(kMaxCents))
        return std::nullopt;
    return qint64(cents);
}

std::optional<QString> ofStoredAmount(QStringView amount)
{
    const auto cents = centsOf(amount);
    if (!cents)
        return std::nullopt;
    return ofCents(*cents);
}

} // namespace AmountInWords
