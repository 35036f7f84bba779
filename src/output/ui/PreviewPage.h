#pragma once

#include "output/PreparedReport.h"

#include <QLabel>

// One page of the preview window. The page keeps its paper's size at the
// preview's zoom whether drawn or not, so the scroll area is laid out for every
// page at once; the picture itself is drawn only while the page is on screen and
// dropped once it is scrolled away, so a list of hundreds of pages costs the
// pages the user looks at.
class PreviewPage : public QLabel
{
    Q_OBJECT
public:
    PreviewPage(const PreparedReport &report, int index, QWidget *parent = nullptr);

    // The paper's size at dotsPerInch; any picture drawn at another size is dropped.
    void setResolution(qreal dotsPerInch);
    // Draws the picture unless it is there already.
    void draw();
    // Drops the picture, keeping the page's place.
    void release();
    bool isDrawn() const { return m_drawn; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    const PreparedReport &m_report;
    int m_index;
    qreal m_dpi = 96;
    bool m_drawn = false;
};
