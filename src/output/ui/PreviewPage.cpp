#include "PreviewPage.h"

#include "output/ReportRenderer.h"

PreviewPage::PreviewPage(const PreparedReport &report, int index, QWidget *parent)
    : QLabel(parent)
    , m_report(report)
    , m_index(index)
{
    setObjectName(QStringLiteral("imgPagina%1").arg(index + 1));
    setFrameShape(QFrame::Box);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void PreviewPage::setResolution(qreal dotsPerInch)
{
    if (m_drawn && qFuzzyCompare(dotsPerInch, m_dpi))
        return;
    m_dpi = dotsPerInch;
    release();
    const QSize paper = (m_report.pages[m_index].paper * dotsPerInch / 96.0).toSize();
    const int frame = 2 * frameWidth();
    setFixedSize(paper + QSize(frame, frame));
}

void PreviewPage::draw()
{
    if (m_drawn)
        return;
    setPixmap(QPixmap::fromImage(ReportRenderer::pageImage(m_report, m_index, m_dpi)));
    m_drawn = true;
}

void PreviewPage::release()
{
    if (!m_drawn)
        return;
    clear();
    m_drawn = false;
}

void PreviewPage::paintEvent(QPaintEvent *e)
{
    // A page reached before the window had a chance to draw it (a jump of the
    // scroll bar, a larger window) is drawn now rather than shown blank.
    draw();
    QLabel::paintEvent(e);
}
