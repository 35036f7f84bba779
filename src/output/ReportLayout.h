#pragma once

#include "PreparedReport.h"

#include <QDate>
#include <QFont>

class QPaintDevice;
class ReportTemplate;

// The layout engine: turns a template with its current values into pages.
namespace ReportLayout {

PreparedReport prepare(const ReportTemplate &report, const QDate &today);

// The font of a text box, sized for a device of 96 dots per inch (one dot = one unit).
QFont font(const QString &family, qreal points, bool bold);
// The device on which the engine measures text.
const QPaintDevice *measuringDevice();

} // namespace ReportLayout
