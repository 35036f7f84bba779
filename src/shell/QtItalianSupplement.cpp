#include "QtItalianSupplement.h"

#include <cstring>

namespace {

struct Text
{
    const char *source;
    const char *italian;
};

// Matched on the English text within the print dialog's texts.
const Text kTexts[] = {
    {"Pages", "Pagine"},
    {"Advanced", "Avanzate"},
    {"Double Sided Printing", "Stampa fronte-retro"},
    {"Off", "Solo fronte"},
    {"Long side binding", "Rilegatura sul lato lungo"},
    {"Short side binding", "Rilegatura sul lato corto"},
    {"Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
     "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Indicare le pagine o gli intervalli separati da virgole. Un intervallo si indica con due numeri separati "
     "da un trattino: per esempio 3,5-7,9 stampa le pagine 3, 5, 6, 7 e 9."},
};

} // namespace

QString QtItalianSupplement::translate(const char *context, const char *sourceText, const char *disambiguation,
                                       int n) const
{
    Q_UNUSED(disambiguation);
    Q_UNUSED(n);
    // Only Qt's own print dialog texts: the program's screens carry their Italian themselves.
    if (!context || !sourceText || std::strncmp(context, "QPrint", 6) != 0)
        return {};
    for (const Text &t : kTexts)
        if (std::strcmp(sourceText, t.source) == 0)
            return QString::fromUtf8(t.italian);
    return {};
}
