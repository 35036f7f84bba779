#pragma once

#include "yearview/YearChart.h"

#include <QWidget>

// One chart of the year at a glance on screen: drawn for the widget's size,
// each figure shown as a tooltip under the pointer.
class ChartView : public QWidget
{
    Q_OBJECT
public:
    ChartView(YearChart::Which which, QWidget *parent = nullptr);

    // The view to draw; nullptr draws nothing. It must outlive the next show().
    void setView(const YearView *view);
    YearChart::Which which() const { return m_which; }
    // The figure under a point of the widget, as the tooltip shows it.
    QString tipAt(const QPoint &point);

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool event(QEvent *e) override;

private:
    const YearChart::Drawing &drawing();

    YearChart::Which m_which;
    const YearView *m_view = nullptr;
    YearChart::Drawing m_drawing;
    bool m_laidOut = false;
};
