#pragma once

#include "common/ui/FormBuilder.h"
#include "common/ui/Screens.h"

class FieldEdit;
class QLabel;
class QPushButton;

// The login: the program's main window, asking for the access password.
class TfrmPassword : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);

    FieldEdit *txtPassword;
    QPushButton *cmdOK;
    QPushButton *cmdEsci;
    QPushButton *btnCambiaPassword;
    QLabel *lblMemory;
    QLabel *lnkRipristina;

    // Empties the field and the scratch slot and puts the focus in the field.
    void resetForLogin();

Q_SIGNALS:
    void accepted_();
    void exitRequested();
    void changeRequested();
    // A copy of the data was put back from "Ripristina una copia".
    void restored();

protected:
    void showEvent(QShowEvent *e) override;
    // The window has no close box; a close asked by the desktop counts as "Esci".
    void closeEvent(QCloseEvent *e) override;

private:
    void txtPasswordChange();
    void cmdOKClick();
};
