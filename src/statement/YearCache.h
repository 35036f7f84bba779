#pragma once

#include "CashStatement.h"
#include "YearMovements.h"

#include <QMap>
#include <QString>

// The year files of the program's folder, each read at most once while the
// statement screen is open: changing the classification recomputes the
// statement without reading the files again.
class YearCache
{
public:
    explicit YearCache(QString folder)
        : m_folder(std::move(folder))
    {
    }

    const YearMovements *get(int year);
    CashStatement::Source source()
    {
        return [this](int year) { return get(year); };
    }
    void clear() { m_years.clear(); }

private:
    QString m_folder;
    QMap<int, YearMovements> m_years;
    YearMovements m_none;
};
