#pragma once

#include "YearView.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// The four charts of the year at a glance, laid out for a given size as marks
// (bars, lines, words) that the screen paints, the printout renders and the
// pointer asks for their figure; and the same figures as a table.
namespace YearChart {

enum class Which { Months, Balance, Items, Members };
inline constexpr Which kAll[] = {Which::Months, Which::Balance, Which::Items, Which::Members};

QString title(Which which, int year);
// A word for file names: "entrate-uscite".
QString slug(Which which);

struct Mark
{
    enum class Kind { Bar, Line, Text };
    Kind kind = Kind::Bar;
    QRectF rect;       // a bar; the box of a text; the area that answers the pointer
    QPolygonF points;  // a line
    QColor color;
    QString text;      // a text's words
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool bold = false;
    QString tip;       // the figure shown under the pointer; empty for none
};

struct Drawing
{
    QList<Mark> marks;
};

Drawing layout(const YearView &view, Which which, const QSizeF &size, const QFont &font);
void paint(QPainter &painter, const Drawing &drawing, const QFont &font);
// The figure under a point, empty when none.
QString tipAt(const Drawing &drawing, const QPointF &point);
// The chart drawn on a white image of that size.
QImage image(const YearView &view, Which which, const QSize &size, const QFont &font);

struct Table
{
    QStringList heads;
    QList<QStringList> rows;
};
Table table(const YearView &view, Which which);

} // namespace YearChart
