#pragma once

#include <QString>

#include <functional>
#include <vector>

class QWidget;
class ScreenSet;

// One picture the screenshot tool takes: the widget to grab once `prepare` has
// put the program in the state worth showing. Widgets created by prepare are
// deleted by the tool after the grab when `owned` is true.
struct Shot
{
    QString name;
    std::function<QWidget *(ScreenSet &)> prepare;
    bool owned = false;
};

// The pictures beyond the plain screens: screens filled with sample data,
// printouts and the like.
std::vector<Shot> extraShots();

// Fills the program's folder with a sample archive for the screens to show.
void writeSampleData();
