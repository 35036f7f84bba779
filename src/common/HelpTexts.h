#pragma once

#include "HelpPage.h"

#include <QList>
#include <QString>

// The titles and bodies of the help pages. Bodies separate their paragraphs
// with CR LF CR LF.
namespace HelpTexts {

QString title(HelpPage page);
QString body(HelpPage page);

// Every page, in the order of the enumeration.
QList<HelpPage> pages();

} // namespace HelpTexts
