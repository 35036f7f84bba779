#pragma once

#include "common/TSchedaSocio.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Screens.h"
#include "members/MemberCardRules.h"

#include <QHash>
#include <QImage>
#include <QSet>

class FieldEdit;
class Picture;
class PictureButton;
class QLabel;

// The member card: one member record at a time, browsed, created, duplicated and
// saved, with the commands that open the screens working on the member archive.
class TfrmAnagrafica : public PanelScreen
{
    Q_OBJECT
public:
    explicit TfrmAnagrafica(QWidget *parent = nullptr);

    // Shows the record stored at the 1-based position: the 19 fields, the six
    // attachment labels, lblPosizione and the photo of that position (the
    // placeholder when it cannot be read).
    void loadRecord(qint64 position1, const TSchedaSocio &record);

    // The record the card would store now: every field trimmed.
    TSchedaSocio recordFromCard() const;

    // The picture in imgFoto: the member's photo, or the placeholder.
    QImage photo() const;
    // A null image stands for no photo: the placeholder is shown.
    void setPhoto(const QImage &image);
    void clearPhoto();

    // The trimmed text of lblPosizione: empty for a card not stored yet.
    QString position() const;

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
    void showAttachments(const TSchedaSocio &record);

    // Browsing and saving.
    void browse(MemberCardRules::Arrow arrow);
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void btnNuovoClick();
    void btnDuplicaClick();
    void btnSalvaClick();
    void btnGuidaClick();
    void btnEsciClick();

    // Opened by the screens of the search, the lists, the attachments, the
    // printing and the export, which are wired to the card where they are built.
    void btnTrovaClick();
    void btnAllegatiClick();
    void btnAnteprimaClick();
    void btnStampaClick();
    void btnScadenzeClick();
    void btnScadutiClick();
    void btnEsportaClick();

    // Code checks, e-mail and the expiry date.
    void btnCodFiscClick();
    void btnPartitaIvaClick();
    void btnIbanClick();
    void btnEmailClick();
    void txtDataScaPicker();
    void delDataScaClick();

    // Photo.
    void btnCaricaFotoClick();
    void btnAcquisisciFotoClick();
    void btnSalvaFotoClick();
    void btnZoomFotoClick();
    void btnCancFotoClick();

    Form::Controls m_c;
    Picture *m_imgFoto = nullptr;
    Picture *m_imgBianco = nullptr;
    QLabel *m_lblPosizione = nullptr;
    QLabel *m_panInfo = nullptr;
    // Command controls and their sentences for the status line.
    QHash<QObject *, QString> m_hints;
    // Widgets that count as the card's background: the mouse over them empties the status line.
    QSet<QObject *> m_background;
};
