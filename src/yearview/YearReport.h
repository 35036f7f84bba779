#pragma once

#include "YearView.h"

#include "output/PreparedReport.h"
#include "common/EnteData.h"

// The year at a glance on paper: A4 landscape, the association's name and the
// title at the top, each chart on a page of its own, then what the user must
// know about the figures.
namespace YearReport {

QString title(int year);
PreparedReport prepare(const YearView &view, const EnteData &ente);

} // namespace YearReport
