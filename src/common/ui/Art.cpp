#include "Art.h"

#include "Palette.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace Art {

QString path(const QString &name)
{
    if (name.contains(QLatin1Char('.')))
        return QStringLiteral(":/art/") + name;
    return QStringLiteral(":/art/") + name + QStringLiteral(".svg");
}

bool exists(const QString &name) { return QFile::exists(path(name)); }

namespace {

QPixmap render(const QString &name, const QSize &size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QString file = path(name);
    if (file.endsWith(QLatin1String(".svg"))) {
        QSvgRenderer svg(file);
        if (svg.isValid()) {
            svg.render(&p, QRectF(pm.rect()));
            return pm;
        }
    } else {
        QImage img(file);
        if (!img.isNull()) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(QRectF(pm.rect()), img);
            return pm;
        }
    }
    QLinearGradient g(0, 0, 0, pm.height());
    g.setColorAt(0, Palette::sky);
    g.setColorAt(1, Palette::royal);
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(pm.rect()).adjusted(1, 1, -1, -1), 4, 4);
    return pm;
}

} // namespace

QPixmap pixmap(const QString &name, const QSize &size)
{
    // Pictures are drawn on every paint of their control (hover, press, a window
    // uncovered): each drawing is parsed and rendered once per size and kept.
    const QSize wanted = size.isValid() && !size.isEmpty() ? size : QSize(32, 32);
    const QString key = QStringLiteral("art:%1@%2x%3").arg(name).arg(wanted.width()).arg(wanted.height());
    QPixmap pm;
    if (!QPixmapCache::find(key, &pm)) {
        pm = render(name, wanted);
        QPixmapCache::insert(key, pm);
    }
    return pm;
}

QImage photoPlaceholder()
{
    return pixmap(QStringLiteral("photo_placeholder"), QSize(366, 274)).toImage();
}

} // namespace Art
