#pragma once

#include "output/ExportDescription.h"

class QWidget;

// The export the user starts from an export window: asks first, writes the
// worksheet beside the program, reports a failure, and offers to open the file
// with the spreadsheet program.
namespace ExportProcedure {

// The two questions and the failure message, shared by every export.
QString askText();
QString successText();
QString failureText();

// Runs the whole export of the description; parent owns the message boxes.
void run(QWidget *parent, const ExportDescription &description);

} // namespace ExportProcedure
