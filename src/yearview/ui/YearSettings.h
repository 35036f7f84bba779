#pragma once

#include "common/EnteData.h"
#include "statement/Classification.h"

#include <QString>

#include <optional>

class QWidget;

// What the year's charts and the budget read besides the year files: the
// statement's classification and the association's data.
namespace YearSettings {

struct Settings
{
    Classification classification;
    EnteData ente;
};

// Reads both from the program's folder; a file that cannot be read is named in
// an error box over `owner`, and nothing is returned.
std::optional<Settings> load(QWidget *owner);

// The advice that ends the screens' messages about files.
QString advice();

} // namespace YearSettings
