#include "FieldEdit.h"

#include "Palette.h"
#include "common/TextRules.h"

#include <QKeyEvent>
#include <QPainter>

FocusFrame::FocusFrame(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void FocusFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, Palette::focusYellow);
    g.setColorAt(1, Qt::white);
    p.setPen(QPen(QBrush(g), 2));
    p.setBrush(Palette::focusYellow);
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
}

FieldEdit::FieldEdit(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &FieldEdit::applyRule);
}

void FieldEdit::setDateField(bool on)
{
    m_dateField = on;
    setReadOnly(on);
}

void FieldEdit::setFocusFrame(QWidget *frame)
{
    m_frame = frame;
    if (m_frame)
        m_frame->setVisible(hasFocus());
}

void FieldEdit::applyRule()
{
    if (m_rule == TextRule::None)
        return;
    QString t = TextRules::trim(text());
    if (m_rule == TextRule::TrimUpper)
        t = TextRules::upperAZ(t);
    if (t != text()) {
        const int cursor = std::min<int>(cursorPosition(), int(t.size()));
        setText(t);
        setCursorPosition(cursor);
    }
}

static bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

static bool isModifierOnly(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock || key == Qt::Key_NumLock;
}

bool FieldEdit::event(QEvent *e)
{
    // Tab and Backtab reach keyPressEvent only if they are taken here first.
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && (m_dateField || !m_allowed.isEmpty())) {
            keyPressEvent(k);
            return true;
        }
    }
    if (e->type() == QEvent::ShortcutOverride && !m_allowed.isEmpty()) {
        // Clipboard and other shortcuts are keys like any other here.
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

bool FieldEdit::typingAllowed(const QString &typed) const
{
    if (m_limit <= 0 || typed.isEmpty())
        return true;
    const qsizetype after = text().size() - selectedText().size() + typed.size();
    return after <= m_limit;
}

void FieldEdit::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    if (m_dateField) {
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
            clear();
            Q_EMIT textEdited(QString());
        } else if (!isModifierOnly(key)) {
            Q_EMIT pickerRequested();
        }
        e->accept();
        return;
    }
    if (isEnter(key)) {
        Q_EMIT enterPressed();
        e->accept();
        return;
    }
    if (!m_allowed.isEmpty()) {
        const bool editing = key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Left ||
                             key == Qt::Key_Right;
        const QString typed = e->text();
        const bool allowedChar = typed.size() == 1 && m_allowed.contains(typed.at(0)) &&
                                 !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (!editing && !allowedChar) {
            e->accept();
            return;
        }
        if (editing && (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
            // Only the plain keys pass: no selection or word jumps.
            QKeyEvent plain(e->type(), key, Qt::NoModifier, e->text());
            QLineEdit::keyPressEvent(&plain);
            return;
        }
    }
    const QString typed = e->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !(e->modifiers() & Qt::ControlModifier) &&
        !typingAllowed(typed)) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void FieldEdit::focusInEvent(QFocusEvent *e)
{
    if (m_frame)
        m_frame->show();
    QLineEdit::focusInEvent(e);
}

void FieldEdit::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    // A message box or another window taking over does not mean the user left the field.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    if (m_frame)
        m_frame->hide();
    Q_EMIT left();
}
