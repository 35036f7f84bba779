#include "StatementLook.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace StatementLook {

void followHints(const QHash<QObject *, QString> &hints, QLabel *panInfo, QObject *watched, QEvent *e)
{
    if (!hints.contains(watched))
        return;
    if (e->type() == QEvent::Enter)
        panInfo->setText(hints.value(watched));
    else if (e->type() == QEvent::Leave)
        panInfo->clear();
}

void paintBackground(QWidget *window)
{
    QPainter p(window);
    QLinearGradient g(0, 0, 0, window->height());
    g.setColorAt(0, QColor(0xEE, 0xF4, 0xFC));
    g.setColorAt(1, QColor(0xC8, 0xDC, 0xF2));
    p.fillRect(window->rect(), g);
}

} // namespace StatementLook
