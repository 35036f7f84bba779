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

} // namespace ListRows
