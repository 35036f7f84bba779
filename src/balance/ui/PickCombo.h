#pragma once

#include <QComboBox>

// A drop-down whose text can only be chosen from its list: typed keys are
// discarded (Up, Down and the keys that open the list still choose from it),
// Enter is reported so the screen can move the focus on, and the yellow focus
// frame behind it shows while it has the focus. A click on its text opens
// the list, since there is nothing to type there.
class PickCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit PickCombo(QWidget *parent = nullptr);

    void setFocusFrame(QWidget *frame);
    // Empties the text and leaves no item chosen.
    void clearChoice();

Q_SIGNALS:
    void enterPressed();
    // After the focus has gone and the frame is hidden.
    void left();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QWidget *m_frame = nullptr;
};
