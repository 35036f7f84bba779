#pragma once

#include "common/ui/Screens.h"
#include "movements/MovementCardValues.h"
#include "output/ReportTemplate.h"

#include <memory>

// "Stampa scheda corrente": asks before printing the movement card as it is
// shown, saved or not, on one A4 page through the print dialog.
class TfrmStampaMovimento : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmStampaMovimento(QWidget *parent = nullptr);

    // The card to print, as the movement card shows it.
    void setCard(const MovementCardValues &card);

    ReportTemplate &repDocumento() { return *m_repDocumento; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    void btnStampaClick();

    std::unique_ptr<ReportTemplate> m_repDocumento;
    MovementCardValues m_card;
};
