#pragma once

#include "books/MemberRegister.h"
#include "common/TSchedaSocio.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Screens.h"
#include "members/MemberCardRules.h"
#include "members/StoredMember.h"

#include <QHash>
#include <QImage>
#include <QSet>

#include <array>
#include <optional>

class FieldEdit;
class Picture;
class PictureButton;
class QLabel;

// The member card: one member record at a time, browsed, created, duplicated and
// saved, with the commands that open the screens working on the member archive.
//
// The card holds the member it shows as values: the record, its position in the
// archive (none for a card not stored yet) and its photo. The controls are a
// view of them, filled in showValues() alone; what the user typed is read back
// in recordFromCard() alone. The dialogs the card opens hand their values back
// and the card puts them into its record.
class TfrmAnagrafica : public PanelScreen
{
    Q_OBJECT
public:
    explicit TfrmAnagrafica(QWidget *parent = nullptr);

    // Shows the record stored at the 1-based position, with the photo of that
    // position (the placeholder when it cannot be read).
    void loadRecord(qint64 position1, const TSchedaSocio &record);
    void showMember(const StoredMember &member);

    // The record the card would store now: the edits as typed and the rest of
    // the record as held, every field trimmed.
    TSchedaSocio recordFromCard() const;

    // The member's photo, or the placeholder when the card has none.
    QImage photo() const;
    // A null image stands for no photo: the placeholder is shown.
    void setPhoto(const QImage &image);
    void clearPhoto();

    // Empties the card for a new member: fee "0,00", notice days "0", no
    // attachments, the placeholder photo, no position, focus in the name.
    void emptyCard();

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
    // The edit that shows a field of the record.
    FieldEdit *editOf(QString TSchedaSocio::*field) const;

    // The parts of the view showValues() fills from the values.
    enum ViewPart : unsigned {
        FieldsPart = 1,      // the 19 edits
        AttachmentsPart = 2, // the six hidden attachment labels
        PositionPart = 4,    // lblPosizione
        PhotoPart = 8,       // imgFoto
        AllParts = 15,
    };
    // With onlyField, of the edits only the one of that field is filled.
    void showValues(unsigned parts, QString TSchedaSocio::*onlyField = nullptr);

    // Browsing and saving.
    void browse(MemberCardRules::Arrow arrow);
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void btnNuovoClick();
    void btnDuplicaClick();
    void btnSalvaClick();
    // Before a card is stored: when another stored member holds its tax code,
    // the user is asked whether to store it all the same. False when the card
    // is not to be stored (the user said No, or the archive could not be read).
    bool taxCodeMayBeStored(const TSchedaSocio &record);
    void btnGuidaClick();
    void btnEsciClick();

    // The commands that open the search, the lists, the attachments, the
    // printing and the export; what those screens hand back goes into the card.
    void btnTrovaClick();
    void btnAllegatiClick();
    void btnAnteprimaClick();
    void btnStampaClick();
    void btnScadenzeClick();
    void btnScadutiClick();
    void btnEsportaClick();
    // The register of members: this card's entry, and the whole register.
    void btnIscrizioneClick();
    void storeInRegister(const MemberRegister::Entry &entry);
    void btnLibroClick();

    // Code checks, e-mail and the expiry date.
    void btnCodFiscClick();
    void btnPartitaIvaClick();
    void btnIbanClick();
    void btnEmailClick();
    void txtDataScaPicker();
    void delDataScaClick();
    void setExpiry(const QString &date);

    // Photo.
    void btnCaricaFotoClick();
    void btnAcquisisciFotoClick();
    void btnSalvaFotoClick();
    void btnZoomFotoClick();
    void btnCancFotoClick();

    // The member shown, as values.
    TSchedaSocio m_record;
    std::optional<qint64> m_position;
    // The record as stored at m_position when the card last read or saved it:
    // a save finds out from it whether another workstation changed the card since.
    TSchedaSocio m_shown;
    QImage m_photo; // null: no photo
    // The register entry applied on a card not stored yet, stored with it.
    std::optional<MemberRegister::Entry> m_pendingEntry;

    Form::Controls m_c;
    std::array<FieldEdit *, MemberCardRules::kEditCount> m_edits{};
    std::array<QLabel *, TSchedaSocio::FieldCount - MemberCardRules::kEditCount> m_attachmentLabels{};
    Picture *m_imgFoto = nullptr;
    Picture *m_imgBianco = nullptr;
    QLabel *m_lblPosizione = nullptr;
    QLabel *m_panInfo = nullptr;
    // Command controls and their sentences for the status line.
    QHash<QObject *, QString> m_hints;
    // Widgets that count as the card's background: the mouse over them empties the status line.
    QSet<QObject *> m_background;
};
