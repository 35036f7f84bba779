#include "TfrmAllegaCartella.h"

#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/PictureButton.h"
#include "common/ui/UiPlatform.h"
#include "output/AttachmentFolder.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace {

const QSize kClient(634, 534);
const QSize kPanel(609, 503);

QString slotName(const char *prefix, int slot) { return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(slot + 1, 2, 10, QLatin1Char('0')); }

QString nameNotStorableText()
{
    return QStringLiteral("Attenzione: il nome del file contiene caratteri che la scheda non può memorizzare, per "
                          "cui il file non è stato allegato.")
           + UiPlatform::kCrLfCrLf
           + QStringLiteral("Rinominare il file usando soltanto lettere, cifre e simboli presenti sulla tastiera, "
                            "quindi selezionarlo di nuovo.");
}

QString nameTooLongText()
{
    return QStringLiteral("Attenzione: il nome del file supera i %1 caratteri che la scheda può memorizzare, per "
                          "cui il file non è stato allegato.")
               .arg(AttachmentFolder::kMaxNameLength)
           + UiPlatform::kCrLfCrLf
           + QStringLiteral("Rinominare il file con un nome più breve, quindi selezionarlo di nuovo.");
}

QString fileFilter()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Tutti i file (*.*)");
#else
    // "*.*" would hide the files without an extension here.
    return QStringLiteral("Tutti i file (*)");
#endif
}

} // namespace

QString TfrmAllegaCartella::dialogTitle() { return QStringLiteral("Selezionare il file da allegare:"); }

QString TfrmAllegaCartella::overwriteText()
{
    return QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.")
           + UiPlatform::kCrLfCrLf + QStringLiteral("Si vuole sovrascrivere il file esistente?");
}

QString TfrmAllegaCartella::copyFailedText()
{
    return QStringLiteral("Attenzione: il sistema non permette di allegare il file.") + UiPlatform::kCrLfCrLf
           + QStringLiteral("Accertarsi che la cartella Documenti_Allegati si possa creare e scrivere.");
}

QString TfrmAllegaCartella::badNameText()
{
    return QStringLiteral("Attenzione: il nome del file allegato non è valido.") + UiPlatform::kCrLfCrLf
           + QStringLiteral("Si possono aprire solo i file presenti nella cartella Documenti_Allegati.");
}

