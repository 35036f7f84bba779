#include "ReportLayout.h"

#include "ReportTemplate.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace ReportLayout {

namespace {

constexpr qreal kEps = 0.001;
constexpr qreal kGapX = 2; // inner gap left and right
constexpr qreal kGapY = 1; // inner gap top and bottom
constexpr qreal kLineGap = 2;

// The longest start of the text that fits the width: a box without word wrap
// cuts its text at the right edge.
QString cut(const QString &text, const QFontMetricsF &fm, qreal width)
{
    if (fm.horizontalAdvance(text) <= width + kEps)
        return text;
    qsizetype lo = 0, hi = text.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (fm.horizontalAdvance(text.left(mid)) <= width + kEps)
            lo = mid;
        else
            hi = mid - 1;
    }
    return text.left(lo);
}

QStringList wrap(const QString &text, const QFont &font, const QFontMetricsF &fm, qreal width)
{
    if (text.isEmpty())
        return {QString()};
    QStringList out;
    QTextLayout layout(text, font, measuringDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max<qreal>(width, 1));
        QString piece = text.mid(line.textStart(), line.textLength());
        while (piece.endsWith(QLatin1Char(' ')))
            piece.chop(1);
        out.append(cut(piece, fm, width));
    }
    layout.endLayout();
    return out;
}

PreparedItem textItem(const ReportObject &o, const QRectF &rect, const QDate &today)
{
    PreparedItem it;
    it.kind = ReportKind::Text;
    it.name = o.name;
    it.rect = rect;
    it.fontFamily = o.fontFamily;
    it.fontSize = o.fontSize;
    it.bold = o.bold;
    it.color = o.color;
    it.fill = o.fill;
    it.hAlign = o.hAlign;
    it.vAlign = o.vAlign;
    const QFont f = font(o.fontFamily, o.fontSize, o.bold);
    const QFontMetricsF fm(f, measuringDevice());
    it.lineHeight = fm.height();
    it.pitch = o.linePitch > 0 ? o.linePitch : fm.height() + kLineGap;
    const qreal inner = std::max<qreal>(rect.width() - 2 * kGapX, 0);
    const QString date = today.toString(QStringLiteral("dd/MM/yyyy"));
    for (const QString &line : o.lines) {
        QString s = line;
        // Only boxes with expressions on read placeholders; any other text is printed as it is.
        if (o.expressions)
            s.replace(QLatin1String("[DATE]"), date);
        if (o.wordWrap)
            it.lines += wrap(s, f, fm, inner);
        else
            it.lines.append(cut(s, fm, inner));
    }
    return it;
}

PreparedItem item(const ReportObject &o, const QRectF &rect, const QDate &today)
{
    if (o.kind == ReportKind::Text)
        return textItem(o, rect, today);
    PreparedItem it;
    it.kind = o.kind;
    it.name = o.name;
    it.rect = rect;
    it.fill = o.fill;
    it.vertical = o.vertical;
    if (o.kind == ReportKind::Picture && !o.picture.isNull()) {
        it.picture = o.picture;
        // Scaled to fit with its proportions kept.
        const QSizeF size = QSizeF(o.picture.size()).scaled(rect.size(), Qt::KeepAspectRatio);
        QPointF at = rect.topLeft();
        if (o.centred)
            at += QPointF((rect.width() - size.width()) / 2, (rect.height() - size.height()) / 2);
        it.pictureRect = QRectF(at, size);
    }
    return it;
}

class ListLayout
{
public:
    ListLayout(const ReportTemplate &t, const QDate &today, PreparedReport &out)
        : m_template(t), m_today(today), m_out(out), m_pageHeight(t.printableArea().height()),
          m_width(t.printableArea().width())
    {
        newPage();
    }

    void fixedBand(const ReportObject &band)
    {
        const qreal h = band.rect.height();
        if (m_y + h > m_pageHeight + kEps && m_y > 0)
            newPage();
        page().items.append(bandItem(band, m_y, h));
        for (const auto &c : band.children) {
            PreparedItem it = item(*c, c->rect.translated(0, m_y), m_today);
            it.band = band.name;
            page().items.append(it);
        }
        m_y += h;
    }

    // A band that may continue on the next page: it is cut only between two
    // lines of its main text box, so no line is ever split.
    void splittingBand(const ReportObject &band)
    {
        const qreal h = band.rect.height();
        std::vector<PreparedItem> full;
        const ReportObject *main = nullptr;
        qsizetype mainIndex = -1;
        for (const auto &c : band.children) {
            full.push_back(item(*c, c->rect, m_today));
            if (c->kind == ReportKind::Text
                && (mainIndex < 0 || full.back().lines.size() > full[size_t(mainIndex)].lines.size())) {
                main = c.get();
                mainIndex = qsizetype(full.size()) - 1;
            }
        }
        qreal a = 0;
        for (;;) {
            const qreal avail = m_pageHeight - m_y;
            if (h - a <= avail + kEps) {
                part(band, full, a, h, true);
                m_y += h - a;
                return;
            }
            qreal b = a + avail;
            if (main && !full[size_t(mainIndex)].lines.isEmpty()) {
                const PreparedItem &m = full[size_t(mainIndex)];
                const qreal top = m.rect.top() + kGapY;
                const qreal k = std::floor((b - top) / m.pitch + kEps);
                const qreal boundary = top + k * m.pitch;
                const qreal end = top + m.lines.size() * m.pitch;
                if (k >= 0 && boundary >= end - kEps) {
                    // Every line is on this page and only the band's empty tail is
                    // left over: the band ends here, the next band opens a new page.
                    part(band, full, a, a + avail, true);
                    m_y = m_pageHeight;
                    return;
                }
                if (k >= 0) {
                    if (boundary <= a + kEps) {
                        // Not even one line fits here: the band goes on at the next page.
                        if (m_y > 0) {
                            newPage();
                            continue;
                        }
                    } else {
                        b = boundary;
                    }
                }
            }
            part(band, full, a, b, false);
            newPage();
            a = b;
        }
    }

private:
    PreparedPage &page() { return m_out.pages.last(); }

