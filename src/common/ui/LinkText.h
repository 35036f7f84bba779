#pragma once

#include <QObject>

class QLabel;
class QWidget;

// A link drawn as underlined dark blue text with an icon beside it. Pressing the
// mouse on either turns the text orange, releasing turns it blue again, and a
// click reports activated().
class LinkText : public QObject
{
    Q_OBJECT
public:
    LinkText(QLabel *text, QWidget *icon);

Q_SIGNALS:
    void activated();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void colour(bool pressed);
    QLabel *m_text;
};