TfrmAllegaCartella::TfrmAllegaCartella(QWidget *parent)
    : FixedDialog(QStringLiteral(" Allega file"), kClient, parent)
{
    setObjectName(QStringLiteral("TfrmAllegaCartella"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("TfrmAllegaCartella { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                 "stop:0 #EBE9E9, stop:1 #FFFFFF); }"));

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panContainer"));
    panel->setGeometry((kClient.width() - kPanel.width()) / 2, (kClient.height() - kPanel.height()) / 2,
                       kPanel.width(), kPanel.height());

    using K = Form::Kind;
    Form::Controls c = Form::build(panel, {
        {"shpSfondo", K::Shape, {}, 8, 8, 593, 433, "#ffffff"},
        {"imgLogo", K::Picture, {}, 20, 20, 543, 49, "banner_allegati"},
        {"shpFile01", K::Shape, {}, 16, 80, 577, 113},
        {"shpFile02", K::Shape, {}, 16, 200, 577, 113},
        {"shpFile03", K::Shape, {}, 16, 320, 577, 113},
        {"lblCampo01", K::Label, QStringLiteral("Nome 1° file allegato:"), 28, 90, 340, 18},
        {"lblCampo02", K::Label, QStringLiteral("Descrizione 1° file allegato:"), 28, 140, 340, 18},
        {"lblCampo03", K::Label, QStringLiteral("Nome 2° file allegato:"), 28, 210, 340, 18},
        {"lblCampo04", K::Label, QStringLiteral("Descrizione 2° file allegato:"), 28, 260, 340, 18},
        {"lblCampo05", K::Label, QStringLiteral("Nome 3° file allegato:"), 28, 330, 340, 18},
        {"lblCampo06", K::Label, QStringLiteral("Descrizione 3° file allegato:"), 28, 380, 340, 18},
        {"imgCancella01", K::PictureButton, {}, 370, 108, 22, 22, "eraser"},
        {"imgCancella02", K::PictureButton, {}, 370, 228, 22, 22, "eraser"},
        {"imgCancella03", K::PictureButton, {}, 370, 348, 22, 22, "eraser"},
        // From here on, table order is tab order.
        {"txtFile01", K::Edit, {}, 28, 108, 338, 22},
        {"btnSfoglia01", K::Button, QStringLiteral("Sfoglia..."), 400, 104, 86, 28},
        {"btnApri01", K::Button, QStringLiteral("Apri"), 494, 104, 86, 28},
        {"txtDesc01", K::Edit, {}, 28, 158, 552, 22, nullptr, 250},
        {"txtFile02", K::Edit, {}, 28, 228, 338, 22},
        {"btnSfoglia02", K::Button, QStringLiteral("Sfoglia..."), 400, 224, 86, 28},
        {"btnApri02", K::Button, QStringLiteral("Apri"), 494, 224, 86, 28},
        {"txtDesc02", K::Edit, {}, 28, 278, 552, 22, nullptr, 250},
        {"txtFile03", K::Edit, {}, 28, 348, 338, 22},
        {"btnSfoglia03", K::Button, QStringLiteral("Sfoglia..."), 400, 344, 86, 28},
        {"btnApri03", K::Button, QStringLiteral("Apri"), 494, 344, 86, 28},
        {"txtDesc03", K::Edit, {}, 28, 398, 552, 22, nullptr, 250},
        {"btnApplica", K::Button, QStringLiteral("Applica e chiudi"), 447, 456, 154, 32},
        {"btnAnnulla", K::Button, QStringLiteral("Annulla"), 312, 456, 126, 32},
        {"lblMemory", K::Hidden, {}, 0, 0, 0, 0},
    });

    const QFont verdana(QStringLiteral("Verdana"));
    QFont verdana12(QStringLiteral("Verdana"), 12);
    QFont verdana12Bold = verdana12;
    verdana12Bold.setBold(true);
    QFont verdanaBold = verdana;
    verdanaBold.setBold(true);

    for (int i = 0; i < kSlots; ++i) {
        c.widget(slotName("shpFile", i))
            ->setStyleSheet(QStringLiteral("QWidget#%1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                           "stop:0 #A8CAE5, stop:1 #FFFFFF); border-radius: 6px; }")
                                .arg(slotName("shpFile", i)));
        txtFile[i] = c.get<FieldEdit>(slotName("txtFile", i));
        txtDesc[i] = c.get<FieldEdit>(slotName("txtDesc", i));
        btnSfoglia[i] = c.get<QPushButton>(slotName("btnSfoglia", i));
        btnApri[i] = c.get<QPushButton>(slotName("btnApri", i));
        imgCancella[i] = c.get<PictureButton>(slotName("imgCancella", i));

        txtFile[i]->setReadOnly(true);
        txtFile[i]->setFont(verdanaBold);
        txtFile[i]->setStyleSheet(QStringLiteral("color: #707070;"));
        txtDesc[i]->setFont(verdana12Bold);
        btnSfoglia[i]->setFont(verdana);
        btnApri[i]->setFont(verdana);
        btnApri[i]->setEnabled(false);

        connect(txtFile[i], &QLineEdit::textChanged, this, [this, i] { updateApri(i); });
        connect(btnSfoglia[i], &QPushButton::clicked, this, [this, i] { btnSfogliaClick(i); });
        connect(btnApri[i], &QPushButton::clicked, this, [this, i] { btnApriClick(i); });
        connect(imgCancella[i], &QAbstractButton::clicked, this, [this, i] { imgCancellaClick(i); });
    }
    for (int i = 1; i <= 6; ++i)
        c.widget(QStringLiteral("lblCampo0%1").arg(i))->setFont(verdana12);

    btnApplica = c.get<QPushButton>(QStringLiteral("btnApplica"));
    btnAnnulla = c.get<QPushButton>(QStringLiteral("btnAnnulla"));
    btnApplica->setFont(verdana);
    btnAnnulla->setFont(verdana);
    lblMemory = c.get<QLabel>(QStringLiteral("lblMemory"));

    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
}

std::optional<Attachments> TfrmAllegaCartella::edit(QWidget *owner, Card card, const Attachments &current)
{
    return runDialog<TfrmAllegaCartella>(
        owner,
        [&](TfrmAllegaCartella &w) {
            w.setCard(card);
            w.setAttachments(current);
        },
        [](const TfrmAllegaCartella &w) { return w.applied(); });
}

void TfrmAllegaCartella::setCard(Card card)
{
    m_card = card;
    lblMemory->setText(modeText(card));
}

QString TfrmAllegaCartella::modeText(Card card)
{
    switch (card) {
    case Card::Member:
        return QStringLiteral("anagrafica");
    case Card::Movement:
        return QStringLiteral("movimenti");
    }
    return {};
}

void TfrmAllegaCartella::setAttachments(const Attachments &attachments)
{
    for (int i = 0; i < kSlots; ++i)
        setSlot(i + 1, attachments.items[i].file, attachments.items[i].description);
}

Attachments TfrmAllegaCartella::attachments() const
{
    Attachments out;
    for (int i = 0; i < kSlots; ++i)
        out.items[i] = {TextRules::trim(txtFile[i]->text()), TextRules::trim(txtDesc[i]->text())};
    return out;
}

void TfrmAllegaCartella::setSlot(int n, const QString &fileName, const QString &description)
{
    if (n < 1 || n > kSlots)
        return;
    txtFile[n - 1]->setText(TextRules::trim(fileName));
    txtDesc[n - 1]->setText(TextRules::trim(description));
    updateApri(n - 1);
}

void TfrmAllegaCartella::updateApri(int slot)
{
    btnApri[slot]->setEnabled(!TextRules::trim(txtFile[slot]->text()).isEmpty());
}

void TfrmAllegaCartella::btnSfogliaClick(int slot)
{
    const QString chosen = UiPlatform::files().openFile(this, dialogTitle(), fileFilter());
    if (chosen.isEmpty())
        return;
    const QString name = QFileInfo(chosen).fileName();
    // A name the card cannot keep whole is refused before anything is copied.
    switch (AttachmentFolder::nameProblem(name)) {
    case AttachmentFolder::NameProblem::None:
        break;
    case AttachmentFolder::NameProblem::NotInCodePage:
        UiPlatform::warning(this, nameNotStorableText());
        return;
    case AttachmentFolder::NameProblem::TooLong:
        UiPlatform::warning(this, nameTooLongText());
        return;
    }
    const QString destination = AttachmentFolder::fileOf(name);

    // The slot shows the new name only once the folder holds a file of that name,
    // so a card never refers to a document that was not attached.
    if (destination.isEmpty() || !AttachmentFolder::ensure()) {
        UiPlatform::warning(this, copyFailedText());
        return;
    }
    const auto place = AttachmentFolder::placeOf(destination);
    if (place == AttachmentFolder::Place::Unusable) {
        UiPlatform::warning(this, copyFailedText());
        return;
    }
    if (place == AttachmentFolder::Place::Taken && !UiPlatform::ask(this, overwriteText())) {
        txtFile[slot]->setText(name);
        return;
    }
    if (!AttachmentFolder::copyIn(chosen, destination)) {
        UiPlatform::warning(this, copyFailedText());
        return;
    }
    txtFile[slot]->setText(name);
}

void TfrmAllegaCartella::btnApriClick(int slot)
{
    const QString path = AttachmentFolder::fileOf(txtFile[slot]->text());
    if (path.isEmpty()) {
        UiPlatform::warning(this, badNameText());
        return;
    }
    Platform::shell().open(QUrl::fromLocalFile(path));
}

void TfrmAllegaCartella::imgCancellaClick(int slot) { txtFile[slot]->clear(); }

void TfrmAllegaCartella::btnApplicaClick()
{
    // A window that works for no card has nowhere to hand the slots: it stays open.
    if (!m_card)
        return;
    m_applied = attachments();
    close();
}
