#pragma once

#include "PreparedReport.h"

class QPagedPaintDevice;
class QPainter;

// Draws prepared pages on any painter: printer, PDF writer or image.
namespace ReportRenderer {

// Draws one page with the painter's origin at the paper's corner and one report
// unit mapped to dotsPerInch / 96 device dots.
void paintPage(QPainter &painter, const PreparedPage &page, qreal dotsPerInch);

// Draws pages first..last (1-based, inclusive; 0 = to the end) on an open
// paged device whose page layout is already set to the report's paper with no
// margins; returns false when the painter cannot start on the device.
bool paint(QPagedPaintDevice &device, const PreparedReport &report, int first = 1, int last = 0);

// The page layout every device gets: A4 in the report's orientation, no margins
// (the report keeps its own).
QPageLayout pageLayout(const PreparedReport &report);

// Writes the report as a PDF whose title is the document title.
bool writePdf(const PreparedReport &report, const QString &path);

// One page as an image, white paper.
QImage pageImage(const PreparedReport &report, int pageIndex, qreal dotsPerInch = 96);

} // namespace ReportRenderer
