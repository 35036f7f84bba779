#include "PictureButton.h"

#include "Art.h"
#include "Palette.h"

#include <QPainter>
#include <QPainterPath>

PictureButton::PictureButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    m_bar = Palette::royal;
}

void PictureButton::setArt(const QString &name)
{
    m_art = name;
    update();
}

void PictureButton::setStyle(Style style)
{
    m_style = style;
    update();
}

void PictureButton::setBarColor(const QColor &color)
{
    m_bar = color;
    update();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (m_style == Style::Picture) {
        if (!m_art.isEmpty())
            p.drawPixmap(rect(), Art::pixmap(m_art, size() * devicePixelRatioF()));
        if (isDown())
            p.fillRect(rect(), QColor(0, 0, 0, 40));
        if (!text().isEmpty() && m_art.isEmpty()) {
            p.setPen(Palette::ink);
            p.drawText(rect(), Qt::AlignCenter, text());
        }
        return;
    }
    // A command bar: rounded gradient, icon on the left, caption beside it.
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    const QColor base = isDown() ? m_bar.darker(120) : (underMouse() ? m_bar.lighter(112) : m_bar);
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(0.5, base);
    g.setColorAt(1, base.darker(125));
    QPainterPath path;
    path.addRoundedRect(r, 5, 5);
    p.fillPath(path, g);
    p.setPen(QPen(base.darker(150), 1));
    p.drawPath(path);
    const int icon = std::min(height() - 8, 18);
    int x = 6;
    if (!m_art.isEmpty()) {
        p.drawPixmap(QRect(x, (height() - icon) / 2, icon, icon), Art::pixmap(m_art, QSize(icon, icon) * 2));
        x += icon + 6;
    }
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(x, 0, width() - x - 4, height()), Qt::AlignVCenter | Qt::AlignLeft, text());
}

Picture::Picture(QWidget *parent)
    : QWidget(parent)
{
}

void Picture::setArt(const QString &name)
{
    m_art = name;
    update();
}

void Picture::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void Picture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_image.isNull()) {
        const QSize s = m_image.size().scaled(size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
        p.drawImage(target, m_image);
        return;
    }
    if (!m_art.isEmpty())
        p.drawPixmap(rect(), Art::pixmap(m_art, size() * devicePixelRatioF()));
}
