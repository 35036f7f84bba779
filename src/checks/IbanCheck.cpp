#include "IbanCheck.h"

#include "common/TextRules.h"

namespace IbanCheck {

int remainder(const QString &iban)
{
    QString text = TextRules::upperAZ(iban);
    text.remove(QLatin1Char(' '));
    const qsizetype prefix = text.indexOf(QLatin1String("IBAN"));
    if (prefix >= 0)
        text.remove(prefix, 4);
    text = text.mid(4) + text.left(4);

    QString digits;
    digits.reserve(text.size() * 2);
    for (const QChar c : std::as_const(text)) {
        if (c >= u'A' && c <= u'Z')
            digits += QString::number(c.unicode() - u'A' + 10);
        else if (c >= u'0' && c <= u'9')
            digits += c;
        else
            return 0; // not a number: never a valid IBAN
    }

    // Divided in pieces so that the running number never has more than nine digits.
    QString accumulator;
    qsizetype piece = 9;
    int result = 0;
    qsizetype pos = 0;
    while (pos < digits.size()) {
        accumulator += digits.mid(pos, piece);
        pos += piece;
        result = int(accumulator.toLongLong() % 97);
        accumulator = QString::number(result);
        piece = 9 - accumulator.size();
    }
    return result;
}

CheckOutcome check(const QString &typed)
{
    const QString iban = TextRules::trim(typed);
    if (iban.size() != 27)
        return {CheckOutcome::Kind::Warning,
                QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici."), false};
    if (remainder(iban) == 1)
        return {CheckOutcome::Kind::Information, QStringLiteral("L'IBAN digitato è VALIDO."), true};
    return {CheckOutcome::Kind::Warning, QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!"), true};
}

} // namespace IbanCheck
