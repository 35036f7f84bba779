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
    connect(this, &QLineEdit::textChanged, this, [this](const QString &now) {
        m_previousText = m_currentText;
        m_currentText = now;
    });
    // Typing, Ctrl+V, the context menu's paste, a drop and the middle button all end
    // here as an edit by the user; the text set by the program never does.
    connect(this, &QLineEdit::textEdited, this, &FieldEdit::textWasEdited);
    connect(this, &QLineEdit::textEdited, this, &FieldEdit::applyRule);
}

QString FieldEdit::filteredInsertion(const QString &kept, QString inserted, bool atStart, bool atEnd) const
{
    if (m_rule != TextRule::None) {
        // The field is trimmed anyway: blanks at its ends must not use up its room.
        auto blank = [](QChar c) { return c.unicode() <= 32; };
        if (atStart)
            while (!inserted.isEmpty() && blank(inserted.front()))
                inserted.remove(0, 1);
        if (atEnd)
            while (!inserted.isEmpty() && blank(inserted.back()))
                inserted.chop(1);
    }
    QString out;
    bool comma = kept.contains(QLatin1Char(','));
    for (QChar c : inserted) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
        if (!m_allowed.isEmpty()) {
            if (!m_allowed.contains(c))
                continue;
            // A pasted amount brings at most one decimal comma.
            if (c == QLatin1Char(',') && inserted.size() > 1) {
                if (comma)
                    continue;
                comma = true;
            }
        }
        out.append(c);
    }
    if (m_limit > 0) {
        // What the program put in stays whole; only the user's addition is cut.
        const qsizetype room = std::max<qsizetype>(0, m_limit - kept.size());
        out.truncate(room);
    }
    return out;
}

void FieldEdit::textWasEdited(const QString &now)
{
    const QString before = m_currentText == now ? m_previousText : m_currentText;
    if (m_dateField || before == now)
        return;
    // The edit replaced the middle of the old text with `inserted`.
    qsizetype head = 0;
    const qsizetype shortest = std::min(before.size(), now.size());
    while (head < shortest && before.at(head) == now.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < shortest - head && before.at(before.size() - 1 - tail) == now.at(now.size() - 1 - tail))
        ++tail;
    const QString inserted = now.mid(head, now.size() - head - tail);
    if (inserted.isEmpty())
        return;
    const QString kept = now.left(head) + now.right(tail);
    const QString allowed = filteredInsertion(kept, inserted, head == 0, tail == 0);
    if (allowed == inserted)
        return;
    setText(now.left(head) + allowed + now.right(tail));
    setCursorPosition(int(head + allowed.size()));
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
    // When the program moves the focus while the window is not active (a message
    // box is up, the window is coming back from the start menu), Qt never tells the
    // field that had it: it learns here, when the new field gets the focus.
    leaveFramedField(window());
    m_inField = true;
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
    leave();
}

void FieldEdit::leave()
{
    if (!m_inField)
        return;
    m_inField = false;
    if (m_frame)
        m_frame->hide();
    Q_EMIT left();
}

void FieldEdit::leaveFramedField(QWidget *window)
{
    if (!window)
        return;
    for (FieldEdit *field : window->findChildren<FieldEdit *>())
        if (field->m_inField)
            field->leave();
}
