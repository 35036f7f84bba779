#pragma once

#include "common/TSchedaMovimento.h"

// What the movement card shows and keeps, as plain values: the texts of its
// edits and hidden slots, each under the record field it stands for, and the
// state of the income and expense choices and of the settled box. The texts
// under Entrata, Uscita and Saldato are not used: the three switches are.
struct MovementCardValues
{
    TSchedaMovimento texts;
    bool entrata = true;
    bool uscita = false;
    bool saldato = false;

    bool operator==(const MovementCardValues &) const = default;
};
