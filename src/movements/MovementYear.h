#pragma once

#include "common/TSchedaMovimento.h"

#include <QString>

#include <functional>
#include <optional>

// A movement together with its 1-based position in its year's file.
struct StoredMovement
{
    qint64 position = 0;
    TSchedaMovimento record;
};

// A year's movement file for the screens that read whole cards from it. Every
// call opens the file and closes it before it returns, as one user action; an
// absent file is created empty.
class MovementYear
{
public:
    explicit MovementYear(QString path);

    // The movement at the position; nothing when it cannot be read.
    std::optional<StoredMovement> read(qint64 position) const;

    // Reads every movement in file order under one opening: `counted` first
    // receives how many the file holds, then `each` gets every movement with its
    // position. A movement that cannot be read ends the reading; false then, or
    // when the file cannot be opened.
    bool readAll(const std::function<void(qint64 count)> &counted,
                 const std::function<void(const StoredMovement &movement)> &each) const;

private:
    QString m_path;
};
