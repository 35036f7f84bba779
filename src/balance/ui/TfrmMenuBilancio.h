#pragma once

#include "balance/PeriodChoice.h"
#include "common/ui/Screens.h"

class FieldEdit;
class PickCombo;
class QGroupBox;
class QLabel;
class QPushButton;

// The period chooser: a year, an optional reason and the first and last day of
// the interval, checked by "Visualizza riepilogo" and handed to a fresh prima
// nota list.
class TfrmMenuBilancio : public PanelScreen
{
    Q_OBJECT
public:
    explicit TfrmMenuBilancio(QWidget *parent = nullptr);

    FieldEdit *txtAnno;
    FieldEdit *txtTipologia;
    PickCombo *txtGiornoInizio;
    PickCombo *txtMeseInizio;
    PickCombo *txtGiornoFine;
    PickCombo *txtMeseFine;
    QGroupBox *grpDataInizio;
    QGroupBox *grpDataFine;
    QLabel *lblAnnoInizio;
    QLabel *lblAnnoFine;
    QLabel *lblDataInizio;
    QLabel *lblDataFine;
    QLabel *lblFile;
    QLabel *lblAttendere;
    QPushButton *btnVisualizza;
    QPushButton *btnEsci;
    QPushButton *btnRendiconto;
    QPushButton *btnAndamento;

Q_SIGNALS:
    // "Rendiconto per cassa": the yearly cash statement is to be opened over this screen.
    void statementRequested();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void buildControls();
    void connectControls();
    void copyYear();
    QWidget *fieldOf(PeriodChoice::Field field) const;
    void btnVisualizzaMouseDown();
    void btnVisualizzaClick();
    void openList();
};
