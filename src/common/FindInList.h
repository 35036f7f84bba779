#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The "Trova" command of the list screens: finds the next row containing the
// typed words, continuing from the selected row when the same key is searched
// again and wrapping around at the end of the list.
namespace FindInList {

struct Outcome
{
    // The list has no rows: the screen tells the user the search does not apply.
    bool emptyList = false;
    // Row to select afterwards (0-based); -1 leaves the list without selection
    // (only for an empty list).
    int selected = -1;
    // Whether a row matched; when none did, selected is the row selected before
    // (row 0 when there was none).
    bool matched = false;
    // The key the screen remembers for its next search.
    QString key;
};

// rows: the texts of the list in the order shown; selected: the selected row or
// -1; typed: the text of the find field as typed; remembered: the key of the
// screen's previous search. An empty list leaves the remembered key as it was.
Outcome find(const QStringList &rows, int selected, const QString &typed, const QString &remembered);

// Whether the row (0-based) contains the key, already lower-cased.
using Matcher = std::function<bool(int row, const QString &lowerKey)>;
// The same over a list of `count` rows that tests its own rows, so that a
// long list is searched without a text made for each row.
Outcome find(int count, const Matcher &matches, int selected, const QString &typed, const QString &remembered);

} // namespace FindInList
