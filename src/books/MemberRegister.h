#pragma once

#include "common/ArchiveResult.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The register of members: for each card of Soci.pro that was admitted, its
// register number (given in order of admission, never given again), the day of
// the board's admission, the category, and the day and cause of leaving. It is
// kept in LibroSoci.txt beside the archive, keyed to the card's position, so the
// archive's bytes stay as they are. A member who left stays in the register.
namespace MemberRegister {

enum class Cause { None, Recesso, Esclusione, Decadenza, Decesso };

// "recesso", "esclusione"... as the register prints them; empty for None.
QString causeText(Cause cause);
// The causes the user may choose, in order, without None.
QList<Cause> causes();

struct Entry
{
    qint64 position = 0; // 1-based position of the card in Soci.pro
    int number = 0;      // 0 on a new entry: the next free number is given
    QDate admitted;
    QString category;
    QDate left; // null while the member is in force
    Cause cause = Cause::None;

    // A member on `day`: admitted on or before it and not yet left (the day of
    // leaving is no longer a member's day).
    bool inForceOn(const QDate &day) const;
    bool operator==(const Entry &) const = default;
};

struct Book
{
    QList<Entry> entries; // in number order
    int highest = 0;      // the highest number ever given

    const Entry *at(qint64 position) const;
    int nextNumber() const { return highest + 1; }
    // Who was a member on `day`, in number order.
    QList<Entry> onDate(const QDate &day) const;
};

inline constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

// LibroSoci.txt in the program's folder.
QString path();

// Reads the register. An absent file is an empty register; a link, a folder, a
// file too large, one of another program or a damaged line gives the reason,
// in words the user can read.
ArchiveResult<Book> read(const QString &registerPath);

// Stores `wanted` for its card: a number of 0 takes the next free one. All of it
// happens under the member archive's exclusive lock (the archive at
// membersPath is opened for writing but never written), from reading the
// register to the checked save, so two workstations never give one number
// twice. Refused with a message: a card not in the archive, a missing or
// missing admission day, leaving before admission, a cause without a day or
// a day without a cause, a number already given to another card. The entry as
// stored.
ArchiveResult<Entry> store(const QString &registerPath, const QString &membersPath, Entry wanted);

// Why `wanted` cannot go into `book` as it is, in the user's words; nothing
// when it can. A number of 0 stands for the next free one.
std::optional<QString> problem(const Book &book, const Entry &wanted);

// The refusals, as the user reads them.
QString numberTakenText(int number);
QString leftBeforeAdmittedText();

} // namespace MemberRegister
