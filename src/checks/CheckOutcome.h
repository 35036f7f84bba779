#pragma once

#include <QString>

// What a code check tells the user: the kind of box, its text, and whether the
// check window closes afterwards (a length warning keeps it open for a retry).
struct CheckOutcome
{
    enum class Kind { Information, Warning };

    Kind kind = Kind::Warning;
    QString text;
    bool closesWindow = true;

    bool operator==(const CheckOutcome &) const = default;
};
