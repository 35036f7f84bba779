#include "FindInList.h"

#include "ListRows.h"
#include "TextRules.h"

namespace FindInList {

Outcome find(const QStringList &rows, int selected, const QString &typed, const QString &remembered)
{
    return find(
        int(rows.size()), [&rows](int row, const QString &key) { return ListRows::containsLowerAZ(rows.at(row), key); },
        selected, typed, remembered);
}

Outcome find(int count, const Matcher &matches, int selected, const QString &typed, const QString &remembered)
{
    Outcome out;
    if (count == 0) {
        out.emptyList = true;
        out.key = remembered;
        return out;
    }
    if (selected < 0 || selected >= count)
        selected = 0;
    // Not trimmed: blanks typed around the words are part of what is searched.
    const QString key = TextRules::lowerAZ(typed);
    const auto test = [&](int row) { return matches(row, key); };

    int row;
    int start;
    bool matched = false;
    if (key != remembered) {
        // A new key starts from the top of the list.
        row = 0;
        start = 0;
        matched = test(0);
    } else {
        // The same key again moves on from the row found last time.
        row = selected;
        start = selected;
    }
    while (!matched) {
        row = (row + 1) % count;
        matched = test(row);
        if (row == start)
            break;
    }
    out.matched = matched;
    out.selected = matched ? row : selected;
    out.key = key;
    return out;
}

} // namespace FindInList
