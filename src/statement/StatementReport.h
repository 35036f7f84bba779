#pragma once

#include "CashStatement.h"
#include "common/EnteData.h"

#include "output/PreparedReport.h"

// The printed statement, as the treasurer files it: A4 portrait, the
// association's data and the title at the top, the lines of the form with the
// year and the year before under column heads repeated on every page, each
// section whole on one page, the place and date and the signatures of the
// president and the treasurer with the last lines, and "Pagina n di m" at the
// foot of each page. The check and the warnings are not part of it: when asked
// for, they follow on pages of their own, numbered apart.
namespace StatementReport {

// The pages ready for the preview, the print dialog or a PDF.
PreparedReport prepare(const CashStatement &statement, const EnteData &ente, bool withNotes = false);

// The title of the pages of notes.
QString notesTitle(int year);

} // namespace StatementReport
