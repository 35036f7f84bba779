#include "Screens.h"

#include "FieldEdit.h"
#include "Palette.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QHideEvent>
#include <QKeyEvent>

PanelScreen::PanelScreen(const QString &caption, const QSize &panelSize, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_StyledBackground);
    setObjectName(QStringLiteral("PanelScreen"));
    setStyleSheet(QStringLiteral("PanelScreen { background: %1; }").arg(Palette::paleBlue.name()));
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("panContainer"));
    m_panel->setFixedSize(panelSize);
    resize(panelSize + QSize(40, 40));
}

void PanelScreen::showScreen() { showMaximized(); }

void PanelScreen::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    m_panel->move(std::max(0, (width() - m_panel->width()) / 2), std::max(0, (height() - m_panel->height()) / 2));
}

void PanelScreen::closeEvent(QCloseEvent *e)
{
    // The screen is hidden, never destroyed: it keeps its contents for the next visit.
    e->ignore();
    closeScreen();
}

void PanelScreen::hideEvent(QHideEvent *e)
{
    QWidget::hideEvent(e);
    // Leaving the screen leaves the field being typed in: its frame goes and its
    // leaving step runs now, not when the screen comes back to a fresh card.
    if (!e->spontaneous())
        FieldEdit::leaveFramedField(this);
}

void PanelScreen::closeScreen() { Q_EMIT closed(); }

FixedDialog::FixedDialog(const QString &caption, const QSize &clientSize, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(caption);
    setFixedSize(clientSize);
}

void FixedDialog::keyPressEvent(QKeyEvent *e)
{
    // Escape closes nothing: every window of the program closes through its buttons.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        // Enter on a focused button presses it, as Space does (push buttons take
        // their Enter before it gets here, see DesktopKeys).
        if (auto *button = qobject_cast<QAbstractButton *>(focusWidget()); button && button->isEnabled())
            button->click();
        // Otherwise the control that has the focus had no use for it: the buttons
        // are not "default" buttons, so an Enter typed in an edit never presses one.
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}
