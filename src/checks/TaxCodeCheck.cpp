#include "TaxCodeCheck.h"

#include "common/TextRules.h"

namespace TaxCodeCheck {

namespace {

// Values of the characters "0".."Z" in odd positions (1, 3, ... 15). The seven
// signs between "9" and "A" count nothing.
constexpr int kOdd[] = {
    1,  0,  5,  7,  9,  13, 15, 17, 19, 21,                   // 0-9
    0,  0,  0,  0,  0,  0,  0,                                // : ; < = > ? @
    1,  0,  5,  7,  9,  13, 15, 17, 19, 21,                   // A-J
    2,  4,  18, 20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23, // K-Z
};
static_assert(sizeof(kOdd) / sizeof(kOdd[0]) == 'Z' - '0' + 1);

int evenValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'Z')
        return c - u'A';
    return 0;
}

} // namespace

QChar checkCharacter(const QString &code)
{
    if (code.size() < 15)
        return {};
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const char16_t c = code.at(i).unicode();
        if (c < u'0' || c > u'Z')
            return {};
        // Position i + 1 is odd when i is even.
        sum += (i % 2 == 0) ? kOdd[c - u'0'] : evenValue(c);
    }
    return QChar(u'A' + sum % 26);
}

bool isValid(const QString &code)
{
    if (code.size() != 16)
        return false;
    const QChar expected = checkCharacter(code);
    return !expected.isNull() && code.at(15) == expected;
}

CheckOutcome check(const QString &typed)
{
    const QString code = TextRules::upperAZ(typed);
    if (code.size() != 16)
        return {CheckOutcome::Kind::Warning,
                QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."),
                false};
    if (isValid(code))
        return {CheckOutcome::Kind::Information, QStringLiteral("Il codice fiscale digitato è VALIDO."), true};
    return {CheckOutcome::Kind::Warning, QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."), true};
}

} // namespace TaxCodeCheck
