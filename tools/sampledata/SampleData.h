#pragma once

#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"

#include <QString>

// Realistic sample archives for demonstrations, screenshots and measurements:
// Italian names and towns, tax codes with their correct check character, fees,
// expiry dates around today (Platform::clock()), and a year of income and
// expense movements whose payers are members. The same seed always gives the
// same bytes, and any record can be made on its own without the ones before it,
// so archives of any size are written in constant memory.
class SampleData
{
public:
    explicit SampleData(quint64 seed = 1);

    // Member card number `index` (0-based) of the archive.
    TSchedaSocio member(qint64 index) const;
    // Movement `index` (0-based) of `count` in the register of `year`; payers of
    // income are drawn from the first `members` member cards. Dates grow with the
    // index, as cards saved through the year do.
    TSchedaMovimento movement(int year, qint64 index, qint64 count, qint64 members) const;

    // Writes "Soci.pro" with `members` cards and "<year>.eur" with `movements`
    // cards into `folder` (existing files of those names are replaced). False
    // with the reason in *error when a file cannot be written.
    bool writeArchives(const QString &folder, qint64 members, int year, qint64 movements,
                       QString *error = nullptr) const;

    // The tax code of a person; names may hold accents, blanks and apostrophes.
    static QString taxCode(const QString &surname, const QString &name, const QDate &birth, bool female,
                           const QString &townCode);

private:
    const quint64 m_seed;
};
