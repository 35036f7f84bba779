#pragma once

#include <QDialog>
#include <QWidget>

class Picture;

// A persistent work screen: opens maximised with its content in the fixed-size
// panel panContainer, kept centred in the window.
class PanelScreen : public QWidget
{
    Q_OBJECT
public:
    PanelScreen(const QString &caption, const QSize &panelSize, QWidget *parent = nullptr);

    QWidget *panel() const { return m_panel; }

    // Shows this screen maximised.
    void showScreen();

protected:
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    // What closing the window does: by default it reports closed(), and the
    // screen set hands back to the start menu.
    virtual void closeScreen();

Q_SIGNALS:
    void closed();

private:
    QWidget *m_panel;
};

// A fixed-size window without system buttons: a dialog screen, or the login.
class FixedDialog : public QDialog
{
    Q_OBJECT
public:
    FixedDialog(const QString &caption, const QSize &clientSize, QWidget *parent = nullptr);

protected:
    // Escape closes nothing: every window of the program closes through its buttons.
    // Enter presses the focused button and never a default one.
    void keyPressEvent(QKeyEvent *e) override;
};

// Runs a fresh dialog screen of type T owned by `owner`: setup fills its slots,
// then it is shown modally and destroyed when it closes.
template <class T, class Setup>
void openDialog(QWidget *owner, Setup &&setup);

// The same for a dialog that hands a value back: once its modal loop is over,
// `result` reads the value from it, and that value is returned after the dialog
// is destroyed. The opener alone decides where the value goes.
template <class T, class Setup, class Result>
auto runDialog(QWidget *owner, Setup &&setup, Result &&result);

#include "UiPlatform.h"

#include <memory>
#include <utility>

template <class T, class Setup>
void openDialog(QWidget *owner, Setup &&setup)
{
    auto *dialog = new T(owner);
    setup(*dialog);
    UiPlatform::modal().run(dialog);
    delete dialog;
}

template <class T>
void openDialog(QWidget *owner)
{
    openDialog<T>(owner, [](T &) {});
}

template <class T, class Setup, class Result>
auto runDialog(QWidget *owner, Setup &&setup, Result &&result)
{
    const std::unique_ptr<T> dialog(new T(owner));
    setup(*dialog);
    UiPlatform::modal().run(dialog.get());
    return result(std::as_const(*dialog));
}
