#include "DesktopKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

void DesktopKeys::install()
{
    static DesktopKeys *installed = nullptr;
    if (installed || !QCoreApplication::instance())
        return;
    installed = new DesktopKeys(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(installed);
}

bool DesktopKeys::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(e);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    auto *button = qobject_cast<QPushButton *>(watched);
    if (!button || !button->hasFocus() || !button->isEnabled() || !button->isVisible())
        return false;
    // A held key presses once, not once per repeat.
    if (!key->isAutoRepeat())
        button->click();
    return true;
}
