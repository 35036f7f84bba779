#include "BankReaders.h"
#include "BankText.h"

#include "common/Win1252.h"

#include <QRegularExpression>

namespace {

// Where a bank puts each value in its records, counted from the record type,
// 0-based, end excluded. Another bank's variant is another row.
struct CbiLayout
{
    struct Span
    {
        int from, to;
    };
    Span movementNumber62, booking, value, sign, amount, reason, reference, description;
    Span movementNumber63, tag, text;
    Span closingDate, closingSign, closingAmount;
};
constexpr CbiLayout kLayouts[] = {
    {{9, 12}, {12, 18}, {18, 24}, {24, 25}, {25, 40}, {40, 43}, {43, 60}, {60, 1000},
     {9, 12}, {12, 15}, {15, 1000},
     {12, 18}, {18, 19}, {19, 34}},
};

QString at(const QString &record, CbiLayout::Span s)
{
    return record.mid(s.from, s.to - s.from);
}

// "000000004377,96" with its sign letter.
std::optional<qint64> signedAmount(const QString &sign, const QString &amount)
{
    if (sign != QLatin1String("C") && sign != QLatin1String("D"))
        return std::nullopt;
    static const QRegularExpression form(QStringLiteral("^\\d{12},\\d{2}$"));
    if (!form.match(amount).hasMatch())
        return std::nullopt;
    QString digits = amount;
    while (digits.startsWith(QLatin1Char('0')) && digits.indexOf(QLatin1Char(',')) > 1)
        digits.remove(0, 1);
    const auto cents = BankText::parseCents(digits);
    if (!cents)
        return std::nullopt;
    return sign == QLatin1String("D") ? -*cents : *cents;
}

} // namespace

namespace BankReaders {

BankStatement readCbi(const QByteArray &bytes)
{
    BankStatement out;
    const CbiLayout &l = kLayouts[0];
    if (bytes.contains('\0')) {
        out.error = QStringLiteral("Il file non è un testo: contiene dati binari.");
        return out;
    }
    const QList<QByteArray> lines = bytes.split('\n');
    bool seenHeader = false;
    QString movementNumber; // of the last 62 record, which 63 records continue
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = int(i) + 1;
        QString record = Win1252::decode(lines[i]);
        while (record.endsWith(QLatin1Char('\r')))
            record.chop(1);
        if (record.startsWith(QLatin1Char(' ')))
            record.remove(0, 1); // one bank puts a blank before every record
        if (record.trimmed().isEmpty())
            continue;
        const QString type = record.left(2);
        const auto refuse = [&](const QString &why) { out.refused.append({lineNo, why}); };
        if (type == QLatin1String("RH") || type == QLatin1String("EF") || type == QLatin1String("65")) {
            seenHeader = true;
        } else if (type == QLatin1String("61")) {
            seenHeader = true;
            static const QRegularExpression balance(QStringLiteral("([A-Z]{3})(\\d{6})([CD])(\\d{12},\\d{2})"));
            const auto m = balance.match(record);
            if (!m.hasMatch()) {
                refuse(QStringLiteral("saldo iniziale non leggibile"));
                continue;
            }
            if (m.captured(1) != QLatin1String("EUR")) {
                out.error = QStringLiteral("Riga %1: il conto è in %2; si importano solo estratti conto in euro.")
                                .arg(lineNo)
                                .arg(m.captured(1));
                return out;
            }
            const auto date = BankText::parseDdmmyy(m.captured(2));
            const auto cents = signedAmount(m.captured(3), m.captured(4));
            if (!date || !cents)
                refuse(QStringLiteral("saldo iniziale non leggibile"));
            else
                out.opening = BankBalance{*date, *cents};
        } else if (type == QLatin1String("62")) {
            seenHeader = true;
            movementNumber.clear();
            const auto booking = BankText::parseDdmmyy(at(record, l.booking));
            const auto value = BankText::parseDdmmyy(at(record, l.value));
            const auto cents = signedAmount(at(record, l.sign), at(record, l.amount));
            if (!booking || !value) {
                refuse(QStringLiteral("data non valida: \"%1\"").arg(at(record, booking ? l.value : l.booking)));
                continue;
            }
            if (!cents) {
                refuse(QStringLiteral("importo non valido: \"%1%2\"").arg(at(record, l.sign), at(record, l.amount)));
                continue;
            }
            BankRow row;
            row.line = lineNo;
            row.booking = *booking;
            row.value = *value;
            row.cents = *cents;
            row.reference = at(record, l.reference).trimmed();
            row.description = at(record, l.description).simplified();
            out.rows.append(row);
            movementNumber = at(record, l.movementNumber62);
        } else if (type == QLatin1String("63")) {
            seenHeader = true;
            if (movementNumber.isEmpty() || at(record, l.movementNumber63) != movementNumber)
                continue; // more text for a movement that was refused
            BankRow &row = out.rows.last();
            const QString tag = at(record, l.tag);
            const QString text = at(record, l.text).simplified();
            if (tag == QLatin1String("YYY")) {
                if (row.counterparty.isEmpty())
                    row.counterparty = text.left(50).trimmed();
            } else if (tag == QLatin1String("ID1")) {
                if (row.reference.isEmpty())
                    row.reference = text;
            } else if (!text.isEmpty()) {
                row.extended = row.extended.isEmpty() ? text : row.extended + QLatin1Char(' ') + text;
            }
        } else if (type == QLatin1String("64")) {
            seenHeader = true;
            const auto date = BankText::parseDdmmyy(at(record, l.closingDate));
            const auto cents = signedAmount(at(record, l.closingSign), at(record, l.closingAmount));
            if (!date || !cents)
                refuse(QStringLiteral("saldo finale non leggibile"));
            else
                out.closing = BankBalance{*date, *cents};
        } else if (!seenHeader) {
            out.error = QStringLiteral("Il file non è un estratto conto: la riga %1 non è un record CBI.").arg(lineNo);
            return out;
        } else {
            refuse(QStringLiteral("record di tipo sconosciuto \"%1\"").arg(type));
        }
    }
    if (!seenHeader)
        out.error = QStringLiteral("Il file è vuoto.");
    return out;
}

} // namespace BankReaders
