#pragma once

#include "common/ui/Screens.h"

class QCalendarWidget;
class QLabel;
class QPushButton;

// The date picker: the user picks a day and "Importa" writes it as dd/mm/yyyy
// into the date field of the card that opened it, chosen by the mode in lblMemory.
class TfrmCalendario : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);

    // The field the picker fills: "datasca" (the member card's expiry date),
    // "movimenti_data" or "movimenti_scadenza" (the movement card's dates).
    void setMode(const QString &mode);
    QString mode() const;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    void btnImportaDataClick();

    QLabel *m_lblMemory = nullptr;
    QCalendarWidget *m_calendar = nullptr;
};
