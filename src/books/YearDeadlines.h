#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The association's yearly duties towards the national register of the Third
// Sector, for the reminder after the login. Each is shown from 30 days before
// its day until the user marks it done, late ones included:
// - the statement of the year before, filed by 30 June;
// - the members' count brought up to date in the register, by 30 June;
// - the report on a 5 per mille contribution, within a year of its receipt
//   (the day of receipt is typed by the user).
// What was done, and the day of receipt, live in Adempimenti.ini beside the
// program, a file of their own.
namespace YearDeadlines {

enum class Kind { Statement, MembersCount, FivePerMille };

struct Deadline
{
    Kind kind = Kind::Statement;
    QDate due;
    int year = 0; // the year the duty is for: the statement's, the count's, the receipt's
    // "Deposito del rendiconto 2023 entro il 30/06/2024", and the days left or late.
    QString text(const QDate &today) const;
    bool operator==(const Deadline &) const = default;
};

inline constexpr int kNoticeDays = 30;
inline constexpr qint64 kMaxFileSize = 64 * 1024;

QString path();

// The duties of `today` still to be done, in order of day, from the settings' bytes.
QList<Deadline> pending(const QByteArray &settings, const QDate &today);

// The same from the file; a file that cannot be read gives nothing.
QList<Deadline> pending(const QString &settingsPath, const QDate &today);

// Marks the duty done on `day`; every other line of the file stays as it was.
// False when the file could not be read or written (it is then left as it was).
[[nodiscard]] bool markDone(const QString &settingsPath, const Deadline &deadline, const QDate &day);

// Keeps the day a 5 per mille contribution was received.
[[nodiscard]] bool setFivePerMilleReceived(const QString &settingsPath, const QDate &received);
std::optional<QDate> fivePerMilleReceived(const QString &settingsPath);

} // namespace YearDeadlines
