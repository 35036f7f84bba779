#include "LinkText.h"

#include "Palette.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

LinkText::LinkText(QLabel *text, QWidget *icon)
    : QObject(text)
    , m_text(text)
{
    for (QWidget *w : {static_cast<QWidget *>(text), icon}) {
        if (!w)
            continue;
        w->setCursor(Qt::PointingHandCursor);
        w->installEventFilter(this);
    }
    QFont f = text->font();
    f.setUnderline(true);
    text->setFont(f);
    colour(false);
}

void LinkText::colour(bool pressed)
{
    m_text->setStyleSheet(
        QStringLiteral("color: %1;").arg((pressed ? Palette::linkOrange : Palette::linkBlue).name()));
}

bool LinkText::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonPress) {
        colour(true);
    } else if (e->type() == QEvent::MouseButtonRelease) {
        colour(false);
        auto *w = static_cast<QWidget *>(watched);
        if (w->rect().contains(static_cast<QMouseEvent *>(e)->position().toPoint()))
            Q_EMIT activated();
    }
    return QObject::eventFilter(watched, e);
}
