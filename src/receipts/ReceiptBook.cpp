#include "ReceiptBook.h"

#include "ReceiptArchive.h"
#include "common/RecordFile.h"
#include "common/TextRules.h"

#include <QFileInfo>

#include <algorithm>

namespace ReceiptBook {

namespace {

// Eighteen digits: every number read fits a qint64, and so does the next one.
constexpr qsizetype kMaxDigits = 18;
constexpr qint64 kLastNumber = 999'999'999'999'999'999;

const RecordCodec::FieldSlot &ricevutaSlot()
{
    static const RecordCodec::FieldSlot slot = RecordCodec::slotOf(&TSchedaMovimento::Ricevuta);
    return slot;
}

// The number a stored record's Ricevuta field holds, read from its bytes.
std::optional<Number> storedNumber(const char *record)
{
    const QByteArrayView field = RecordCodec::trimmedBytes(record, ricevutaSlot());
    // Digits and "/" are the same in Windows-1252 as in Latin-1.
    return numberIn(QString::fromLatin1(field.data(), field.size()));
}

} // namespace

std::optional<Number> numberIn(QStringView ricevuta)
{
    const QStringView t = ricevuta.trimmed();
    qsizetype i = 0;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
        ++i;
    if (i == 0 || i > kMaxDigits || i >= t.size() || t[i] != QLatin1Char('/'))
        return std::nullopt;
    const qsizetype slash = i;
    ++i;
    qsizetype yearDigits = 0;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
        ++i;
        ++yearDigits;
    }
    if (yearDigits != 4 || (i < t.size() && !t[i].isSpace()))
        return std::nullopt;
    Number n;
    n.n = t.left(slash).toLongLong();
    n.year = t.mid(slash + 1, 4).toInt();
    if (n.n < 1)
        return std::nullopt;
    return n;
}

QString fieldWith(const Number &number, const QString &previous)
{
    const QString kept = TextRules::trim(previous);
    const QString text = kept.isEmpty() ? number.text() : number.text() + QStringLiteral(" - ") + kept;
    return text.left(ricevutaSlot().capacity);
}

std::optional<int> yearOfFile(const QString &path)
{
    const QFileInfo info(path);
    const QString base = info.completeBaseName();
    if (info.suffix().compare(QLatin1String("eur"), Qt::CaseInsensitive) != 0 || base.size() != 4)
        return std::nullopt;
    for (const QChar c : base)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return base.toInt();
}

Outcome issue(const QString &yearFile, qint64 position1, const TSchedaMovimento &shown,
              const ReceiptContent::Issuer &issuer, bool donation)
{
    Outcome out;
    const auto year = yearOfFile(yearFile);
    if (!year) {
        out.error = QStringLiteral("%1 non è un registro annuale").arg(yearFile);
        return out;
    }
    RecordFile<TSchedaMovimento> file;
    auto fail = [&](Outcome::Kind kind = Outcome::Kind::Failed) {
        out.kind = kind;
        if (kind == Outcome::Kind::Failed)
            out.error = file.errorString();
        file.close();
        return out;
    };
    // The exclusive lock covers the scan, the choice of the number and the write.
    if (!file.open(yearFile, RecordFileBase::Access::Write))
        return fail();
    const qint64 count = file.count();
    if (count < 0)
        return fail();
    if (position1 < 1 || position1 > count)
        return fail(Outcome::Kind::NotFound);

    // The highest number of the year: a number given and later cleared by hand
    // stays a gap, never given twice.
    qint64 highest = 0;
    QByteArray stored;
    for (qint64 p = 1; p <= count; ++p) {
        const char *raw = file.readNextInPlace();
        if (!raw)
            return fail();
        if (p == position1)
            stored = QByteArray(raw, TSchedaMovimento::Size);
        if (const auto n = storedNumber(raw); n && n->year == *year)
            highest = std::max(highest, n->n);
    }

    out.record = RecordCodec::decode<TSchedaMovimento>(stored.constData());
    if (!(out.record == shown))
        return fail(Outcome::Kind::Changed);
    // A receipt says the money was received.
    if (TextRules::trim(out.record.Saldato) != kYes)
        return fail(Outcome::Kind::NotSettled);

    const QString archivePath = ReceiptArchive::pathFor(yearFile);
    QString archiveError;
    const auto archive = ReceiptArchive::read(archivePath, &archiveError);
    auto archiveFailed = [&] {
        out.kind = Outcome::Kind::Failed;
        out.error = archiveError;
        file.close();
        return out;
    };
    if (!archive)
        return archiveFailed();
    if (const auto n = storedNumber(stored.constData())) {
        out.number = *n;
        out.content = ReceiptArchive::find(*archive, n->text());
        return fail(Outcome::Kind::Duplicate);
    }

    // A number kept in the receipt file is never given again, even when the
    // field that held it was cleared by hand.
    out.number = Number{highest + 1, *year};
    while (out.number.n <= kLastNumber && ReceiptArchive::holds(*archive, out.number.text()))
        ++out.number.n;
    if (out.number.n > kLastNumber) {
        archiveError = QStringLiteral("i numeri di ricevuta dell'anno %1 sono esauriti").arg(*year);
        return archiveFailed();
    }
    // What the receipt prints is kept before the number goes into the movement.
    out.content = ReceiptContent::of(out.record, out.number.text(), issuer, false, donation);
    if (!ReceiptArchive::save(archivePath, ReceiptArchive::with(*archive, *out.content), &archiveError))
        return archiveFailed();

    out.record.Ricevuta = fieldWith(out.number, out.record.Ricevuta);
    // Only the Ricevuta field is rewritten: every other byte of the record,
    // those after a field's text included, stays as it was.
    QByteArray updated = stored;
    RecordCodec::putField(updated.data() + ricevutaSlot().offset, ricevutaSlot().capacity, out.record.Ricevuta);
    if (!file.overwriteRaw(position1, updated))
        return fail();
    // The save is checked: the record is read back and compared.
    QByteArray back;
    if (!file.readRaw(position1, back))
        return fail();
    if (back != updated) {
        out.error = QStringLiteral("la scheda riletta non corrisponde a quella scritta");
        out.kind = Outcome::Kind::Failed;
        file.close();
        return out;
    }
    out.kind = Outcome::Kind::Issued;
    file.close();
    return out;
}

std::optional<QList<Entry>> receipts(const QString &yearFile, QString *error)
{
    const auto year = yearOfFile(yearFile);
    QList<Entry> list;
    if (!year)
        return list;
    RecordFile<TSchedaMovimento> file;
    auto fail = [&]() -> std::optional<QList<Entry>> {
        if (error)
            *error = file.errorString();
        file.close();
        return std::nullopt;
    };
    if (!file.open(yearFile, RecordFileBase::Access::Read))
        return fail();
    const qint64 count = file.count();
    if (count < 0)
        return fail();
    for (qint64 p = 1; p <= count; ++p) {
        const char *raw = file.readNextInPlace();
        if (!raw)
            return fail();
        if (const auto n = storedNumber(raw); n && n->year == *year)
            list.append({*n, p, RecordCodec::decode<TSchedaMovimento>(raw)});
    }
    file.close();
    std::stable_sort(list.begin(), list.end(), [](const Entry &a, const Entry &b) { return a.number.n < b.number.n; });
    return list;
}

} // namespace ReceiptBook
