#pragma once

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

    void setPage(const QString &title, const QString &body);

    QLabel *lblTitolo;
    QPlainTextEdit *txtGuida;
    QLabel *lnkWeb;
    QPushButton *btnChiudi;

private:
    void openManual();
};
