#pragma once

#include <QLineEdit>

// The yellow frame behind the edit that has the focus.
class FocusFrame : public QWidget
{
    Q_OBJECT
public:
    explicit FocusFrame(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *) override;
};

// An edit of a card screen. It limits what the user puts in, typed, pasted or
// dropped (never text the program sets), filters keys, applies its text rule
// while typing, shows its focus frame and reports Enter so the screen can move
// along its cycle.
class FieldEdit : public QLineEdit
{
    Q_OBJECT
public:
    enum class TextRule { None, Trim, TrimUpper };

    explicit FieldEdit(QWidget *parent = nullptr);

    // Maximum number of characters the user can type; 0 for no limit.
    void setTypingLimit(int limit) { m_limit = limit; }

    // Only these characters may be typed, besides Enter, Backspace, Delete, Left and
    // Right; every other key (Tab included) is swallowed. Empty: no filter.
    void setAllowedCharacters(const QString &chars) { m_allowed = chars; }

    void setTextRule(TextRule rule) { m_rule = rule; }

    // A date field: read-only; Backspace or Delete empties it, any other key asks
    // for the date picker.
    void setDateField(bool on);

    void setFocusFrame(QWidget *frame);
    QWidget *focusFrame() const { return m_frame; }

    // Ends the stay of whichever field of `window` still wears its frame: hides the
    // frame and runs the field's leaving step. For a window being hidden.
    static void leaveFramedField(QWidget *window);

Q_SIGNALS:
    void enterPressed();
    void pickerRequested();
    // After the focus has gone and the frame is hidden.
    void left();

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void leave();
    void textWasEdited(const QString &now);
    QString filteredInsertion(const QString &kept, QString inserted, bool atStart, bool atEnd) const;
    void applyRule();
    bool typingAllowed(const QString &typed) const;

    int m_limit = 0;
    QString m_allowed;
    TextRule m_rule = TextRule::None;
    bool m_dateField = false;
    QWidget *m_frame = nullptr;
    // The user is in this field: it took the focus and has not left it yet (another
    // window being active in between does not count as leaving).
    bool m_inField = false;
    // The text before the latest change and the text now, whatever changed it: an
    // edit by the user is compared with the text it replaced.
    QString m_previousText;
    QString m_currentText;
};
