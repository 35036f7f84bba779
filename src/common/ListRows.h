#pragma once

#include "RowTable.h"

#include <QList>
#include <QString>
#include <QStringView>

// What a scan of an archive produced for a list screen.
struct ListScan
{
    // The rows, sorted, each with its record position.
    RowTable rows;
    // False when the file could not be opened or a record could not be read:
    // rows then holds what was read before the failure.
    bool complete = true;
    // False when the file could not even be opened.
    bool opened = true;
    QString error;
    // Records left out because a field the list depends on could not be read.
    int skipped = 0;
};

// Building, sorting and matching of row texts.
namespace ListRows {

// Sorts rows by text, ignoring the case of A-Z (TextRules::compareRows); rows
// with equal texts keep the order in which they were read.
void sort(QList<ListRow> &rows);

// True when needle (already lower-cased with TextRules::lowerAZ) is contained in
// haystack once the letters A-Z of haystack are lower-cased. An empty needle is
// contained in nothing.
bool containsLowerAZ(QStringView haystack, QStringView lowerNeedle);

// The same search over the characters of any width (the rows' UTF-16, a row
// table's stored bytes): whether lowerNeedle (n > 0 characters, A-Z already
// folded) stands in haystack with its A-Z folded to a-z.
template <class Char>
bool containsFoldedAZ(const Char *haystack, qsizetype size, const Char *lowerNeedle, qsizetype n)
{
    const auto fold = [](Char c) { return (c >= Char('A') && c <= Char('Z')) ? Char(c + 32) : c; };
    if (n <= 0 || n > size)
        return false;
    const Char first = lowerNeedle[0];
    const qsizetype last = size - n;
    for (qsizetype i = 0; i <= last; ++i) {
        if (fold(haystack[i]) != first)
            continue;
        qsizetype j = 1;
        while (j < n && fold(haystack[i + j]) == lowerNeedle[j])
            ++j;
        if (j == n)
            return true;
    }
    return false;
}

} // namespace ListRows
