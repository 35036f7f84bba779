#include "YearChart.h"

#include "common/TextRules.h"
#include "common/ui/Palette.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace YearChart {

namespace {

using Kind = Mark::Kind;

// The margins follow the font, so that a chart drawn larger for paper keeps its proportions.
qreal topOf(const QFontMetricsF &fm) { return fm.height() * 2; }    // room for the title
qreal bottomOf(const QFontMetricsF &fm) { return fm.height() * 3; } // the month names and the legend
qreal rightOf(const QFontMetricsF &fm) { return fm.height(); }

QString money(qint64 cents) { return CashStatement::euro(cents); }

// An axis label: whole euro when the step allows it.
QString axisMoney(qint64 cents)
{
    QString t = CashStatement::amount(cents);
    if (t.endsWith(QStringLiteral(",00")))
        t.chop(3);
    return t + QStringLiteral(" €");
}

// A scale from lo to hi in round steps (1, 2 or 5 times a power of ten).
struct Scale
{
    qint64 lo = 0;
    qint64 hi = 0;
    qint64 step = 1;
};

Scale scaleFor(qint64 lo, qint64 hi, qint64 least)
{
    lo = std::min<qint64>(lo, 0);
    hi = std::max<qint64>(hi, 0);
    if (hi - lo < least)
        hi = lo + least;
    const double raw = double(hi - lo) / 4.0;
    double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    qint64 step = 0;
    for (const double f : {1.0, 2.0, 5.0, 10.0}) {
        step = qint64(std::llround(f * magnitude));
        if (double(step) >= raw)
            break;
    }
    step = std::max<qint64>(step, 1);
    Scale s;
    s.step = step;
    s.lo = lo >= 0 ? 0 : -((-lo + step - 1) / step) * step;
    s.hi = ((hi + step - 1) / step) * step;
    return s;
}

struct Frame
{
    QRectF plot;
    Scale scale;
    qreal y(qint64 v) const
    {
        return plot.bottom() - double(v - scale.lo) / double(scale.hi - scale.lo) * plot.height();
    }
};

Mark text(const QRectF &box, const QString &words, Qt::Alignment align, const QColor &color = Palette::ink,
          bool bold = false)
{
    Mark m;
    m.kind = Kind::Text;
    m.rect = box;
    m.text = words;
    m.align = align;
    m.color = color;
    m.bold = bold;
    return m;
}

Mark bar(const QRectF &r, const QColor &color)
{
    Mark m;
    m.kind = Kind::Bar;
    m.rect = r;
    m.color = color;
    return m;
}

Mark line(const QPolygonF &points, const QColor &color)
{
    Mark m;
    m.kind = Kind::Line;
    m.points = points;
    m.color = color;
    return m;
}

Mark hit(const QRectF &r, const QString &tip)
{
    Mark m;
    m.kind = Kind::Text; // an empty text draws nothing: only the pointer finds it
    m.rect = r;
    m.tip = tip;
    return m;
}

void addTitle(Drawing &d, const QSizeF &size, const QFontMetricsF &fm, const QString &words)
{
    d.marks.append(text(QRectF(0, 0, size.width(), topOf(fm) * 0.8), words, Qt::AlignHCenter | Qt::AlignVCenter,
                        Palette::navy, true));
}

// The plot area with its amount axis on the left, gridlines and labels.
Frame axes(Drawing &d, const QSizeF &size, const QFontMetricsF &fm, const Scale &scale,
           const std::function<QString(qint64)> &label)
{
    qreal widest = 0;
    for (qint64 v = scale.lo; v <= scale.hi; v += scale.step)
        widest = std::max(widest, fm.horizontalAdvance(label(v)));
    Frame f;
    f.scale = scale;
    f.plot = QRectF(widest + 12, topOf(fm), size.width() - widest - 12 - rightOf(fm),
                    size.height() - topOf(fm) - bottomOf(fm));
    for (qint64 v = scale.lo; v <= scale.hi; v += scale.step) {
        const qreal y = f.y(v);
        d.marks.append(line({QPointF(f.plot.left(), y), QPointF(f.plot.right(), y)},
                            v == 0 ? Palette::grey : Palette::paleBlue));
        d.marks.append(text(QRectF(0, y - fm.height() / 2, widest + 6, fm.height()), label(v),
                            Qt::AlignRight | Qt::AlignVCenter, Palette::ink));
    }
    d.marks.append(line({f.plot.topLeft(), f.plot.bottomLeft()}, Palette::grey));
    return f;
}

void monthNames(Drawing &d, const Frame &f, const QFontMetricsF &fm)
{
    const qreal slot = f.plot.width() / 12;
    for (int m = 0; m < 12; ++m)
        d.marks.append(text(QRectF(f.plot.left() + m * slot, f.plot.bottom() + 2, slot, fm.height()),
                            YearView::monthShort(m + 1), Qt::AlignHCenter | Qt::AlignTop));
}

// Coloured squares with their words along the bottom edge.
void legend(Drawing &d, const QSizeF &size, const QFontMetricsF &fm, const QList<std::pair<QColor, QString>> &keys)
{
    qreal x = 12;
    const qreal y = size.height() - fm.height() - 4;
    for (const auto &[color, words] : keys) {
        const qreal square = fm.height() * 0.6;
        d.marks.append(bar(QRectF(x, y + (fm.height() - square) / 2, square, square), color));
        const qreal w = fm.horizontalAdvance(words) + 4;
        d.marks.append(text(QRectF(x + square * 1.4, y, w, fm.height()), words, Qt::AlignLeft | Qt::AlignVCenter));
        x += square * 1.4 + w + fm.height();
    }
}

void note(Drawing &d, const QRectF &plot, const QString &words)
{
    d.marks.append(text(plot, words, Qt::AlignCenter, Palette::grey, true));
}

Drawing months(const YearView &v, const QSizeF &size, const QFontMetricsF &fm)
{
    Drawing d;
    const int year = v.year();
    addTitle(d, size, fm, title(Which::Months, year));
    qint64 top = 0;
    for (size_t m = 0; m < 12; ++m)
        top = std::max({top, v.income()[m], v.expense()[m], v.previousIncome()[m], v.previousExpense()[m]});
    const Frame f = axes(d, size, fm, scaleFor(0, top, 100'00), axisMoney);
    monthNames(d, f, fm);
    const qreal slot = f.plot.width() / 12;
    const qreal w = slot * 0.32;
    QPolygonF before[2];
    for (int m = 0; m < 12; ++m) {
        const size_t i = size_t(m);
        const qreal centre = f.plot.left() + (m + 0.5) * slot;
        const qint64 now[2] = {v.income()[i], v.expense()[i]};
        const qint64 prev[2] = {v.previousIncome()[i], v.previousExpense()[i]};
        for (int side = 0; side < 2; ++side) {
            const qreal left = side == 0 ? centre - w : centre;
            const qreal y = f.y(now[side]);
            d.marks.append(bar(QRectF(left, y, w, f.y(0) - y), side == 0 ? Palette::green : Palette::red));
            before[side].append(QPointF(left + w / 2, f.y(prev[side])));
            const QString what = side == 0 ? QStringLiteral("entrate") : QStringLiteral("uscite");
            d.marks.append(hit(QRectF(left, f.plot.top(), w, f.plot.height()),
                               QStringLiteral("%1 %2 - %3: %4 (%5: %6)")
                                   .arg(YearView::monthName(m + 1))
                                   .arg(year)
                                   .arg(what, money(now[side]))
                                   .arg(year - 1)
                                   .arg(money(prev[side]))));
        }
    }
    d.marks.append(line(before[0], Palette::navy));
    d.marks.append(line(before[1], Palette::gold));
    legend(d, size, fm,
           {{Palette::green, QStringLiteral("Entrate %1").arg(year)},
            {Palette::red, QStringLiteral("Uscite %1").arg(year)},
            {Palette::navy, QStringLiteral("Entrate %1 (linea)").arg(year - 1)},
            {Palette::gold, QStringLiteral("Uscite %1 (linea)").arg(year - 1)}});
    if (v.empty())
        note(d, f.plot, QStringLiteral("Nessun movimento saldato nel %1").arg(year));
    return d;
}

Drawing balance(const YearView &v, const QSizeF &size, const QFontMetricsF &fm)
{
    Drawing d;
    const int year = v.year();
    addTitle(d, size, fm, title(Which::Balance, year));
    const QList<qint64> &days = v.balance();
    const auto [lo, hi] = std::minmax_element(days.begin(), days.end());
    const Frame f = axes(d, size, fm, scaleFor(std::min(*lo, v.opening()), std::max(*hi, v.opening()), 100'00),
                         axisMoney);
    monthNames(d, f, fm);
    const QDate first(year, 1, 1);
    const qreal step = f.plot.width() / qreal(days.size());
    QPolygonF curve;
    curve.reserve(days.size() + 1);
    curve.append(QPointF(f.plot.left(), f.y(v.opening())));
    for (qsizetype i = 0; i < days.size(); ++i) {
        const qreal x = f.plot.left() + (i + 1) * step;
        curve.append(QPointF(x, f.y(days.at(i))));
        d.marks.append(hit(QRectF(x - step, f.plot.top(), step, f.plot.height()),
                           QStringLiteral("%1: cassa e banca %2")
                               .arg(TextRules::formatDate(first.addDays(i)), money(days.at(i)))));
    }
    d.marks.append(line(curve, Palette::royal));
    legend(d, size, fm, {{Palette::royal, QStringLiteral("Cassa più banca a fine giornata")}});
    if (v.empty())
        note(d, f.plot, QStringLiteral("Nessun movimento saldato nel %1").arg(year));
    return d;
}

Drawing items(const YearView &v, const QSizeF &size, const QFontMetricsF &fm)
{
    Drawing d;
    const int year = v.year();
    addTitle(d, size, fm, title(Which::Items, year));
    const QList<YearView::Item> *sides[2] = {&v.topIncome(), &v.topExpense()};
    qint64 top = 1;
    for (const auto *side : sides)
        for (const YearView::Item &i : *side)
            top = std::max(top, i.cents);
    const qreal labelWidth = size.width() * 0.42;
    const qreal amountWidth = fm.horizontalAdvance(money(top)) + 10;
    const qreal barLeft = labelWidth + 8;
    const qreal barSpan = std::max<qreal>(10, size.width() - barLeft - amountWidth - rightOf(fm));
    const int rows = int(v.topIncome().size() + v.topExpense().size()) + 4;
    const qreal pitch = std::min<qreal>(fm.height() * 1.8, (size.height() - topOf(fm) - 8) / rows);
    qreal y = topOf(fm) + 4;
    const QString heads[2] = {QStringLiteral("Entrate"), QStringLiteral("Uscite")};
    const QColor colours[2] = {Palette::green, Palette::red};
    for (int s = 0; s < 2; ++s) {
        d.marks.append(text(QRectF(4, y, labelWidth, pitch), heads[s], Qt::AlignLeft | Qt::AlignVCenter,
                            Palette::navy, true));
        y += pitch;
        if (sides[s]->isEmpty()) {
            d.marks.append(text(QRectF(12, y, size.width() - 24, pitch),
                                s == 0 ? QStringLiteral("Nessuna entrata classificata nel %1").arg(year)
                                       : QStringLiteral("Nessuna uscita classificata nel %1").arg(year),
                                Qt::AlignLeft | Qt::AlignVCenter, Palette::grey));
            y += pitch;
        }
        for (const YearView::Item &i : *sides[s]) {
            const QString label = i.code + QStringLiteral("  ") + i.name;
            d.marks.append(text(QRectF(12, y, labelWidth - 12, pitch), label, Qt::AlignLeft | Qt::AlignVCenter));
            const qreal length = barSpan * double(i.cents) / double(top);
            d.marks.append(bar(QRectF(barLeft, y + pitch * 0.18, length, pitch * 0.64), colours[s]));
            d.marks.append(text(QRectF(barLeft + length + 4, y, amountWidth, pitch), money(i.cents),
                                Qt::AlignLeft | Qt::AlignVCenter));
            d.marks.append(hit(QRectF(0, y, size.width(), pitch), label + QStringLiteral(": ") + money(i.cents)));
            y += pitch;
        }
        y += pitch * 0.5;
    }
    d.marks.append(line({QPointF(barLeft, topOf(fm)), QPointF(barLeft, y)}, Palette::grey));
    return d;
}

Drawing members(const YearView &v, const QSizeF &size, const QFontMetricsF &fm)
{
    Drawing d;
    const int year = v.year();
    addTitle(d, size, fm, title(Which::Members, year));
    qint64 top = 0;
    for (const YearView::Members &m : v.members().months)
        top = std::max<qint64>(top, m.inForce + m.expiring + m.expired);
    const Frame f = axes(d, size, fm, scaleFor(0, top, 4), [](qint64 n) { return QString::number(n); });
    monthNames(d, f, fm);
    const qreal slot = f.plot.width() / 12;
    for (int m = 0; m < 12; ++m) {
        const YearView::Members &c = v.members().months[size_t(m)];
        const qreal left = f.plot.left() + (m + 0.2) * slot;
        qint64 base = 0;
        for (const auto &[n, colour] : {std::pair{c.inForce, Palette::green}, std::pair{c.expiring, Palette::gold},
                                        std::pair{c.expired, Palette::red}}) {
            const qreal bottom = f.y(base);
            const qreal topY = f.y(base + n);
            d.marks.append(bar(QRectF(left, topY, slot * 0.6, bottom - topY), colour));
            base += n;
        }
        d.marks.append(hit(QRectF(f.plot.left() + m * slot, f.plot.top(), slot, f.plot.height()),
                           QStringLiteral("%1 %2: in regola %3, in scadenza nel mese %4, scaduti %5")
                               .arg(YearView::monthName(m + 1))
                               .arg(year)
                               .arg(c.inForce)
                               .arg(c.expiring)
                               .arg(c.expired)));
    }
    legend(d, size, fm,
           {{Palette::green, QStringLiteral("In regola")},
            {Palette::gold, QStringLiteral("In scadenza nel mese")},
            {Palette::red, QStringLiteral("Scaduti")}});
    if (top == 0)
        note(d, f.plot, QStringLiteral("Nessun socio con una data di scadenza"));
    return d;
}

} // namespace

QString title(Which which, int year)
{
    switch (which) {
    case Which::Months:
        return QStringLiteral("Entrate e uscite mese per mese, %1 (in linea il %2)").arg(year).arg(year - 1);
    case Which::Balance:
        return QStringLiteral("Cassa e banca giorno per giorno, %1").arg(year);
    case Which::Items:
        return QStringLiteral("Le voci maggiori del rendiconto, %1").arg(year);
    case Which::Members:
        return QStringLiteral("Soci in regola, in scadenza e scaduti mese per mese, %1").arg(year);
    }
    return {};
}

QString slug(Which which)
{
    switch (which) {
    case Which::Months:
        return QStringLiteral("entrate-uscite");
    case Which::Balance:
        return QStringLiteral("cassa-banca");
    case Which::Items:
        return QStringLiteral("voci");
    case Which::Members:
        return QStringLiteral("soci");
    }
    return {};
}

Drawing layout(const YearView &view, Which which, const QSizeF &size, const QFont &font)
{
    const QFontMetricsF fm(font);
    switch (which) {
    case Which::Months:
        return months(view, size, fm);
    case Which::Balance:
        return balance(view, size, fm);
    case Which::Items:
        return items(view, size, fm);
    case Which::Members:
        return members(view, size, fm);
    }
    return {};
}

void paint(QPainter &p, const Drawing &drawing, const QFont &font)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF plain(font);
    const QFontMetricsF strong(bold);
    const qreal pen = std::max<qreal>(2, plain.height() / 8);
    for (const Mark &m : drawing.marks) {
        switch (m.kind) {
        case Kind::Bar:
            if (m.rect.height() > 0 && m.rect.width() > 0)
                p.fillRect(m.rect, m.color);
            break;
        case Kind::Line:
            p.setPen(QPen(m.color, pen));
            p.drawPolyline(m.points);
            break;
        case Kind::Text:
            if (m.text.isEmpty())
                break;
            p.setFont(m.bold ? bold : font);
            p.setPen(m.color);
            p.drawText(m.rect, int(m.align.toInt()),
                       (m.bold ? strong : plain).elidedText(m.text, Qt::ElideRight, m.rect.width()));
            break;
        }
    }
    p.restore();
}

QString tipAt(const Drawing &drawing, const QPointF &point)
{
    for (const Mark &m : drawing.marks)
        if (!m.tip.isEmpty() && m.rect.contains(point))
            return m.tip;
    return {};
}

QImage image(const YearView &view, Which which, const QSize &size, const QFont &font)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    paint(p, layout(view, which, QSizeF(size), font), font);
    return img;
}

Table table(const YearView &v, Which which)
{
    Table t;
    const int year = v.year();
    switch (which) {
    case Which::Months: {
        t.heads = {QStringLiteral("Mese"), QStringLiteral("Entrate %1").arg(year), QStringLiteral("Uscite %1").arg(year),
                   QStringLiteral("Entrate %1").arg(year - 1), QStringLiteral("Uscite %1").arg(year - 1)};
        qint64 sums[4] = {0, 0, 0, 0};
        for (size_t m = 0; m < 12; ++m) {
            const qint64 f[4] = {v.income()[m], v.expense()[m], v.previousIncome()[m], v.previousExpense()[m]};
            QStringList row{YearView::monthName(int(m) + 1)};
            for (int i = 0; i < 4; ++i) {
                row.append(CashStatement::amount(f[i]));
                sums[i] += f[i];
            }
            t.rows.append(row);
        }
        QStringList total{QStringLiteral("Totale")};
        for (const qint64 s : sums)
            total.append(CashStatement::amount(s));
        t.rows.append(total);
        break;
    }
    case Which::Balance: {
        t.heads = {QStringLiteral("Giorno"), QStringLiteral("Cassa e banca")};
        t.rows.append({QStringLiteral("Saldo iniziale"), CashStatement::amount(v.opening())});
        const QDate first(year, 1, 1);
        for (qsizetype i = 0; i < v.balance().size(); ++i)
            t.rows.append({TextRules::formatDate(first.addDays(i)), CashStatement::amount(v.balance().at(i))});
        break;
    }
    case Which::Items:
        t.heads = {QStringLiteral("Voce"), QStringLiteral("Descrizione"), QStringLiteral("Importo")};
        for (const auto *side : {&v.topIncome(), &v.topExpense()})
            for (const YearView::Item &i : *side)
                t.rows.append({i.code, i.name, CashStatement::amount(i.cents)});
        break;
    case Which::Members:
        t.heads = {QStringLiteral("Mese"), QStringLiteral("In regola"), QStringLiteral("In scadenza"),
                   QStringLiteral("Scaduti")};
        for (int m = 0; m < 12; ++m) {
            const YearView::Members &c = v.members().months[size_t(m)];
            t.rows.append({YearView::monthName(m + 1), QString::number(c.inForce), QString::number(c.expiring),
                           QString::number(c.expired)});
        }
        break;
    }
    return t;
}

} // namespace YearChart
