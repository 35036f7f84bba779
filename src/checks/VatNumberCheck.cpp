#include "VatNumberCheck.h"

#include "VatOffices.h"
#include "common/TextRules.h"

namespace VatNumberCheck {

namespace {
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
} // namespace

int checkDigit(const QString &number)
{
    if (number.size() < 10)
        return -1;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        const QChar c = number.at(i);
        if (!isDigit(c))
            return -1;
        const int d = c.unicode() - u'0';
        if (i % 2 == 0) {
            sum += d; // d1, d3, ... d9
        } else {
            const int twice = 2 * d; // d2, d4, ... d10: the digits of the double
            sum += twice / 10 + twice % 10;
        }
    }
    const int r = sum % 10;
    return r == 0 ? 0 : 10 - r;
}

bool isValid(const QString &number)
{
    if (number.size() != 11 || !isDigit(number.at(10)))
        return false;
    const int expected = checkDigit(number);
    return expected >= 0 && number.at(10).unicode() - u'0' == expected;
}

CheckOutcome check(const QString &typed)
{
    const QString number = TextRules::upperAZ(typed);
    if (number.size() != 11)
        return {CheckOutcome::Kind::Warning,
                QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."), false};
    const QString paragraph = QStringLiteral("\r\n\r\n");
    if (isValid(number))
        return {CheckOutcome::Kind::Information,
                QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.") + paragraph +
                    QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ") +
                    VatOffices::name(number.mid(7, 3)) + QStringLiteral("."),
                true};
    return {CheckOutcome::Kind::Warning,
            QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!") + paragraph +
                QStringLiteral("Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
                               "rilasciato."),
            true};
}

} // namespace VatNumberCheck
