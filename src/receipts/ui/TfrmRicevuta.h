#pragma once

#include "common/ui/Screens.h"
#include "output/ReportTemplate.h"
#include "receipts/ReceiptBook.h"
#include "receipts/ReceiptContent.h"

#include <memory>
#include <optional>

class QCheckBox;
class QLabel;

// The receipt of a stored income movement: what it will print, the tick
// "Erogazione liberale", and "Anteprima" and "Stampa". The number is taken at
// the first preview or print, under the year file's lock, and what the receipt
// says is kept with it; a movement that has its number already prints what its
// original said, marked as a duplicate, and so does every print after the
// first one made from this dialog.
class TfrmRicevuta : public FixedDialog
{
    Q_OBJECT
public:
    struct Request
    {
        QString yearFile;
        qint64 position = 0;
        TSchedaMovimento shown; // the record as the card would store it
        ReceiptContent::Issuer issuer;
        bool donation = false; // the tick's first state
    };

    explicit TfrmRicevuta(QWidget *parent = nullptr);

    // Opens the dialog over the card and waits. The movement as stored once a
    // new number was written into it, for the card to show; nothing otherwise.
    static std::optional<TSchedaMovimento> run(QWidget *owner, const Request &request);

    void setRequest(const Request &request);
    const std::optional<TSchedaMovimento> &issued() const { return m_issued; }
    ReportTemplate &repRicevuta() { return *m_report; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    // Takes or confirms the number; false when the receipt cannot be printed
    // (the user has been told and the dialog closes).
    bool ensureNumber();
    void fillReport();
    // After a print of the original, what follows is a duplicate.
    void printed(bool toPaper);
    void showNumber();
    void btnAnteprimaClick();
    void btnStampaClick();

    Request m_request;
    std::unique_ptr<ReportTemplate> m_report;
    std::optional<ReceiptBook::Number> m_number;
    bool m_duplicate = false;
    std::optional<ReceiptContent> m_content; // fixed once the number is taken
    TSchedaMovimento m_record;
    std::optional<TSchedaMovimento> m_issued;
    QLabel *m_lblNumero = nullptr;
    QLabel *m_lblDettaglio = nullptr;
    QCheckBox *m_chkErogazione = nullptr;
};
