#include "ReportRenderer.h"

#include "ReportLayout.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace ReportRenderer {

namespace {

void drawText(QPainter &p, const PreparedItem &it)
{
    if (it.fill.isValid())
        p.fillRect(it.rect, it.fill);
    if (it.lines.isEmpty())
        return;
    QFont f = ReportLayout::font(it.fontFamily, it.fontSize, it.bold);
    // The painter already scales units to dots; the font must not be scaled twice.
    f.setPointSizeF(it.fontSize * 96.0 / p.device()->logicalDpiY());
    p.save();
    p.setClipRect(it.rect, Qt::IntersectClip);
    p.setFont(f);
    p.setPen(it.color.isValid() ? it.color : QColor(Qt::black));
    const QRectF inner = it.rect.adjusted(2, 1, -2, -1);
    const qreal block = qreal(it.lines.size() - 1) * it.pitch + it.lineHeight;
    qreal y = inner.top();
    if (it.vAlign & Qt::AlignVCenter)
        y += (inner.height() - block) / 2;
    for (const QString &line : it.lines) {
        const QRectF box(inner.left(), y, inner.width(), it.lineHeight);
        p.drawText(box, int(it.hAlign) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, line);
        y += it.pitch;
    }
    p.restore();
}

} // namespace

void paintPage(QPainter &p, const PreparedPage &page, qreal dotsPerInch)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(dotsPerInch / 96.0, dotsPerInch / 96.0);
    p.translate(page.margin, page.margin);
    const QPen thin(Qt::black, 1);
    for (const PreparedItem &it : page.items) {
        switch (it.kind) {
        case ReportKind::Text:
            drawText(p, it);
            break;
        case ReportKind::Picture:
            // Opaque: the part of the box that the picture leaves free is white.
            p.fillRect(it.rect, Qt::white);
            if (!it.picture.isNull())
                p.drawImage(it.pictureRect, it.picture);
            break;
        case ReportKind::Line:
            p.setPen(thin);
            if (it.vertical)
                p.drawLine(it.rect.topLeft(), it.rect.bottomLeft());
            else
                p.drawLine(it.rect.topLeft(), it.rect.topRight());
            break;
        case ReportKind::Rectangle:
            if (it.fill.isValid())
                p.fillRect(it.rect, it.fill);
            p.setPen(thin);
            p.setBrush(Qt::NoBrush);
            p.drawRect(it.rect);
            break;
        case ReportKind::Band:
            break;
        }
    }
    p.restore();
}

QPageLayout pageLayout(const PreparedReport &report)
{
    return QPageLayout(QPageSize(QPageSize::A4), report.orientation, QMarginsF(0, 0, 0, 0));
}

bool paint(QPagedPaintDevice &device, const PreparedReport &report, int first, int last)
{
    const int count = int(report.pages.size());
    if (last <= 0 || last > count)
        last = count;
    first = std::max(first, 1);
    QPainter p;
    if (!p.begin(&device))
        return false;
    const qreal dpi = device.logicalDpiX();
    for (int i = first; i <= last; ++i) {
        if (i > first)
            device.newPage();
        paintPage(p, report.pages[i - 1], dpi);
    }
    return p.end();
}

bool writePdf(const PreparedReport &report, const QString &path)
{
    QPdfWriter writer(path);
    writer.setTitle(report.documentTitle);
    writer.setCreator(QStringLiteral("Quintara"));
    writer.setResolution(300);
    writer.setPageLayout(pageLayout(report));
    return paint(writer, report);
}

QImage pageImage(const PreparedReport &report, int pageIndex, qreal dotsPerInch)
{
    if (pageIndex < 0 || pageIndex >= report.pages.size())
        return {};
    const PreparedPage &page = report.pages[pageIndex];
    const QSize size = (page.paper * dotsPerInch / 96.0).toSize();
    QImage img(size, QImage::Format_RGB32);
    const int dpm = qRound(dotsPerInch / 0.0254);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    img.fill(Qt::white);
    QPainter p(&img);
    paintPage(p, page, dotsPerInch);
    return img;
}

} // namespace ReportRenderer
