#include "YearDeadlines.h"

#include "common/FileAccess.h"
#include "common/Platform.h"
#include "common/SafeSave.h"
#include "common/TextRules.h"
#include "common/IniText.h"

#include <algorithm>

namespace YearDeadlines {

namespace {

const QString kSection = QStringLiteral("Adempimenti");
const QString kReceived = QStringLiteral("CinquePerMilleRicevuto");

// The key that holds the day a duty was done.
QString doneKey(const Deadline &d)
{
    switch (d.kind) {
    case Kind::Statement:
        return QStringLiteral("RendicontoDepositato%1").arg(d.year);
    case Kind::MembersCount:
        return QStringLiteral("NumeroSociAggiornato%1").arg(d.year);
    case Kind::FivePerMille:
        return QStringLiteral("CinquePerMilleRendicontato%1").arg(d.year);
    }
    return {};
}

std::optional<QDate> dateIn(const IniText &ini, const QString &key)
{
    const QString value = ini.value(kSection, key);
    return value.isNull() ? std::nullopt : TextRules::parseDate(value.trimmed());
}

} // namespace

QString Deadline::text(const QDate &today) const
{
    QString what;
    switch (kind) {
    case Kind::Statement:
        what = QStringLiteral("Deposito al RUNTS del rendiconto %1").arg(year);
        break;
    case Kind::MembersCount:
        what = QStringLiteral("Aggiornamento al RUNTS del numero dei soci (%1)").arg(year);
        break;
    case Kind::FivePerMille:
        what = QStringLiteral("Rendiconto del 5 per mille ricevuto nel %1").arg(year);
        break;
    }
    const qint64 left = today.daysTo(due);
    const QString when = left > 1    ? QStringLiteral("mancano %1 giorni").arg(left)
                         : left == 1 ? QStringLiteral("manca 1 giorno")
                         : left == 0 ? QStringLiteral("scade oggi")
                                     : QStringLiteral("scaduto da %1 giorni").arg(-left);
    return QStringLiteral("%1 entro il %2 (%3)").arg(what, TextRules::formatDate(due), when);
}

QString path() { return Platform::folder().file(QStringLiteral("Adempimenti.ini")); }

QList<Deadline> pending(const QByteArray &settings, const QDate &today)
{
    const IniText ini = IniText::parse(settings);
    QList<Deadline> all;
    const int y = today.year();
    all.append({Kind::Statement, QDate(y, 6, 30), y - 1});
    all.append({Kind::MembersCount, QDate(y, 6, 30), y});
    if (const auto received = dateIn(ini, kReceived))
        all.append({Kind::FivePerMille, received->addYears(1), received->year()});
    QList<Deadline> out;
    for (const Deadline &d : all)
        if (today >= d.due.addDays(-kNoticeDays) && !dateIn(ini, doneKey(d)))
            out.append(d);
    std::stable_sort(out.begin(), out.end(), [](const Deadline &a, const Deadline &b) { return a.due < b.due; });
    return out;
}

QList<Deadline> pending(const QString &settingsPath, const QDate &today)
{
    const auto content = FileAccess::readSmallFile(settingsPath, kMaxFileSize);
    return content ? pending(*content, today) : QList<Deadline>();
}

bool markDone(const QString &settingsPath, const Deadline &deadline, const QDate &day)
{
    // A file that cannot be read is not replaced: what is there is not ours to lose.
    const auto content = FileAccess::readSmallFile(settingsPath, kMaxFileSize);
    if (!content)
        return false;
    IniText ini = IniText::parse(*content);
    ini.setValue(kSection, doneKey(deadline), TextRules::formatDate(day));
    return SafeSave::saveBytes(settingsPath, ini.toBytes());
}

bool setFivePerMilleReceived(const QString &settingsPath, const QDate &received)
{
    const auto content = FileAccess::readSmallFile(settingsPath, kMaxFileSize);
    if (!content || !received.isValid())
        return false;
    IniText ini = IniText::parse(*content);
    ini.setValue(kSection, kReceived, TextRules::formatDate(received));
    return SafeSave::saveBytes(settingsPath, ini.toBytes());
}

std::optional<QDate> fivePerMilleReceived(const QString &settingsPath)
{
    const auto content = FileAccess::readSmallFile(settingsPath, kMaxFileSize);
    return content ? dateIn(IniText::parse(*content), kReceived) : std::nullopt;
}

} // namespace YearDeadlines
