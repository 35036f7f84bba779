#pragma once

#include "MovementCardValues.h"
#include "output/ReportTemplate.h"

#include <QDateTime>

#include <memory>

// The printed information sheet of a movement (repDocumento): a heading bar,
// twenty rows of caption and value, and a footer with the time of printing, on
// one A4 portrait page.
namespace MovementCardReport {

inline const QString kDocumentTitle = QStringLiteral("Scheda Movimento");
inline const QString kHeading = QStringLiteral("SCHEDA INFORMATIVA MOVIMENTO");
inline constexpr int kRows = 20;

struct Row
{
    QString shape;   // the row's rectangle
    QString caption; // the caption box
    QString captionText;
    QString value;   // the value box, named after the card's control
};

// The twenty rows in printed order.
const std::array<Row, kRows> &rows();

std::unique_ptr<ReportTemplate> create();

// The value each row prints for the card as it is shown, in the order of rows().
QStringList values(const MovementCardValues &card);

// Fills the template: portrait page, the twenty values, the footer. Nothing is
// prepared yet.
void fill(ReportTemplate &report, const MovementCardValues &card, const QDateTime &when);

} // namespace MovementCardReport
