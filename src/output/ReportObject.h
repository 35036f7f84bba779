#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Report units are 1/96 inch; templates are designed in millimetres.
namespace ReportUnits {
inline constexpr qreal perMm = 96.0 / 25.4;
inline constexpr qreal mm(qreal millimetres) { return millimetres * perMm; }
} // namespace ReportUnits

enum class ReportKind { Text, Picture, Line, Rectangle, Band };
enum class BandKind { Title, Data, Footer };

// One named object of a report template: a text box, picture box, line,
// rectangle or band. Positions are in report units, measured from the printable
// area's corner (objects on the page) or from the band's corner (objects in a band).
struct ReportObject
{
    ReportObject(ReportKind objectKind, const QString &objectName, const QRectF &place)
        : kind(objectKind), name(objectName), rect(place)
    {
    }

    ReportKind kind;
    QString name;
    QRectF rect;

    // Text box.
    QStringList lines;
    QString fontFamily = QStringLiteral("Arial");
    qreal fontSize = 10; // points
    bool bold = false;
    QColor color = Qt::black;
    QColor fill; // invalid: no fill
    Qt::Alignment hAlign = Qt::AlignLeft;
    Qt::Alignment vAlign = Qt::AlignTop;
    bool wordWrap = true;
    bool expressions = false;
    qreal linePitch = 0; // 0: the font's height plus the 2-unit line gap

    // Picture box.
    QImage picture;
    bool centred = false;

    // Line: horizontal along the top edge, or vertical along the left edge.
    bool vertical = false;

    // Band.
    BandKind band = BandKind::Data;
    bool canSplit = false;
    std::vector<std::unique_ptr<ReportObject>> children;

    // The operations the printing screens call.
    void SetText(const QString &text);
    QString text() const { return lines.join(QLatin1Char('\n')); }
    void clearLines() { lines.clear(); }
    void addLine(const QString &line) { lines.append(line); }
    int lineCount() const { return int(lines.size()); }
    void setHeight(qreal units) { rect.setHeight(units); }
    void SetPicture(const QImage &image) { picture = image.copy(); }

    // Adds an object to a band and returns it.
    ReportObject &add(std::unique_ptr<ReportObject> child);
};
