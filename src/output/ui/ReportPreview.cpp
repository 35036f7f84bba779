#include "ReportPreview.h"

#include "PreviewPage.h"
#include "PrinterOutput.h"

#include "common/ui/Art.h"
#include "common/ui/Palette.h"

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

namespace {
const int kZooms[] = {25, 50, 75, 100, 125, 150, 200, 300};
}

ReportPreview::ReportPreview(const PreparedReport &report, QWidget *parent)
    : QDialog(parent, Qt::Window), m_report(report)
{
    setWindowTitle(QStringLiteral("Anteprima di stampa - ") + report.documentTitle);
    setObjectName(QStringLiteral("frmAnteprimaReport"));
    setModal(true);

    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("panComandi"));
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, Palette::paleBlue);
    bar->setPalette(pal);
    auto *barLayout = new QHBoxLayout(bar);

    auto *print = new QPushButton(QIcon(Art::pixmap(QStringLiteral("printer"), QSize(24, 24))),
                                  QStringLiteral("Stampa"), bar);
    print->setObjectName(QStringLiteral("btnStampa"));
    auto *zoomCaption = new QLabel(QStringLiteral("Zoom:"), bar);
    m_zoomBox = new QComboBox(bar);
    m_zoomBox->setObjectName(QStringLiteral("cmbZoom"));
    for (int z : kZooms)
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(z), z);
    m_fullScreen = new QPushButton(QStringLiteral("Schermo intero"), bar);
    m_fullScreen->setObjectName(QStringLiteral("btnSchermoIntero"));
    m_fullScreen->setCheckable(true);
    auto *close = new QPushButton(QStringLiteral("Chiudi"), bar);
    close->setObjectName(QStringLiteral("btnChiudi"));
    auto *pages = new QLabel(report.pages.size() == 1 ? QStringLiteral("1 pagina")
                                                      : QStringLiteral("%1 pagine").arg(report.pages.size()),
                             bar);
    pages->setObjectName(QStringLiteral("lblPagine"));
    for (QPushButton *b : {print, m_fullScreen, close}) {
        b->setCursor(Qt::PointingHandCursor);
        b->setMinimumHeight(30);
    }
    barLayout->addWidget(print);
    barLayout->addSpacing(12);
    barLayout->addWidget(zoomCaption);
    barLayout->addWidget(m_zoomBox);
    barLayout->addWidget(m_fullScreen);
    barLayout->addSpacing(12);
    barLayout->addWidget(pages);
    barLayout->addStretch();
    barLayout->addWidget(close);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("panPagine"));
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_pages = new QWidget;
    m_pagesLayout = new QVBoxLayout(m_pages);
    m_pagesLayout->setSpacing(16);
    m_pagesLayout->setContentsMargins(16, 16, 16, 16);
    m_scroll->setWidget(m_pages);
    m_scroll->setWidgetResizable(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_scroll, 1);

    connect(print, &QPushButton::clicked, this, [this] {
        if (PrinterOutput::current().print(this, m_report))
            m_printed = true;
    });
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this,
            [this](int i) { setZoomPercent(m_zoomBox->itemData(i).toInt()); });
    connect(m_fullScreen, &QPushButton::clicked, this, &ReportPreview::toggleFullScreen);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    m_scroll->viewport()->installEventFilter(this);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this, &ReportPreview::drawPagesOnScreen);
    connect(m_scroll->horizontalScrollBar(), &QScrollBar::valueChanged, this, &ReportPreview::drawPagesOnScreen);

    m_zoomBox->setCurrentIndex(m_zoomBox->findData(100));
    showPages();
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1024, 768);
    resize(std::min(screen.width() - 40, 1000), std::max(400, screen.height() - 80));
}

void ReportPreview::setZoomPercent(int percent)
{
    if (percent == m_zoom || percent <= 0)
        return;
    m_zoom = percent;
    const int index = m_zoomBox->findData(percent);
    if (index >= 0 && index != m_zoomBox->currentIndex())
        m_zoomBox->setCurrentIndex(index);
    showPages();
}

void ReportPreview::showPages()
{
    // 100 % is the paper's real size on this screen.
    const qreal screenDpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const qreal dpi = screenDpi * m_zoom / 100.0;
    // Every page takes its place at once; only those on screen are drawn.
    for (int i = 0; i < m_report.pages.size(); ++i) {
        if (i == m_pageWidgets.size()) {
            auto *page = new PreviewPage(m_report, i, m_pages);
            m_pagesLayout->addWidget(page, 0, Qt::AlignHCenter);
            m_pageWidgets.append(page);
        }
        m_pageWidgets[i]->setResolution(dpi);
    }
    m_pagesLayout->activate();
    m_pages->adjustSize();
    drawPagesOnScreen();
}

void ReportPreview::drawPagesOnScreen()
{
    // What the scroll area shows, in the coordinates of the pages, with half a
    // screen more above and below so that scrolling meets pages already drawn.
    // Until the window is laid out on screen no page has its place yet.
    if (!m_scroll->viewport()->isVisible())
        return;
    const QSize view = m_scroll->viewport()->size();
    const QRect shown = QRect(-m_pages->pos(), view).adjusted(0, -view.height() / 2, 0, view.height() / 2);
    for (PreviewPage *page : std::as_const(m_pageWidgets)) {
        if (page->geometry().intersects(shown))
            page->draw();
        else
            page->release();
    }
}

bool ReportPreview::eventFilter(QObject *watched, QEvent *e)
{
    // A larger window, full screen or the first showing uncover other pages.
    if (watched == m_scroll->viewport() && (e->type() == QEvent::Resize || e->type() == QEvent::Show))
        drawPagesOnScreen();
    return QDialog::eventFilter(watched, e);
}

void ReportPreview::toggleFullScreen()
{
    if (isFullScreen()) {
        showNormal();
        m_fullScreen->setChecked(false);
    } else {
        showFullScreen();
        m_fullScreen->setChecked(true);
    }
}
