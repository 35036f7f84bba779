#include "ListRows.h"

#include "TextRules.h"

#include <algorithm>

namespace ListRows {


// TextRules::compareRows(a, b) < 0, on the raw characters: the sort of a large
// archive makes millions of these comparisons.
static bool rowLess(const QString &a, const QString &b)
{
    const char16_t *x = reinterpret_cast<const char16_t *>(a.utf16());
    const char16_t *y = reinterpret_cast<const char16_t *>(b.utf16());
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t p = x[i];
        char16_t q = y[i];
        if (p == q)
            continue;
        if (p >= u'a' && p <= u'z')
            p = char16_t(p - 32);
        if (q >= u'a' && q <= u'z')
            q = char16_t(q - 32);
        if (p != q)
            return p < q;
    }
    return a.size() < b.size();
}

void sort(QList<ListRow> &rows)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ListRow &a, const ListRow &b) { return rowLess(a.text, b.text); });
}

bool containsLowerAZ(QStringView haystack, QStringView lowerNeedle)
{
    return containsFoldedAZ(reinterpret_cast<const char16_t *>(haystack.utf16()), haystack.size(),
                            reinterpret_cast<const char16_t *>(lowerNeedle.utf16()), lowerNeedle.size());
}

} // namespace ListRows
