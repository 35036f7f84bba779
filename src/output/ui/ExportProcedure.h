#pragma once

#include "output/ExportDescription.h"

class QRadioButton;
class QWidget;

// The export the user starts from an export window: asks first, writes the
// worksheet beside the program, reports a failure, and offers to open the file
// with the spreadsheet program.
namespace ExportProcedure {

// The two questions and the failure message, shared by every export.
QString askText();
QString successText();
QString failureText();

// The two files an export can write: the ".xls" document every export has
// always written, or a workbook of the newer spreadsheet programs beside it.
enum class Format { Xls, Xlsx };

// The file the export writes in that format ("Soci.xls" or "Soci.xlsx").
QString fileName(const ExportDescription &description, Format format);

// The look of a format's radio button on an export window's dark command strip:
// white text and a white ring, filled when chosen (the style's own circle would
// vanish on the strip).
void styleFormatOption(QRadioButton *option);

// Runs the whole export of the description; parent owns the message boxes. The
// questions and the messages are the same for both formats.
void run(QWidget *parent, const ExportDescription &description, Format format = Format::Xls);

} // namespace ExportProcedure
