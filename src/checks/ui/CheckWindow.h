#pragma once

#include "checks/CheckOutcome.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Screens.h"

#include <QColor>

class FieldEdit;

// The frame shared by the tax code, VAT number and IBAN check windows: a banner,
// one entry line with "Controlla", and "Chiudi". "Controlla" shows what the
// check says; a length warning keeps the window open with the focus back in the
// entry line, any other answer closes it. The window never touches its caller.
class CheckWindow : public FixedDialog
{
    Q_OBJECT
public:
    // Puts the text to check into the entry line, as the calling card passes it.
    void setInput(const QString &text);

protected:
    struct Look
    {
        QString caption;
        QSize client;
        QSize panel;
        QColor top;                  // the background fades from this colour to white
        QString containerStyle;      // style sheet body of shpContainer
        const char *banner;          // drawing of imgLogo
        int bannerHeight;
        int titleY;                  // lblTitolo's top; the entry line's frame is 23 below it
        QString title;               // lblTitolo
        const char *editName;        // txtCodFisc, txtPartitaIva, txtIban
        int editWidth;
        int maxLength;
        int closeX;                  // btnChiudi's place in the panel
        QString frameOutline;        // border of shpCodFisc; empty for none
    };

    CheckWindow(const Look &look, QWidget *parent);

    FieldEdit *entry() const { return m_entry; }
    virtual CheckOutcome check(const QString &text) const = 0;

    void showEvent(QShowEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

    // Code fields keep their text trimmed and in capitals while it is typed.
    void keepTrimmedUpper();

private:
    void controlla();

    QColor m_top;
    Form::Controls m_controls;
    FieldEdit *m_entry = nullptr;
    bool m_trimUpper = false;
};
