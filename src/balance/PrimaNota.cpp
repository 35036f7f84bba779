#include "PrimaNota.h"

#include "common/RecordFile.h"
#include "common/RowBytes.h"
#include "common/Win1252.h"
#include "common/TSchedaMovimento.h"
#include "common/TextRules.h"

#include <algorithm>
#include <cmath>

namespace PrimaNota {

namespace {

const QString kEuro = QStringLiteral(" €");
const QString kLfCrLfCr = QStringLiteral("\n\r\n\r");

using Slot = RecordCodec::FieldSlot;

// The row of a listed movement straight from its stored fields (trimmed
// Windows-1252 bytes), written over `out`: the same text as row() gives for
// the decoded fields, with no string per column.
void rowBytes(QByteArray &out, QByteArrayView causale, QByteArrayView data, QByteArrayView pagatore,
              QByteArrayView beneficiario, QByteArrayView totale)
{
    out.clear();
    if (totale.startsWith('+'))
        out.append("ENTRATA  ");
    else if (totale.startsWith('-'))
        out.append("USCITA   ");
    else
        out.append("         ");
    RowBytes::fit(out, causale, 40);
    out.append("  Data: ");
    RowBytes::fit(out, data, 10);
    out.append("  Da: ");
    RowBytes::fit(out, pagatore, 28);
    out.append("  A: ");
    RowBytes::fit(out, beneficiario, 28);
    out.append("  Importo: ");
    out.append(totale);
}

// Decimal digits of an amount as stored ("+12,50" has 2).
int decimalsOf(QStringView amount)
{
    const qsizetype comma = amount.indexOf(QLatin1Char(','));
    return comma < 0 ? 0 : int(amount.size() - comma - 1);
}

// The totals are written as plain decimals, which have no room for a sum of
// sixteen digits or more, nor for one that is not a number at all.
bool showable(double sum) { return std::isfinite(sum) && std::fabs(sum) < 1e15; }

// A running sum of amounts with at most `decimals` decimals, freed of the
// binary drift that many additions leave in its last digits: 28 payments of
// 0,03 make 0,84, not 0,840000000000001. A sum whose amounts carry more
// decimals keeps them.
double settled(double sum, int decimals)
{
    if (decimals < 0 || decimals > 15)
        return sum;
    const double scale = std::pow(10.0, decimals);
    if (!(std::fabs(sum * scale) < 9e15))
        return sum;
    return std::round(sum * scale) / scale;
}

// The label text of a total at the end of a complete listing.
QString shown(double sum, int decimals)
{
    const double value = settled(sum, decimals);
    QString text = TextRules::formatGeneral(value);
    // The general format turns to an exponent for sums below 0,0001 or that its
    // fifteen digits round up to 10^15: such a sum is written out in full, with
    // the decimals its amounts have, so a total is always digits and a comma.
    if (text.contains(QLatin1Char('e'))) {
        text = QString::number(value, 'f', std::clamp(decimals, 0, 15));
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    }
    return TextRules::trim(twoDecimalForm(text)) + kEuro;
}

QString quoted(const QString &value, const char *whenEmpty)
{
    return value.isEmpty() ? QString::fromUtf8(whenEmpty) : QStringLiteral("\"") + value + QStringLiteral("\"");
}

} // namespace

QString row(const QString &causale, const QString &data, const QString &pagatore, const QString &beneficiario,
            const QString &totale)
{
    const auto stored = [](const QString &text) { return Win1252::encode(TextRules::trim(text)); };
    QByteArray out;
    rowBytes(out, stored(causale), stored(data), stored(pagatore), stored(beneficiario), stored(totale));
    return Win1252::decode(out);
}

QString twoDecimalForm(const QString &text)
{
    QString t = text;
    if (!t.contains(QLatin1Char(',')))
        t += QLatin1String(",00");
    if (TextRules::trim(t) == QLatin1String(","))
        t = QStringLiteral("0,00");
    if (t.startsWith(QLatin1Char(',')))
        t = QLatin1Char('0') + TextRules::trim(t);
    if (t.endsWith(QLatin1Char(',')))
        t = TextRules::trim(t) + QLatin1String("00");
    if (t.size() >= 2 && t.at(t.size() - 2) == QLatin1Char(',') && t.back() >= QLatin1Char('0') &&
        t.back() <= QLatin1Char('9'))
        t = TextRules::trim(t) + QLatin1Char('0');
    return t;
}

QString interval(const QString &startDate, const QString &endDate)
{
    return QStringLiteral("Dal   ") + TextRules::trim(startDate) + QStringLiteral("   al   ") +
           TextRules::trim(endDate);
}

QString notCalculated() { return QStringLiteral("non calcolato"); }

Result list(const Request &request)
{
    using RecordCodec::slotOf;
    static const Slot data = slotOf(&TSchedaMovimento::Data);
    static const Slot causale = slotOf(&TSchedaMovimento::Causale);
    static const Slot totale = slotOf(&TSchedaMovimento::Totale);
    static const Slot pagatore = slotOf(&TSchedaMovimento::Pagatore);
    static const Slot beneficiario = slotOf(&TSchedaMovimento::Beneficiario);

    Result out;
    const QString heading = TextRules::trim(request.filter);
    out.heading = heading.isEmpty() ? QStringLiteral("- - -") : heading;
    // The listed rows, gathered in one table of bytes.
    RowBytes rows;
    const auto stopAt = [&](Stop why) {
        out.stop = why;
        out.rows = rows.takeRows();
        out.income = out.expense = out.balance = notCalculated();
        return out;
    };

    RecordFile<TSchedaMovimento> file;
    if (!file.open(request.path, RecordFileBase::Access::Read)) {
        out.error = file.errorString();
        return stopAt(Stop::NotOpened);
    }
    const qint64 count = file.count();
    if (count < 0) {
        out.error = file.errorString();
        return stopAt(Stop::NotOpened);
    }
    // The chooser hands over real dates; anything else lists nothing.
    const auto from = TextRules::parseDate(TextRules::trim(request.startDate));
    const auto to = TextRules::parseDate(TextRules::trim(request.endDate));
    const bool filtered = !heading.isEmpty();
    const QString key = TextRules::lowerAZ(request.filter);

    double income = 0;
    double expense = 0;
    double balance = 0;
    int decimals = 0; // the most any listed amount carries
    // Fields are decoded into these, and rows composed in `line`, without a
    // string of their own: one string per listed row.
    RecordCodec::FieldChars reasonChars;
    RecordCodec::FieldChars dateChars;
    RecordCodec::FieldChars amountChars;
    QByteArray line;
    line.reserve(400);
    rows.reserve(count);
    for (qint64 position = 1; position <= count; ++position) {
        const char *record = file.readNextInPlace();
        if (!record) {
            out.stopPosition = position;
            out.error = file.errorString();
            return stopAt(Stop::ReadError);
        }
        if (filtered && !ListRows::containsLowerAZ(RecordCodec::trimmedText(record, causale, reasonChars), key))
            continue;
        const QStringView dataText = RecordCodec::trimmedText(record, data, dateChars);
        const auto date = TextRules::parseDate(dataText);
        if (!date) {
            out.stopPosition = position;
            out.stopValue = dataText.toString();
            return stopAt(Stop::BadDate);
        }
        if (!from || !to || *from > *date || *date > *to)
            continue;
        const QByteArrayView amountBytes = RecordCodec::trimmedBytes(record, totale);
        // The row is listed before its amount is read: a movement whose amount
        // cannot be read stays in the list, where the user can find it.
        rowBytes(line, RecordCodec::trimmedBytes(record, causale), RecordCodec::trimmedBytes(record, data),
                 RecordCodec::trimmedBytes(record, pagatore), RecordCodec::trimmedBytes(record, beneficiario),
                 amountBytes);
        rows.beginRow(position);
        rows.append(line);
        const QStringView amountText = RecordCodec::trimmedText(record, totale, amountChars);
        // An amount is a sign, digits and one comma: a record holding an exponent
        // ("+1e3") was not written by the card and is not counted as a thousand.
        const auto amount = TextRules::parseAmount(amountText);
        if (!amount) {
            out.stopPosition = position;
            out.stopValue = amountText.toString();
            return stopAt(Stop::BadAmount);
        }
        decimals = std::max(decimals, decimalsOf(amountText));
        if (amountText.startsWith(QLatin1Char('+')))
            income += *amount;
        else if (amountText.startsWith(QLatin1Char('-')))
            expense += *amount;
        balance += *amount;
    }
    file.close();
    if (!showable(income) || !showable(expense) || !showable(balance))
        return stopAt(Stop::TooLarge);
    out.rows = rows.takeRows();
    out.interval = interval(request.startDate, request.endDate);
    out.income = shown(income, decimals);
    out.expense = shown(expense, decimals);
    out.balance = shown(balance, decimals);
    return out;
}

QString stopWarning(const Result &r, const QString &fileName)
{
    const QString advice = QStringLiteral(
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
    const QString movement = QStringLiteral("il movimento n. %1 dell'archivio %2").arg(r.stopPosition).arg(fileName);
    switch (r.stop) {
    case Stop::None:
        return {};
    case Stop::NotOpened:
        return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio %1, per cui il "
                              "riepilogo non può essere compilato.")
                   .arg(fileName) +
               kLfCrLfCr + advice;
    case Stop::ReadError:
        return QStringLiteral("Attenzione: non è stato possibile leggere il movimento n. %1 dell'archivio %2, per "
                              "cui il riepilogo è incompleto e i totali non sono stati calcolati.")
                   .arg(r.stopPosition)
                   .arg(fileName) +
               kLfCrLfCr + advice;
    case Stop::BadDate:
        return QStringLiteral("Attenzione: ") + movement +
               QStringLiteral(" ha una data dell'operazione che non è possibile leggere (%1), per cui il "
                              "riepilogo si ferma prima di esso e i totali non sono stati calcolati.")
                   .arg(quoted(r.stopValue, "nessuna data")) +
               kLfCrLfCr +
               QStringLiteral("Correggere la data nella scheda del movimento e visualizzare di nuovo il riepilogo.");
    case Stop::TooLarge:
        return QStringLiteral("Attenzione: la somma degli importi dei movimenti elencati supera il valore più grande "
                              "che il riepilogo può mostrare, per cui i totali non sono stati calcolati.") +
               kLfCrLfCr +
               QStringLiteral("Controllare gli importi nelle schede dei movimenti dell'archivio %1.").arg(fileName);
    case Stop::BadAmount:
        return QStringLiteral("Attenzione: ") + movement +
               QStringLiteral(" ha un importo che non è possibile leggere (%1), per cui il riepilogo si ferma a "
                              "questo movimento e i totali non sono stati calcolati.")
                   .arg(quoted(r.stopValue, "nessun importo")) +
               kLfCrLfCr +
               QStringLiteral(
                   "Correggere l'importo nella scheda del movimento e visualizzare di nuovo il riepilogo.");
    }
    return {};
}

} // namespace PrimaNota
