#pragma once

#include "common/ui/Screens.h"
#include "output/Attachments.h"

#include <array>
#include <optional>

class FieldEdit;
class QLabel;
class QPushButton;
class PictureButton;

// "Allega file": the three attachment slots of the card that opened it. A picked
// file is copied at once into the attachment folder; "Applica e chiudi" hands the
// three slots back to the card, which stores them when it is saved. "Annulla"
// hands back nothing.
class TfrmAllegaCartella : public FixedDialog
{
    Q_OBJECT
public:
    static constexpr int kSlots = Attachments::kCount;

    // The card the window works for. Its text in lblMemory is the one the
    // user's manual knows the modes by.
    enum class Card {
        Member,   // "anagrafica"
        Movement, // "movimenti"
    };

    explicit TfrmAllegaCartella(QWidget *parent = nullptr);

    // Opens the window owned by `owner` for a card whose slots hold `current`,
    // and waits for it: the slots applied, or nothing when the user cancelled.
    static std::optional<Attachments> edit(QWidget *owner, Card card, const Attachments &current);

    // A window told no card (the instance created at start-up) applies nothing.
    void setCard(Card card);
    std::optional<Card> card() const { return m_card; }
    static QString modeText(Card card);

    // Fills the slots (1 to 3), each trimmed.
    void setSlot(int n, const QString &fileName, const QString &description);
    void setAttachments(const Attachments &attachments);
    // What the slots hold now, each trimmed.
    Attachments attachments() const;

    // The slots "Applica e chiudi" handed back; nothing before it.
    const std::optional<Attachments> &applied() const { return m_applied; }

    std::array<FieldEdit *, kSlots> txtFile{};
    std::array<FieldEdit *, kSlots> txtDesc{};
    std::array<QPushButton *, kSlots> btnSfoglia{};
    std::array<QPushButton *, kSlots> btnApri{};
    std::array<PictureButton *, kSlots> imgCancella{};
    QPushButton *btnApplica = nullptr;
    QPushButton *btnAnnulla = nullptr;
    QLabel *lblMemory = nullptr;

    static QString dialogTitle();
    static QString overwriteText();
    static QString copyFailedText();
    static QString badNameText();

private:
    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void btnApplicaClick();
    void updateApri(int slot);

    std::optional<Card> m_card;
    std::optional<Attachments> m_applied;
};
