#pragma once

#include "common/ui/Screens.h"

class FieldEdit;
class QLabel;

// The year chooser in front of the movement card: the user types the calendar
// year and presses "Apri". Closing it leads to the movement card once a year
// was opened, back to the start menu otherwise.
class TfrmMenuMovimenti : public PanelScreen
{
    Q_OBJECT
public:
    explicit TfrmMenuMovimenti(QWidget *parent = nullptr);

Q_SIGNALS:
    // The chooser closed after "Apri": the card is to work on this year's file.
    void yearOpened(const QString &year, const QString &filePath);

protected:
    void showEvent(QShowEvent *e) override;
    void closeScreen() override;

private:
    void btnApriPreventiviClick();
    void btnImportaClick();
    void imgGuidaClick();

    FieldEdit *m_txtAnno = nullptr;
    QLabel *m_lblMemory = nullptr;
    QString m_year;
    QString m_file;
};
