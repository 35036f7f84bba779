#include "PickCombo.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

PickCombo::PickCombo(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // Nothing may be pasted or dropped in: the text comes from the list.
    lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    lineEdit()->setAcceptDrops(false);
    setAcceptDrops(false);
    lineEdit()->installEventFilter(this);
    setMaxVisibleItems(12);
}

void PickCombo::setFocusFrame(QWidget *frame)
{
    m_frame = frame;
    if (m_frame)
        m_frame->setVisible(hasFocus());
}

void PickCombo::clearChoice()
{
    setCurrentIndex(-1);
    setEditText(QString());
}

void PickCombo::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT enterPressed();
        e->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_F4:
        QComboBox::keyPressEvent(e);
        return;
    default:
        e->accept();
        return;
    }
}

void PickCombo::focusInEvent(QFocusEvent *e)
{
    if (m_frame)
        m_frame->show();
    QComboBox::focusInEvent(e);
}

void PickCombo::focusOutEvent(QFocusEvent *e)
{
    QComboBox::focusOutEvent(e);
    // The list opening, a message box or another window taking over does not
    // mean the user left the field.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    if (m_frame)
        m_frame->hide();
    Q_EMIT left();
}

void PickCombo::inputMethodEvent(QInputMethodEvent *e)
{
    // Composed characters are typing too.
    e->ignore();
}

bool PickCombo::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == lineEdit() && e->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        showPopup();
        return true;
    }
    return QComboBox::eventFilter(watched, e);
}
