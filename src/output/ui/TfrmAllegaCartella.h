#pragma once

#include "common/ui/Screens.h"

#include <array>

class FieldEdit;
class QLabel;
class QPushButton;
class PictureButton;

// "Allega file": the three attachment slots of the card that opened it. A picked
// file is copied at once into the attachment folder; "Applica e chiudi" writes the
// slots into the card's hidden labels, which the card stores when it is saved.
class TfrmAllegaCartella : public FixedDialog
{
    Q_OBJECT
public:
    static constexpr int kSlots = 3;

    explicit TfrmAllegaCartella(QWidget *parent = nullptr);

    // Opens the window for a card: mode "anagrafica" (member card) or "movimenti"
    // (movement card). The slots start from the card's lblFile01..lblDesc03.
    static void openFor(QWidget *card, const QString &mode);

    // The mode in lblMemory, and the slots (1 to 3), each trimmed.
    void setMode(const QString &mode);
    void setSlot(int n, const QString &fileName, const QString &description);

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
};
