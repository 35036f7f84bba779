#include "FormBuilder.h"

#include "FieldEdit.h"
#include "Palette.h"
#include "PictureButton.h"

#include <QCheckBox>
#include <QLabel>
#include "RowList.h"
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace Form {

QString frameName(const QString &editName)
{
    return QStringLiteral("eff") + (editName.startsWith(QLatin1String("txt")) ? editName.mid(3) : editName);
}

static QWidget *make(QWidget *parent, const Control &c, Controls &into)
{
    const QString name = QString::fromLatin1(c.name);
    const QString art = c.art ? QString::fromLatin1(c.art) : QString();
    QWidget *w = nullptr;
    switch (c.kind) {
    case Kind::Label:
    case Kind::Bold:
    case Kind::Hidden: {
        auto *l = new QLabel(c.caption, parent);
        if (c.kind == Kind::Bold) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        if (c.kind == Kind::Hidden)
            l->setVisible(false);
        w = l;
        break;
    }
    case Kind::Edit:
    case Kind::Password: {
        auto *frame = new FocusFrame(parent);
        frame->setObjectName(frameName(name));
        frame->setGeometry(c.x - 4, c.y - 4, c.w + 8, c.h + 8);
        into.add(frame->objectName(), frame);
        auto *e = new FieldEdit(parent);
        e->setTypingLimit(c.maxLength);
        if (c.kind == Kind::Password)
            e->setEchoMode(QLineEdit::Password);
        e->setFocusFrame(frame);
        w = e;
        break;
    }
    case Kind::Button: {
        auto *b = new QPushButton(c.caption, parent);
        b->setCursor(Qt::PointingHandCursor);
        w = b;
        break;
    }
    case Kind::Picture: {
        auto *p = new Picture(parent);
        p->setArt(art);
        w = p;
        break;
    }
    case Kind::PictureButton:
    case Kind::CommandBar: {
        auto *b = new PictureButton(parent);
        b->setText(c.caption);
        b->setArt(art);
        b->setStyle(c.kind == Kind::CommandBar ? PictureButton::Style::CommandBar
                                               : PictureButton::Style::Picture);
        w = b;
        break;
    }
    case Kind::Shape: {
        auto *s = new QWidget(parent);
        s->setAttribute(Qt::WA_StyledBackground);
        s->setStyleSheet(QStringLiteral("QWidget#%1 { background: %2; border-radius: 6px; }")
                             .arg(name, art.isEmpty() ? QStringLiteral("#ffffff") : art));
        w = s;
        break;
    }
    case Kind::Check:
        w = new QCheckBox(c.caption, parent);
        break;
    case Kind::Radio:
        w = new QRadioButton(c.caption, parent);
        break;
    case Kind::List:
        w = new RowList(parent);
        break;
    case Kind::TextArea: {
        auto *t = new QPlainTextEdit(parent);
        t->setReadOnly(true);
        t->setPlainText(c.caption);
        w = t;
        break;
    }
    }
    w->setObjectName(name);
    w->setGeometry(c.x, c.y, c.w, c.h);
    return w;
}

void build(QWidget *parent, std::initializer_list<Control> table, Controls &into)
{
    QWidget *previous = nullptr;
    for (const Control &c : table) {
        QWidget *w = make(parent, c, into);
        into.add(w->objectName(), w);
        if (w->focusPolicy() & Qt::TabFocus) {
            if (previous)
                QWidget::setTabOrder(previous, w);
            previous = w;
        }
    }
}

Controls build(QWidget *parent, std::initializer_list<Control> table)
{
    Controls c;
    build(parent, table, c);
    return c;
}

} // namespace Form
