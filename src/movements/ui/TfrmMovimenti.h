#pragma once

#include "common/ui/FormBuilder.h"
#include "common/ui/Screens.h"
#include "movements/MovementCardRules.h"
#include "movements/ui/ReceiptCommands.h"
#include "output/Attachments.h"

#include <QHash>
#include <QSet>

#include <optional>

class FieldEdit;
class PictureButton;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
struct TSchedaSocio;

// The movement card: one movement of the year's register at a time, browsed,
// created, duplicated and saved, with the commands that open the screens
// working on the register. Its state is what its controls show plus the
// position of the stored record, held as a value and shown in lblPosizione.
class TfrmMovimenti : public PanelScreen
{
    Q_OBJECT
public:
    explicit TfrmMovimenti(QWidget *parent = nullptr);

    // The year chosen in the year chooser: its file becomes the one every action
    // of the card uses (lblFile) and the year goes into the caption.
    void openYear(const QString &year, const QString &filePath);
    QString yearFile() const;

    // What the card shows now, and putting values on it.
    MovementCardValues values() const;
    void setValues(const MovementCardValues &card);

    // Shows the record stored at the 1-based position: browsing, and the screens
    // that carry a movement back to the card.
    void showRecord(qint64 position1, const TSchedaMovimento &record);
    // None for a card not stored yet.
    std::optional<qint64> position() const { return m_position; }

    // An empty income card dated today, focus in the reason.
    void newCard();

    // Values handed back by the dialogs the card opens.
    void setOperationDate(const QString &date);
    void setDueDate(const QString &date);
    void takePayer(const TSchedaSocio &member);
    void takeBeneficiary(const TSchedaSocio &member);
    void setAttachments(const Attachments &attachments);
    void setReceiptCommands(ReceiptCommands commands) { m_receipts = std::move(commands); }

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void buildControls();
    void connectControls();
    void setupHints();
    FieldEdit *edit(const QString &name) const;
    QLabel *label(const QString &name) const;
    PictureButton *button(const QString &name) const;
    void setPosition(std::optional<qint64> position1);
    void showMovementType(bool entrata);

    // Browsing, new, save, duplicate, exit.
    void browse(MovementCardRules::Arrow arrow);
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdEsciClick();
    void btnCentsClick();

    // The screens the card opens.
    void cmdTrovaClick();
    void cmdFileClick();
    void cmdStampaClick();
    void cmdEsportaClick();
    void cmdScadenzeClick();
    void cmdRicevutaClick();
    void cmdElencoRicevuteClick();
    void cmdGuidaClick();
    void impPagatoreClick();
    void impBeneficiarioClick();
    void chkCodFiscClick();
    void chkIvaClick();
    void sndEmailClick();
    void txtDataPicker();
    void txtDataScaPicker();

    Form::Controls m_c;
    std::optional<qint64> m_position;
    ReceiptCommands m_receipts;
    // The record as stored at m_position when the card last read or saved it:
    // a save finds out from it whether another workstation changed the card since.
    TSchedaMovimento m_shown;
    QLabel *m_lblPosizione = nullptr;
    QLabel *m_lblImporto = nullptr;
    QLabel *m_panInfo = nullptr;
    QRadioButton *m_optEntrata = nullptr;
    QRadioButton *m_optUscita = nullptr;
    QCheckBox *m_chkSaldato = nullptr;
    // Command controls and their sentences for the status line.
    QHash<QObject *, QString> m_hints;
    // Widgets that count as the card's background: the mouse over them empties the status line.
    QSet<QObject *> m_background;
};
