#include "YearCache.h"

const YearMovements *YearCache::get(int year)
{
    // A year outside four digits has no file, and so no movements.
    if (year < 1000 || year > 9999) {
        m_none = YearMovements{};
        m_none.year = year;
        return &m_none;
    }
    auto it = m_years.find(year);
    if (it == m_years.end())
        it = m_years.insert(year, YearMovements::read(m_folder + QString::number(year) + QStringLiteral(".eur"), year));
    return &*it;
}