    void newPage()
    {
        PreparedPage p;
        p.paper = m_template.paper();
        p.margin = m_template.margin();
        m_out.pages.append(p);
        m_y = 0;
    }

    PreparedItem bandItem(const ReportObject &band, qreal y, qreal h) const
    {
        PreparedItem it;
        it.kind = ReportKind::Band;
        it.name = band.name;
        it.band = band.name;
        it.rect = QRectF(0, y, m_width, h);
        return it;
    }

    // Prints the slice [a, b) of the band, in band coordinates, at the current height.
    void part(const ReportObject &band, const std::vector<PreparedItem> &full, qreal a, qreal b, bool last)
    {
        page().items.append(bandItem(band, m_y, b - a));
        for (const PreparedItem &src : full) {
            PreparedItem it = src;
            it.band = band.name;
            if (src.kind != ReportKind::Text) {
                if (src.rect.top() >= a - kEps && src.rect.top() < b - kEps) {
                    const qreal dy = m_y - a;
                    it.rect.translate(0, dy);
                    it.pictureRect.translate(0, dy);
                    page().items.append(it);
                }
                continue;
            }
            if (src.rect.bottom() < a - kEps || src.rect.top() > b + kEps)
                continue;
            it.lines.clear();
            qsizetype first = -1;
            for (qsizetype i = 0; i < src.lines.size(); ++i) {
                const qreal t = src.rect.top() + kGapY + qreal(i) * src.pitch;
                const bool inside = last ? (t >= a - kEps && t < src.rect.bottom() + kEps)
                                         : (t >= a - kEps && t + src.pitch <= b + kEps);
                if (inside) {
                    if (first < 0)
                        first = i;
                    it.lines.append(src.lines[i]);
                }
            }
            const qreal top = first >= 0 ? src.rect.top() + qreal(first) * src.pitch : std::max(src.rect.top(), a);
            const qreal body = kGapY + qreal(it.lines.size()) * src.pitch;
            const qreal bottom = last ? std::max(src.rect.bottom(), top + body) : top + body;
            it.rect = QRectF(src.rect.left(), m_y + top - a, src.rect.width(), bottom - top);
            // Lines of a slice are placed from its top, whatever the box's alignment.
            it.vAlign = Qt::AlignTop;
            page().items.append(it);
        }
    }

    const ReportTemplate &m_template;
    QDate m_today;
    PreparedReport &m_out;
    qreal m_pageHeight;
    qreal m_width;
    qreal m_y = 0;
};

int bandOrder(BandKind k)
{
    switch (k) {
    case BandKind::Title:
        return 0;
    case BandKind::Data:
        return 1;
    case BandKind::Footer:
        return 2;
    }
    return 1;
}

} // namespace

QFont font(const QString &family, qreal points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    // Same glyph widths at every resolution, so measuring here matches printing.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

const QPaintDevice *measuringDevice()
{
    static const QImage device = [] {
        QImage img(8, 8, QImage::Format_RGB32);
        img.setDotsPerMeterX(3780); // 96 dots per inch: one dot per report unit
        img.setDotsPerMeterY(3780);
        return img;
    }();
    return &device;
}

PreparedReport prepare(const ReportTemplate &t, const QDate &today)
{
    PreparedReport out;
    out.documentTitle = t.documentTitle();
    out.orientation = t.orientation();

    std::vector<const ReportObject *> bands;
    for (const auto &o : t.objects())
        if (o->kind == ReportKind::Band)
            bands.push_back(o.get());

    if (bands.empty()) {
        // A card: every object once, at its place on the single page.
        PreparedPage page;
        page.paper = t.paper();
        page.margin = t.margin();
        for (const auto &o : t.objects())
            page.items.append(item(*o, o->rect, today));
        out.pages.append(page);
        return out;
    }

    std::stable_sort(bands.begin(), bands.end(),
                     [](const ReportObject *x, const ReportObject *y) { return bandOrder(x->band) < bandOrder(y->band); });
    ListLayout layout(t, today, out);
    for (const ReportObject *band : bands) {
        if (band->canSplit)
            layout.splittingBand(*band);
        else
            layout.fixedBand(*band);
    }
    return out;
}

} // namespace ReportLayout
