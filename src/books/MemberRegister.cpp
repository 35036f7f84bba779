#include "MemberRegister.h"

#include "common/FileAccess.h"
#include "common/Platform.h"
#include "common/RecordFile.h"
#include "common/SafeSave.h"
#include "common/TSchedaSocio.h"
#include "common/TextRules.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace MemberRegister {

namespace {

const QByteArray kHeader = QByteArrayLiteral("Quintara libro soci 1");
const QByteArray kHighest = QByteArrayLiteral("Ultimo");
const QString kNoValue = QStringLiteral("-");

using Result = ArchiveResult<Book>;

QString dateText(const QDate &d) { return d.isValid() ? TextRules::formatDate(d) : kNoValue; }

// One line of text in a field: the file is tab-separated, one entry per line.
QString oneLine(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return TextRules::trim(out);
}

std::optional<Cause> causeFrom(const QString &text)
{
    if (text == kNoValue)
        return Cause::None;
    for (Cause c : causes())
        if (causeText(c) == text)
            return c;
    return std::nullopt;
}

std::optional<QDate> dateFrom(const QString &text, bool mayBeEmpty)
{
    if (mayBeEmpty && text == kNoValue)
        return QDate();
    return TextRules::parseDate(text);
}

QByteArray bytesOf(const Book &book)
{
    QByteArray out = kHeader + '\n' + kHighest + '\t' + QByteArray::number(book.highest) + '\n';
    for (const Entry &e : book.entries) {
        const QStringList fields{QString::number(e.position), QString::number(e.number), dateText(e.admitted),
                                 e.category.isEmpty() ? kNoValue : oneLine(e.category), dateText(e.left),
                                 e.cause == Cause::None ? kNoValue : causeText(e.cause)};
        out += fields.join(QLatin1Char('\t')).toUtf8() + '\n';
    }
    return out;
}

// The positive whole number the text holds, nothing for anything else.
std::optional<qint64> positiveNumber(const QString &text, qint64 max)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (!ok || n < 1 || n > max || text.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return n;
}

} // namespace

QString causeText(Cause cause)
{
    switch (cause) {
    case Cause::None:
        return {};
    case Cause::Recesso:
        return QStringLiteral("recesso");
    case Cause::Esclusione:
        return QStringLiteral("esclusione");
    case Cause::Decadenza:
        return QStringLiteral("decadenza");
    case Cause::Decesso:
        return QStringLiteral("decesso");
    }
    return {};
}

QList<Cause> causes() { return {Cause::Recesso, Cause::Esclusione, Cause::Decadenza, Cause::Decesso}; }

bool Entry::inForceOn(const QDate &day) const
{
    return admitted.isValid() && admitted <= day && (!left.isValid() || day < left);
}

const Entry *Book::at(qint64 position) const
{
    for (const Entry &e : entries)
        if (e.position == position)
            return &e;
    return nullptr;
}

QList<Entry> Book::onDate(const QDate &day) const
{
    QList<Entry> out;
    for (const Entry &e : entries)
        if (e.inForceOn(day))
            out.append(e);
    return out;
}

QString path() { return Platform::folder().file(QStringLiteral("LibroSoci.txt")); }

QString numberTakenText(int number)
{
    return QStringLiteral("Attenzione: il numero %1 del libro soci è già stato dato a un altro socio.").arg(number);
}

QString leftBeforeAdmittedText()
{
    return QStringLiteral("Attenzione: la data di uscita non può precedere la data di ammissione.");
}

std::optional<QString> problem(const Book &book, const Entry &wanted)
{
    if (!wanted.admitted.isValid())
        return QStringLiteral("Attenzione: indicare la data di ammissione del socio.");
    if (wanted.left.isValid() && wanted.left < wanted.admitted)
        return leftBeforeAdmittedText();
    if (wanted.left.isValid() != (wanted.cause != Cause::None))
        return QStringLiteral("Attenzione: la data e la causa di uscita vanno indicate insieme.");
    if (wanted.number < 0 || wanted.number == std::numeric_limits<int>::max())
        return QStringLiteral("Attenzione: il numero del libro soci non è valido.");
    for (const Entry &e : book.entries)
        if (wanted.number != 0 && e.number == wanted.number && e.position != wanted.position)
            return numberTakenText(wanted.number);
    return std::nullopt;
}

