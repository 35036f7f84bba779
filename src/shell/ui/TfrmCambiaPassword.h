#pragma once

#include "common/ui/Screens.h"

class FieldEdit;
class QLabel;
class QPushButton;

// Replaces the access password, given the old one.
class TfrmCambiaPassword : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget *parent = nullptr);

    FieldEdit *txtPasswordOld;
    FieldEdit *txtPasswordNew;
    FieldEdit *txtConferma;
    QPushButton *cmdOK;
    QPushButton *cmdEsci;
    QLabel *lblMemory;

Q_SIGNALS:
    // The screen closed, after a change or by "Chiudi".
    void finished_();

protected:
    void showEvent(QShowEvent *e) override;
    // Closed by the desktop (close box, Alt+F4, the taskbar): the same as "Chiudi".
    void closeEvent(QCloseEvent *e) override;

private:
    void updateOK();
    void cmdOKClick();
    void closeScreen();
};
