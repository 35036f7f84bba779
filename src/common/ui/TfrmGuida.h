#pragma once

#include "common/HelpPage.h"
#include "common/ui/Screens.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The help page: each work screen fills it with its own title and text.
class TfrmGuida : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget *parent = nullptr);

    // Opens a fresh help window owned by `owner` on the given page, modally.
    static void open(QWidget *owner, HelpPage page);

    void setPage(HelpPage page);

    QLabel *lblTitolo;
    QPlainTextEdit *txtGuida;
    QLabel *lnkWeb;
    QPushButton *btnChiudi;

private:
    void openManual();
};
