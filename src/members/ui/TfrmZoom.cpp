#include "TfrmZoom.h"

#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

TfrmZoom::TfrmZoom(QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
    setObjectName(QStringLiteral("TfrmZoom"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("QDialog#TfrmZoom { background: %1; }").arg(Palette::paleBlue.name()));

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("panContainer"));
    m_panel->setAttribute(Qt::WA_StyledBackground);
    m_panel->setStyleSheet(QStringLiteral("QWidget#panContainer { background: #ffffff; }"));
    m_foto = new Picture(m_panel);
    m_foto->setObjectName(QStringLiteral("imgFoto"));
    m_foto->setCursor(Qt::PointingHandCursor);
    m_panel->installEventFilter(this);
    m_foto->installEventFilter(this);

    setWindowState(Qt::WindowMaximized);
}

void TfrmZoom::setPhoto(const QImage &photo) { m_foto->setImage(photo); }

QImage TfrmZoom::photo() const { return m_foto->image(); }

QSize TfrmZoom::zoomArea(const QSize &screenSize)
{
    return QSize(std::max(0, screenSize.width() - 60), std::max(0, screenSize.height() - 90));
}

void TfrmZoom::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    placePanel();
}

void TfrmZoom::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    placePanel();
}

void TfrmZoom::placePanel()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    QSize area = zoomArea(s ? s->geometry().size() : size());
    // Where the window is smaller than the screen (task bar, title bar) the photo
    // still shows whole.
    if (isVisible())
        area = area.boundedTo(size());
    m_panel->setGeometry(QRect(QPoint((width() - area.width()) / 2, (height() - area.height()) / 2), area));
    m_foto->setGeometry(QRect(QPoint(0, 0), area));
}

bool TfrmZoom::eventFilter(QObject *watched, QEvent *e)
{
    if ((watched == m_panel || watched == m_foto) && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}
