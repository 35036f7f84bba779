#pragma once

#include "ReportObject.h"

#include <QList>
#include <QPageLayout>
#include <QSizeF>

// One object placed on an output page, with everything needed to draw it.
// Rectangles are in report units from the corner of the page's printable area.
struct PreparedItem
{
    ReportKind kind = ReportKind::Text;
    QString name;
    QString band; // the band it was printed in, empty on card pages
    QRectF rect;

    // Text: the lines as they will appear (expressions replaced, wrapped or cut).
    QStringList lines;
    QString fontFamily;
    qreal fontSize = 10;
    bool bold = false;
    QColor color;
    QColor fill;
    Qt::Alignment hAlign = Qt::AlignLeft;
    Qt::Alignment vAlign = Qt::AlignTop;
    qreal pitch = 0;      // distance between line tops
    qreal lineHeight = 0; // height of one line of the font

    // Picture: the image and where it lands after fitting.
    QImage picture;
    QRectF pictureRect;

    bool vertical = false;
};

// One output page.
struct PreparedPage
{
    QSizeF paper;   // units
    qreal margin = 0; // units, on every side
    QList<PreparedItem> items;

    const PreparedItem *find(const QString &name) const;
    QList<const PreparedItem *> findAll(const QString &name) const;
    // The lines of every text item, page order.
    QStringList texts() const;
};

// The pages a template prepared, ready to print, preview or render.
struct PreparedReport
{
    QString documentTitle;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QList<PreparedPage> pages;
};
