#pragma once

#include "ReportTemplate.h"

#include <QStringList>

#include <memory>

// The list template shared by every list screen: A4, landscape unless the
// list is narrow enough for portrait, with a title band, one data band holding
// the whole list in a fixed-pitch font, and a footer with the date of printing.
namespace ListReport {

inline const QString kListTitle = QStringLiteral("Riepilogo dati");
inline const QString kPrimaNotaTitle = QStringLiteral("Primanota");

// Height of one list line in units (3.392 mm).
inline constexpr qreal kLineHeight = 12.822;

std::unique_ptr<ReportTemplate> create(const QString &documentTitle = kListTitle,
                                       QPageLayout::Orientation orientation = QPageLayout::Landscape);

// Puts the title and the lines into the template and sizes the data band to them.
void fill(ReportTemplate &report, const QString &title, const QStringList &lines);

} // namespace ListReport
