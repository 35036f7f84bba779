#pragma once

#include "common/TSchedaSocio.h"

// A member record together with its 1-based position in the member archive,
// which also names the member's photo file.
struct StoredMember
{
    qint64 position = 0;
    TSchedaSocio record;
};
