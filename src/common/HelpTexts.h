#pragma once

#include <QString>

// The bodies of the help pages. Paragraphs are separated by CR LF CR LF.
namespace HelpTexts {

QString startMenu();
QString members();
QString movements();

} // namespace HelpTexts
