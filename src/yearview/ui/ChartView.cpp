#include "ChartView.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

ChartView::ChartView(YearChart::Which which, QWidget *parent)
    : QWidget(parent), m_which(which)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void ChartView::setView(const YearView *view)
{
    m_view = view;
    m_laidOut = false;
    update();
}

const YearChart::Drawing &ChartView::drawing()
{
    if (!m_laidOut) {
        m_drawing = m_view ? YearChart::layout(*m_view, m_which, QSizeF(size()), font()) : YearChart::Drawing{};
        m_laidOut = true;
    }
    return m_drawing;
}

QString ChartView::tipAt(const QPoint &point) { return YearChart::tipAt(drawing(), QPointF(point)); }

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    YearChart::paint(p, drawing(), font());
}

void ChartView::resizeEvent(QResizeEvent *e)
{
    m_laidOut = false;
    QWidget::resizeEvent(e);
}

bool ChartView::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(e);
        const QString tip = tipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(e);
}