Result read(const QString &registerPath)
{
    const QString name = QFileInfo(registerPath).fileName();
    switch (FileAccess::entryAt(registerPath)) {
    case FileAccess::Entry::Missing:
        return Result::success({});
    case FileAccess::Entry::File:
        break;
    case FileAccess::Entry::Link:
        return Result::failure(QStringLiteral("%1 è un collegamento a un altro file e non viene letto").arg(name));
    default:
        return Result::failure(QStringLiteral("%1 non è un file").arg(name));
    }
    if (QFileInfo(registerPath).size() > kMaxFileSize)
        return Result::failure(QStringLiteral("%1 è troppo grande per essere un libro soci").arg(name));
    const auto bytes = FileAccess::readSmallFile(registerPath, kMaxFileSize);
    if (!bytes)
        return Result::failure(QStringLiteral("%1 non si può leggere").arg(name));

    QList<QByteArray> lines = bytes->split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    // A copy opened and saved by a Windows editor ends its lines with CR LF.
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (lines.size() < 2 || lines[0] != kHeader || !lines[1].startsWith(kHighest + '\t'))
        return Result::failure(QStringLiteral("%1 non è un libro soci di Quintara").arg(name));
    Book book;
    const auto highest = positiveNumber(QString::fromLatin1(lines[1].mid(kHighest.size() + 1)),
                                        std::numeric_limits<int>::max());
    if (!highest && lines[1] != kHighest + "\t0")
        return Result::failure(QStringLiteral("%1: la riga 2 è danneggiata").arg(name));
    book.highest = highest ? int(*highest) : 0;

    for (qsizetype i = 2; i < lines.size(); ++i) {
        const auto damaged = [&] { return Result::failure(QStringLiteral("%1: la riga %2 è danneggiata").arg(name).arg(i + 1)); };
        const QString line = QString::fromUtf8(lines[i]);
        if (line.contains(QChar::ReplacementCharacter))
            return damaged();
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 6)
            return damaged();
        Entry e;
        const auto position = positiveNumber(f[0], RecordFileBase::kMaxRecords);
        const auto number = positiveNumber(f[1], book.highest);
        const auto admitted = dateFrom(f[2], false);
        const auto left = dateFrom(f[4], true);
        const auto cause = causeFrom(f[5]);
        if (!position || !number || !admitted || !left || !cause || book.at(*position))
            return damaged();
        e.position = *position;
        e.number = int(*number);
        e.admitted = *admitted;
        e.category = f[3] == kNoValue ? QString() : f[3];
        e.left = *left;
        e.cause = *cause;
        for (const Entry &other : book.entries)
            if (other.number == e.number)
                return damaged();
        book.entries.append(e);
    }
    std::sort(book.entries.begin(), book.entries.end(), [](const Entry &a, const Entry &b) { return a.number < b.number; });
    return Result::success(book);
}

ArchiveResult<Entry> store(const QString &registerPath, const QString &membersPath, Entry wanted)
{
    using Out = ArchiveResult<Entry>;
    wanted.category = oneLine(wanted.category);
    if (const auto why = problem({}, wanted))
        return Out::failure(*why);

    // The archive's exclusive lock stands for the register's: every workstation
    // that gives a number waits here for the others.
    RecordFile<TSchedaSocio> members;
    if (!members.open(membersPath, RecordFileBase::Access::Write))
        return Out::failure(members.errorString());
    const qint64 count = members.count();
    if (count < 0)
        return Out::failure(members.errorString());
    if (wanted.position < 1 || wanted.position > count)
        return Out::failure(QStringLiteral("Attenzione: la scheda va salvata in archivio prima di iscriverla nel libro soci."));

    const Result current = read(registerPath);
    if (!current)
        return Out::failure(current.error());
    Book book = *current;
    if (wanted.number == 0) {
        const Entry *mine = book.at(wanted.position);
        wanted.number = mine ? mine->number : book.nextNumber();
    }
    if (const auto why = problem(book, wanted))
        return Out::failure(*why);

    book.entries.removeIf([&](const Entry &e) { return e.position == wanted.position; });
    book.entries.append(wanted);
    std::sort(book.entries.begin(), book.entries.end(), [](const Entry &a, const Entry &b) { return a.number < b.number; });
    book.highest = std::max(book.highest, wanted.number);

    QString error;
    if (!SafeSave::saveBytes(registerPath, bytesOf(book), &error))
        return Out::failure(error);
    members.close();
    return Out::success(wanted);
}

} // namespace MemberRegister
