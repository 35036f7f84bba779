#include "TfrmAnagrafica.h"

#include "PhotoFiles.h"
#include "TfrmAnteprimaAna.h"
#include "TfrmExpAnagrafica.h"
#include "TfrmScadute.h"
#include "TfrmSospesi.h"
#include "TfrmStampaAna.h"
#include "TfrmTrovaAnagrafica.h"
#include "TfrmWebCam.h"
#include "TfrmZoom.h"
#include "books/MemberRegister.h"
#include "books/ui/TfrmIscrizione.h"
#include "books/ui/TfrmLibroSoci.h"
#include "checks/ui/TfrmCodFisc.h"
#include "checks/ui/TfrmIban.h"
#include "checks/ui/TfrmPartitaIva.h"
#include "common/ArchivePaths.h"
#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/Art.h"
#include "common/ui/CardOverwrite.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmCalendario.h"
#include "common/ui/TfrmGuida.h"
#include "members/MemberArchive.h"
#include "members/MemberArchiveScan.h"
#include "output/Attachments.h"
#include "output/ui/TfrmAllegaCartella.h"

#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QShowEvent>
#include <QUrl>

using Form::Kind;
using MemberCardRules::Arrow;

namespace {

// One edit of the card with its caption above it.
struct FieldPlace
{
    const char *name;
    const char *caption;
    int x, y, w, maxLength;
};

// In the order of the Enter cycle, which is also the tab order.
const FieldPlace kFields[] = {
    {"txtDipendente", "Cognome e nome Socio:", 420, 114, 402, 50},
    {"txtCittadinanza", "Tessera n.", 420, 170, 266, 50},
    {"txtStipendio", "Quota: €", 700, 170, 122, 12},
    {"txtLuogo", "Luogo di nascita:", 420, 226, 266, 50},
    {"txtDataNasc", "Data di nascita:", 700, 226, 122, 10},
    {"txtCodFisc", "Codice fiscale:", 420, 282, 198, 16},
    {"txtPartitaIva", "Partita IVA:", 660, 282, 134, 11},
    {"txtIndirizzo", "Indirizzo di residenza e numero civico:", 420, 338, 402, 120},
    {"txtCitta", "Città:", 420, 394, 258, 50},
    {"txtProv", "Prov.", 692, 394, 46, 2},
    {"txtCap", "CAP:", 752, 394, 70, 10},
    {"txtQualifiche", "Qualifiche:", 32, 458, 374, 120},
    {"txtFamiliari", "Incarico ricoperto in Associazione:", 420, 458, 402, 250},
    {"txtIban", "IBAN:", 32, 514, 346, 27},
    {"txtNote", "Note:", 420, 514, 402, 250},
    {"txtDataSca", "Scadenza abbonamento:", 44, 580, 150, 10},
    {"txtPreavviso", "Giorni preavviso:", 236, 580, 116, 3},
    {"txtRecapito", "Recapito telefonico:", 384, 580, 170, 50},
    {"txtEmail", "E-mail:", 586, 580, 198, 50},
};
constexpr int kEditHeight = 24;

const char *const kBackground[] = {
    "panContainer", "shpContainer", "shpRecord", "shpNuovo", "shpSezione01", "shpInfo", "bkgPulsanti",
    "imgIntestazione", "shpFoto", "imgFoto", "bkgSfondo01", "bkgSfondo02", "bkgDataSca",
    "bkgDataPag", "bkgTimbro",
};

const struct
{
    const char *name;
    const char *hint;
} kHints[] = {
    {"cmdPrimo", "Visualizza la prima scheda in archivio."},
    {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
    {"btnNuovo", "Prepara la schermata per l'inserimento di una nuova scheda."},
    {"btnDuplica", "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."},
    {"btnSalva", "Salva la scheda corrente in archivio."},
    {"btnTrova", "Trova una scheda in archivio."},
    {"btnAllegati", "Allega file alla scheda corrente."},
    {"btnAnteprima", "Visualizza l'anteprima di stampa."},
    {"btnStampa", "Stampa la scheda corrente."},
    {"btnScadenze", "Visualizza il riepilogo dei Soci con abbonamenti in scadenza o scaduti."},
    {"btnScaduti", "Visualizza il riepilogo dei Soci con abbonamenti scaduti."},
    {"btnEsporta", "Esporta l'archivio in un foglio di Microsoft Excel."},
    {"btnGuida", "Visualizza la pagina della guida sensibile al contesto."},
    {"btnEsci", "Esci da questa schermata di lavoro."},
    {"btnIscrizione", "Iscrivi il socio nel libro soci, o indica la sua uscita."},
    {"btnLibro", "Visualizza, stampa ed esporta il libro soci."},
    {"btnCaricaFoto", "Carica una foto esistente."},
    {"btnAcquisisciFoto", "Acquisisci la foto da WebCam."},
    {"btnSalvaFoto", "Salva la foto su disco."},
    {"btnZoomFoto", "Visualizza la foto nelle sue dimensioni reali."},
    {"btnCancFoto", "Cancella la foto."},
    {"btnCodFisc", "Controlla il codice fiscale."},
    {"btnPartitaIva", "Controlla il numero di partita IVA."},
    {"btnIban", "Controlla l'IBAN."},
    {"btnEmail", "Invia una e-mail all'indirizzo indicato."},
    {"delDataSca", "Cancella la data."},
    {"txtDataSca", "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario."},
};

QString boxStyle(const char *name, const QString &background, const QString &border, int radius)
{
    return QStringLiteral("QWidget#%1 { background: %2; border: 1px solid %3; border-radius: %4px; }")
        .arg(QString::fromLatin1(name), background, border)
        .arg(radius);
}

} // namespace

TfrmAnagrafica::TfrmAnagrafica(QWidget *parent)
    : PanelScreen(QStringLiteral(" Quintara - Archivio Soci"), QSize(995, 692), parent)
{
    buildControls();
    connectControls();
    setupHints();
    emptyCard();
}

void TfrmAnagrafica::buildControls()
{
    QWidget *p = panel();
    // Shapes first, so everything else lies on top of them.
    Form::build(p, {
        {"shpContainer", Kind::Shape, {}, 0, 0, 995, 692},
        {"shpNuovo", Kind::Shape, {}, 16, 16, 698, 57},
        {"imgIntestazione", Kind::Picture, {}, 16, 16, 698, 57, "header_soci"},
        {"shpRecord", Kind::Shape, {}, 721, 16, 256, 57},
        {"shpFoto", Kind::Shape, {}, 22, 86, 378, 286},
        {"shpSezione01", Kind::Shape, {}, 412, 86, 420, 342},
        {"bkgSfondo01", Kind::Shape, {}, 22, 434, 386, 114},
        {"bkgSfondo02", Kind::Shape, {}, 412, 434, 420, 114},
        {"bkgDataSca", Kind::Shape, {}, 22, 554, 344, 78},
        {"bkgDataPag", Kind::Shape, {}, 374, 554, 190, 78},
        {"bkgTimbro", Kind::Shape, {}, 572, 554, 260, 78},
        {"bkgPulsanti", Kind::Shape, {}, 841, 86, 130, 467},
        {"shpInfo", Kind::Shape, {}, 16, 642, 962, 32},
    }, m_c);
    auto style = [this](const char *name, const QString &css) { m_c.widget(QString::fromLatin1(name))->setStyleSheet(css); };
    style("shpContainer", boxStyle("shpContainer",
                                   QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #EEF4FC, stop:1 #C8DCF2)"),
                                   Palette::sky.name(), 10));
    style("shpNuovo", boxStyle("shpNuovo", QStringLiteral("white"), Palette::sky.name(), 4));
    style("shpRecord", boxStyle("shpRecord", QStringLiteral("white"), Palette::sky.name(), 6));
    style("shpFoto", boxStyle("shpFoto", QStringLiteral("white"), Palette::royal.name(), 4));
    for (const char *box : {"shpSezione01", "bkgSfondo01", "bkgSfondo02", "bkgDataSca", "bkgDataPag", "bkgTimbro"})
        style(box, boxStyle(box, QStringLiteral("rgba(255, 255, 255, 170)"), Palette::sky.name(), 8));
    style("bkgPulsanti",
          boxStyle("bkgPulsanti",
                   QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)")
                       .arg(Palette::sky.name(), Palette::navy.name()),
                   Palette::navy.name(), 8));
    style("shpInfo", boxStyle("shpInfo", Palette::navy.name(), Palette::navy.name(), 4));

    Form::build(p, {
        {"cmdPrimo", Kind::PictureButton, {}, 730, 26, 37, 39, "arrow_first"},
        {"cmdIndietro", Kind::PictureButton, {}, 772, 26, 37, 39, "arrow_prev"},
        {"lblPosizione", Kind::Bold, {}, 810, 26, 78, 39},
        {"cmdAvanti", Kind::PictureButton, {}, 891, 26, 37, 39, "arrow_next"},
        {"cmdUltimo", Kind::PictureButton, {}, 933, 26, 37, 39, "arrow_last"},
        {"imgBianco", Kind::Picture, {}, 28, 92, 366, 274},
        {"imgFoto", Kind::Picture, {}, 28, 92, 366, 274},
        {"btnZoomFoto", Kind::PictureButton, {}, 22, 350, 22, 22, "zoom"},
        {"btnCancFoto", Kind::PictureButton, {}, 378, 350, 22, 22, "eraser"},
        {"btnCaricaFoto", Kind::PictureButton, QStringLiteral("Carica foto"), 22, 380, 157, 40, "btn_carica_foto"},
        {"btnAcquisisciFoto", Kind::PictureButton, QStringLiteral("Acquisisci foto"), 191, 380, 157, 40,
         "btn_acquisisci_foto"},
        {"btnSalvaFoto", Kind::PictureButton, {}, 359, 380, 42, 40, "disk"},
        {"btnNuovo", Kind::CommandBar, QStringLiteral("Nuovo"), 851, 96, 110, 28, "icon_nuovo"},
        {"btnDuplica", Kind::CommandBar, QStringLiteral("Duplica"), 851, 134, 110, 28, "icon_duplica"},
        {"btnSalva", Kind::CommandBar, QStringLiteral("Salva"), 851, 172, 110, 28, "icon_salva"},
        {"btnTrova", Kind::CommandBar, QStringLiteral("Trova"), 851, 210, 110, 28, "icon_trova"},
        {"btnAllegati", Kind::CommandBar, QStringLiteral("Allegati"), 851, 248, 110, 28, "icon_allegati"},
        {"btnAnteprima", Kind::CommandBar, QStringLiteral("Anteprima"), 851, 286, 110, 28, "icon_anteprima"},
        {"btnStampa", Kind::CommandBar, QStringLiteral("Stampa"), 851, 324, 110, 28, "icon_stampa"},
        {"btnScadenze", Kind::CommandBar, QStringLiteral("Scadenze"), 851, 362, 110, 28, "icon_scadenze"},
        {"btnScaduti", Kind::CommandBar, QStringLiteral("Scaduti"), 851, 400, 110, 28, "icon_scaduti"},
        {"btnEsporta", Kind::CommandBar, QStringLiteral("Esporta"), 851, 438, 110, 28, "icon_esporta"},
        {"btnGuida", Kind::CommandBar, QStringLiteral("Guida"), 851, 476, 110, 28, "icon_guida"},
        {"btnEsci", Kind::CommandBar, QStringLiteral("Esci"), 851, 514, 110, 28, "icon_esci"},
        {"btnIscrizione", Kind::CommandBar, QStringLiteral("Iscrizione"), 851, 562, 110, 28, "icon_nuovo"},
        {"btnLibro", Kind::CommandBar, QStringLiteral("Libro soci"), 851, 600, 110, 28, "icon_scadenze"},
        {"panInfo", Kind::Label, QStringLiteral("Pronto per archiviare una nuova scheda..."), 28, 642, 940, 32},
        {"lblFile01", Kind::Hidden, {}, 0, 0, 10, 10},
        {"lblFile02", Kind::Hidden, {}, 0, 0, 10, 10},
        {"lblFile03", Kind::Hidden, {}, 0, 0, 10, 10},
        {"lblDesc01", Kind::Hidden, {}, 0, 0, 10, 10},
        {"lblDesc02", Kind::Hidden, {}, 0, 0, 10, 10},
        {"lblDesc03", Kind::Hidden, {}, 0, 0, 10, 10},
    }, m_c);

    // Captions and edits, in the order of the Enter cycle.
    FieldEdit *previous = nullptr;
    for (const FieldPlace &f : kFields) {
        const QByteArray caption = QByteArray("tit") + QByteArray(f.name + 3);
        Form::build(p, {
            {caption.constData(), Kind::Label, QString::fromUtf8(f.caption), f.x, f.y - 19, f.w + 40, 17},
            {f.name, Kind::Edit, {}, f.x, f.y, f.w, kEditHeight, nullptr, f.maxLength},
        }, m_c);
        label(QString::fromLatin1(caption))->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
        FieldEdit *e = edit(QString::fromLatin1(f.name));
        if (previous)
            QWidget::setTabOrder(previous, e);
        previous = e;
    }

    Form::build(p, {
        {"btnCodFisc", Kind::PictureButton, {}, 624, 283, 22, 22, "check"},
        {"btnPartitaIva", Kind::PictureButton, {}, 799, 283, 22, 22, "check"},
        {"btnIban", Kind::PictureButton, {}, 383, 515, 22, 22, "check"},
        {"delDataSca", Kind::PictureButton, {}, 202, 581, 22, 22, "eraser"},
        {"btnEmail", Kind::PictureButton, {}, 791, 581, 22, 22, "mail"},
    }, m_c);

    m_imgFoto = m_c.get<Picture>(QStringLiteral("imgFoto"));
    m_imgBianco = m_c.get<Picture>(QStringLiteral("imgBianco"));
    m_imgBianco->setImage(Art::photoPlaceholder());
    m_imgBianco->hide();
    m_lblPosizione = label(QStringLiteral("lblPosizione"));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    QFont pf = m_lblPosizione->font();
    pf.setPointSize(12);
    m_lblPosizione->setFont(pf);
    m_lblPosizione->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    m_panInfo = label(QStringLiteral("panInfo"));
    m_panInfo->setStyleSheet(QStringLiteral("color: white;"));
    // The status text lies on its shape, which is what the mouse is over.
    m_panInfo->setAttribute(Qt::WA_TransparentForMouseEvents);

    const QColor bars[] = {Palette::green, Palette::green, Palette::green, Palette::royal, Palette::royal,
                           QColor(0x3B, 0x5F, 0x8F), QColor(0x3B, 0x5F, 0x8F), QColor(0xC9, 0x84, 0x1E),
                           QColor(0xC9, 0x84, 0x1E), QColor(0x2E, 0x7D, 0x4F), Palette::royal, Palette::red};
    const char *const commands[] = {"btnNuovo", "btnDuplica", "btnSalva", "btnTrova", "btnAllegati", "btnAnteprima",
                                    "btnStampa", "btnScadenze", "btnScaduti", "btnEsporta", "btnGuida", "btnEsci"};
    for (int i = 0; i < 12; ++i)
        button(QString::fromLatin1(commands[i]))->setBarColor(bars[i]);
    button(QStringLiteral("btnIscrizione"))->setBarColor(QColor(0x6A, 0x4C, 0x93));
    button(QStringLiteral("btnLibro"))->setBarColor(QColor(0x6A, 0x4C, 0x93));

    // The controls that show the record's fields, in the record's order.
    const auto &fields = TSchedaSocio::fields();
    for (int i = 0; i < TSchedaSocio::FieldCount; ++i) {
        if (i < MemberCardRules::kEditCount)
            m_edits[i] = edit(MemberCardRules::controlName(i));
        else
            m_attachmentLabels[i - MemberCardRules::kEditCount] = label(MemberCardRules::controlName(i));
    }
    Q_ASSERT(fields[0].member == &TSchedaSocio::Dipendente);

    using S = TSchedaSocio;
    editOf(&S::Stipendio)->setAllowedCharacters(QStringLiteral("0123456789,"));
    editOf(&S::PartitaIva)->setAllowedCharacters(QStringLiteral("0123456789"));
    editOf(&S::Preavviso)->setAllowedCharacters(QStringLiteral("0123456789"));
    editOf(&S::CodFisc)->setTextRule(FieldEdit::TextRule::TrimUpper);
    editOf(&S::Prov)->setTextRule(FieldEdit::TextRule::TrimUpper);
    editOf(&S::Iban)->setTextRule(FieldEdit::TextRule::TrimUpper);
    editOf(&S::Email)->setTextRule(FieldEdit::TextRule::Trim);
    editOf(&S::DataSca)->setDateField(true);
}

void TfrmAnagrafica::connectControls()
{
    auto click = [this](const char *name, void (TfrmAnagrafica::*slot)()) {
        connect(button(QString::fromLatin1(name)), &QAbstractButton::clicked, this, slot);
    };
    click("cmdPrimo", &TfrmAnagrafica::cmdPrimoClick);
    click("cmdIndietro", &TfrmAnagrafica::cmdIndietroClick);
    click("cmdAvanti", &TfrmAnagrafica::cmdAvantiClick);
    click("cmdUltimo", &TfrmAnagrafica::cmdUltimoClick);
    click("btnNuovo", &TfrmAnagrafica::btnNuovoClick);
    click("btnDuplica", &TfrmAnagrafica::btnDuplicaClick);
    click("btnSalva", &TfrmAnagrafica::btnSalvaClick);
    click("btnTrova", &TfrmAnagrafica::btnTrovaClick);
    click("btnAllegati", &TfrmAnagrafica::btnAllegatiClick);
    click("btnAnteprima", &TfrmAnagrafica::btnAnteprimaClick);
    click("btnStampa", &TfrmAnagrafica::btnStampaClick);
    click("btnScadenze", &TfrmAnagrafica::btnScadenzeClick);
    click("btnScaduti", &TfrmAnagrafica::btnScadutiClick);
    click("btnEsporta", &TfrmAnagrafica::btnEsportaClick);
    click("btnGuida", &TfrmAnagrafica::btnGuidaClick);
    click("btnEsci", &TfrmAnagrafica::btnEsciClick);
    click("btnIscrizione", &TfrmAnagrafica::btnIscrizioneClick);
    click("btnLibro", &TfrmAnagrafica::btnLibroClick);
    click("btnCodFisc", &TfrmAnagrafica::btnCodFiscClick);
    click("btnPartitaIva", &TfrmAnagrafica::btnPartitaIvaClick);
    click("btnIban", &TfrmAnagrafica::btnIbanClick);
    click("btnEmail", &TfrmAnagrafica::btnEmailClick);
    click("delDataSca", &TfrmAnagrafica::delDataScaClick);
    click("btnCaricaFoto", &TfrmAnagrafica::btnCaricaFotoClick);
    click("btnAcquisisciFoto", &TfrmAnagrafica::btnAcquisisciFotoClick);
    click("btnSalvaFoto", &TfrmAnagrafica::btnSalvaFotoClick);
    click("btnZoomFoto", &TfrmAnagrafica::btnZoomFotoClick);
    click("btnCancFoto", &TfrmAnagrafica::btnCancFotoClick);

    // Enter moves along the fields; from the expiry date it opens the picker instead.
    const int n = int(std::size(kFields));
    for (int i = 0; i < n; ++i) {
        FieldEdit *from = edit(QString::fromLatin1(kFields[i].name));
        FieldEdit *to = edit(QString::fromLatin1(kFields[(i + 1) % n].name));
        connect(from, &FieldEdit::enterPressed, this, [to] { to->setFocus(Qt::TabFocusReason); });
    }
    FieldEdit *fee = editOf(&TSchedaSocio::Stipendio);
    connect(fee, &FieldEdit::left, this, [fee] { fee->setText(TextRules::normaliseFee(fee->text())); });
    connect(editOf(&TSchedaSocio::DataSca), &FieldEdit::pickerRequested, this, &TfrmAnagrafica::txtDataScaPicker);
}

void TfrmAnagrafica::setupHints()
{
    for (const auto &h : kHints) {
        QWidget *w = m_c.widget(QString::fromLatin1(h.name));
        Q_ASSERT(w);
        m_hints.insert(w, QString::fromUtf8(h.hint));
        w->installEventFilter(this);
    }
    m_background.insert(this);
    for (const char *name : kBackground) {
        QWidget *w = qstrcmp(name, "panContainer") == 0 ? panel() : m_c.widget(QString::fromLatin1(name));
        Q_ASSERT(w);
        m_background.insert(w);
        w->installEventFilter(this);
        // Moves over every control without a command of its own reach these.
        w->setMouseTracking(true);
    }
    setMouseTracking(true);
    installEventFilter(this);
}

bool TfrmAnagrafica::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::Enter && e->type() != QEvent::MouseMove)
        return PanelScreen::eventFilter(watched, e);
    if (m_hints.contains(watched) && e->type() == QEvent::Enter) {
        m_panInfo->setText(m_hints.value(watched));
    } else if (m_background.contains(watched) && e->type() == QEvent::MouseMove) {
        // Only a real move clears the line: the window appearing under a still
        // mouse must not wipe the first sentence. A move over an edit or a
        // caption travels up to the background too: what counts is the control
        // under the mouse.
        auto *w = static_cast<QWidget *>(watched);
        const QPointF pos = static_cast<QMouseEvent *>(e)->position();
        QWidget *under = w->childAt(pos.toPoint());
        if (!under)
            under = w;
        if (m_hints.contains(under))
            m_panInfo->setText(m_hints.value(under));
        else if (m_background.contains(under))
            m_panInfo->clear();
    }
    return PanelScreen::eventFilter(watched, e);
}

FieldEdit *TfrmAnagrafica::edit(const QString &name) const { return m_c.get<FieldEdit>(name); }
QLabel *TfrmAnagrafica::label(const QString &name) const { return m_c.get<QLabel>(name); }

FieldEdit *TfrmAnagrafica::editOf(QString TSchedaSocio::*field) const
{
    const auto &fields = TSchedaSocio::fields();
    for (int i = 0; i < MemberCardRules::kEditCount; ++i)
        if (fields[i].member == field)
            return m_edits[i];
    Q_ASSERT_X(false, "TfrmAnagrafica::editOf", "not a field shown in an edit");
    return nullptr;
}
PictureButton *TfrmAnagrafica::button(const QString &name) const { return m_c.get<PictureButton>(name); }

void TfrmAnagrafica::showEvent(QShowEvent *e)
{
    PanelScreen::showEvent(e);
    // Every visit from the start menu starts from an empty card; a window merely
    // restored by the desktop keeps what it shows.
    if (!e->spontaneous())
        emptyCard();
}

void TfrmAnagrafica::emptyCard()
{
    m_record = TSchedaSocio{};
    m_record.Stipendio = QStringLiteral("0,00");
    m_record.Preavviso = QStringLiteral("0");
    m_position.reset();
    m_pendingEntry.reset();
    m_photo = QImage();
    showValues(AllParts);
    m_edits.front()->setFocus(Qt::OtherFocusReason);
}

void TfrmAnagrafica::showMember(const StoredMember &member) { loadRecord(member.position, member.record); }

void TfrmAnagrafica::loadRecord(qint64 position1, const TSchedaSocio &record)
{
    m_record = record;
    m_shown = record;
    m_position = position1;
    m_pendingEntry.reset();
    // A photo that cannot be read leaves the placeholder, without a word.
    m_photo = PhotoFiles::read(ArchivePaths::photo(position1));
    showValues(AllParts);
}

void TfrmAnagrafica::showValues(unsigned parts, QString TSchedaSocio::*onlyField)
{
    const auto &fields = TSchedaSocio::fields();
    if (parts & FieldsPart) {
        for (int i = 0; i < MemberCardRules::kEditCount; ++i)
            if (!onlyField || fields[i].member == onlyField)
                m_edits[i]->setText(TextRules::trim(m_record.*(fields[i].member)));
    }
    if (parts & AttachmentsPart) {
        for (int i = 0; i < int(m_attachmentLabels.size()); ++i)
            m_attachmentLabels[i]->setText(
                TextRules::trim(m_record.*(fields[MemberCardRules::kEditCount + i].member)));
    }
    if (parts & PositionPart)
        m_lblPosizione->setText(m_position ? QString::number(*m_position) : QString());
    if (parts & PhotoPart)
        m_imgFoto->setImage(photo());
}

TSchedaSocio TfrmAnagrafica::recordFromCard() const
{
    // The edits are where the user changes the card; everything else is held here.
    TSchedaSocio record = m_record;
    const auto &fields = TSchedaSocio::fields();
    for (int i = 0; i < TSchedaSocio::FieldCount; ++i) {
        QString &field = record.*(fields[i].member);
        field = TextRules::trim(i < MemberCardRules::kEditCount ? m_edits[i]->text() : field);
    }
    return record;
}

QImage TfrmAnagrafica::photo() const { return m_photo.isNull() ? m_imgBianco->image() : m_photo; }

void TfrmAnagrafica::setPhoto(const QImage &image)
{
    m_photo = image;
    showValues(PhotoPart);
}

void TfrmAnagrafica::clearPhoto() { setPhoto(QImage()); }

// --- Browsing -------------------------------------------------------------------

void TfrmAnagrafica::browse(Arrow arrow)
{
    using K = MemberCardRules::BrowseStep::Kind;
    const MemberArchive archive;
    const auto count = archive.count();
    if (!count) {
        UiPlatform::error(this, MemberCardRules::accessError());
        return;
    }
    const auto step = MemberCardRules::browse(arrow, *count, m_position);
    switch (step.kind) {
    case K::Nothing:
        return;
    case K::EmptyArchive:
        if (step.clearPosition) {
            m_position.reset();
            showValues(PositionPart);
        }
        UiPlatform::information(this, MemberCardRules::emptyArchive());
        return;
    case K::Load: {
        const auto member = archive.read(step.position);
        if (!member) {
            UiPlatform::error(this, MemberCardRules::accessError());
            return;
        }
        showMember(*member);
        return;
    }
    }
}

void TfrmAnagrafica::cmdPrimoClick() { browse(Arrow::First); }
void TfrmAnagrafica::cmdIndietroClick() { browse(Arrow::Previous); }
void TfrmAnagrafica::cmdAvantiClick() { browse(Arrow::Next); }
void TfrmAnagrafica::cmdUltimoClick() { browse(Arrow::Last); }

// --- Commands --------------------------------------------------------------------

void TfrmAnagrafica::btnNuovoClick() { emptyCard(); }

void TfrmAnagrafica::btnDuplicaClick()
{
    if (!m_position) {
        UiPlatform::warning(this, MemberCardRules::duplicateNeedsStoredCard());
        return;
    }
    // The fields as shown stay; the copy has no attachments, photo or position yet.
    m_record = recordFromCard();
    Attachments{}.storeIn(m_record);
    m_position.reset();
    m_pendingEntry.reset();
    m_photo = QImage();
    showValues(AttachmentsPart | PositionPart | PhotoPart);
    m_edits.front()->setFocus(Qt::OtherFocusReason);
    UiPlatform::information(this, MemberCardRules::duplicated());
}

void TfrmAnagrafica::btnSalvaClick()
{
    const TSchedaSocio record = recordFromCard();
    if (const auto problem = MemberCardRules::checkForSave(record)) {
        if (problem->kind == MemberCardRules::SaveProblem::Kind::Plain)
            UiPlatform::plain(this, problem->message);
        else
            UiPlatform::warning(this, problem->message);
        editOf(problem->field)->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!taxCodeMayBeStored(record))
        return;

    // A card shown from the archive is stored over itself (unless the user keeps
    // another workstation's change to it), a new one after the last.
    const MemberArchive archive;
    const bool wasStored = m_position.has_value();
    ArchiveResult<qint64> stored = ArchiveResult<qint64>::failure({});
    if (wasStored) {
        const auto saved = CardOverwrite::save(this, ArchivePaths::members(), *m_position, m_shown, record);
        if (saved.result == CardOverwrite::Result::NotSaved) {
            if (saved.reload)
                loadRecord(*m_position, *saved.reload);
            return;
        }
        if (saved.result == CardOverwrite::Result::Saved)
            stored = ArchiveResult<qint64>::success(*m_position);
    } else {
        stored = archive.append(record);
    }
    if (!stored) {
        // The card keeps what it shows, position included, so the user can try again.
        UiPlatform::error(this, MemberCardRules::accessError());
        return;
    }
    m_record = record;
    m_shown = record;
    m_position = *stored;
    showValues(PositionPart);
    // A new card's entry in the register of members waited for its position.
    if (m_pendingEntry) {
        MemberRegister::Entry entry = *m_pendingEntry;
        m_pendingEntry.reset();
        entry.position = *stored;
        storeInRegister(entry);
    }

    // The record is stored whatever happens to its photo; a photo that cannot be
    // written stays on the card so the user can save again.
    if (!PhotoFiles::writeJpeg(photo(), ArchivePaths::photo(*stored))) {
        UiPlatform::warning(this, MemberCardRules::photoNotSaved());
        return;
    }
    UiPlatform::information(this, wasStored ? MemberCardRules::changesSaved() : MemberCardRules::inserted());
}

bool TfrmAnagrafica::taxCodeMayBeStored(const TSchedaSocio &record)
{
    // The card's own stored record does not count: saving it again is no double.
    const auto holder = MemberArchiveScan::findTaxCode(record.CodFisc, m_position);
    if (!holder) {
        UiPlatform::error(this, MemberCardRules::accessError());
        return false;
    }
    if (!holder->has_value())
        return true;
    const MemberArchiveScan::TaxCodeHolder &other = holder->value();
    return UiPlatform::ask(this, MemberCardRules::taxCodeAlreadyStored(record.CodFisc, other.position, other.name));
}

void TfrmAnagrafica::btnGuidaClick()
{
    TfrmGuida::open(this, HelpPage::Members);
}

void TfrmAnagrafica::btnEsciClick() { closeScreen(); }

void TfrmAnagrafica::btnTrovaClick()
{
    if (const auto member = TfrmTrovaAnagrafica::choose(this, TfrmTrovaAnagrafica::Mode::MemberCard))
        showMember(*member);
}

void TfrmAnagrafica::btnScadenzeClick()
{
    if (const auto member = SubscriptionListScreen::choose<TfrmSospesi>(this))
        showMember(*member);
}

void TfrmAnagrafica::btnScadutiClick()
{
    if (const auto member = SubscriptionListScreen::choose<TfrmScadute>(this))
        showMember(*member);
}

// A stored card's entry is stored at once; a new card's waits for its first save.
void TfrmAnagrafica::btnIscrizioneClick()
{
    const auto book = MemberRegister::read(MemberRegister::path());
    if (!book) {
        UiPlatform::error(this, QStringLiteral("Attenzione: il libro soci non si può leggere (%1).").arg(book.error()));
        return;
    }
    MemberRegister::Entry current;
    if (const MemberRegister::Entry *e = m_position ? book->at(*m_position) : nullptr)
        current = *e;
    else if (m_pendingEntry)
        current = *m_pendingEntry;
    else
        current.admitted = Platform::clock().today();
    current.position = m_position.value_or(0);
    const TSchedaSocio shown = recordFromCard();
    const auto wanted = TfrmIscrizione::edit(this, *book, current, {shown.Dipendente, shown.Qualifiche});
    if (!wanted)
        return;
    if (m_position)
        storeInRegister(*wanted);
    else
        m_pendingEntry = wanted;
}

void TfrmAnagrafica::storeInRegister(const MemberRegister::Entry &entry)
{
    const auto stored = MemberRegister::store(MemberRegister::path(), ArchivePaths::members(), entry);
    if (!stored) {
        UiPlatform::warning(this, stored.error());
        return;
    }
    m_panInfo->setText(QStringLiteral("Socio iscritto nel libro soci con il numero %1.").arg(stored->number));
}

void TfrmAnagrafica::btnLibroClick()
{
    if (const auto member = TfrmLibroSoci::choose(this))
        showMember(*member);
}

// Nothing is stored until the card is saved: the slots applied go into the card's record.
void TfrmAnagrafica::btnAllegatiClick()
{
    const auto applied =
        TfrmAllegaCartella::edit(this, TfrmAllegaCartella::Card::Member, Attachments::of(recordFromCard()));
    if (!applied)
        return;
    applied->storeIn(m_record);
    showValues(AttachmentsPart);
}

void TfrmAnagrafica::btnAnteprimaClick()
{
    MemberPrintScreen::run<TfrmAnteprimaAna>(this, recordFromCard(), photo());
}

void TfrmAnagrafica::btnStampaClick() { MemberPrintScreen::run<TfrmStampaAna>(this, recordFromCard(), photo()); }

void TfrmAnagrafica::btnEsportaClick() { openDialog<TfrmExpAnagrafica>(this); }

// --- Code checks, e-mail, expiry date --------------------------------------------

void TfrmAnagrafica::btnCodFiscClick()
{
    const QString code = TextRules::trim(editOf(&TSchedaSocio::CodFisc)->text());
    if (MemberCardRules::isVatNumber(code))
        openDialog<TfrmPartitaIva>(this, [&code](TfrmPartitaIva &d) { d.setInput(code); });
    else
        openDialog<TfrmCodFisc>(this, [&code](TfrmCodFisc &d) { d.setInput(code); });
}

void TfrmAnagrafica::btnPartitaIvaClick()
{
    const QString code = TextRules::trim(editOf(&TSchedaSocio::PartitaIva)->text());
    openDialog<TfrmPartitaIva>(this, [&code](TfrmPartitaIva &d) { d.setInput(code); });
}

void TfrmAnagrafica::btnIbanClick()
{
    const QString code = TextRules::trim(editOf(&TSchedaSocio::Iban)->text());
    openDialog<TfrmIban>(this, [&code](TfrmIban &d) { d.setInput(code); });
}

void TfrmAnagrafica::btnEmailClick()
{
    // The address is the path of the URL, never parsed as a URL itself: a "?" or
    // "&" in it cannot add headers to the message.
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(TextRules::trim(editOf(&TSchedaSocio::Email)->text()), QUrl::DecodedMode);
    Platform::shell().open(url);
}

void TfrmAnagrafica::txtDataScaPicker()
{
    if (const auto day = TfrmCalendario::pick(this, TfrmCalendario::Field::MemberExpiry))
        setExpiry(TextRules::formatDate(*day));
}

void TfrmAnagrafica::delDataScaClick() { setExpiry(QString()); }

void TfrmAnagrafica::setExpiry(const QString &date)
{
    // Only the date changes: what is typed in the other fields stays as typed.
    m_record.DataSca = date;
    showValues(FieldsPart, &TSchedaSocio::DataSca);
}

// --- Photo ------------------------------------------------------------------------

void TfrmAnagrafica::btnCaricaFotoClick()
{
    if (const auto image = PhotoFiles::chooseAndRead(this))
        setPhoto(*image);
}

void TfrmAnagrafica::btnAcquisisciFotoClick()
{
    if (const auto image = TfrmWebCam::capture(this))
        setPhoto(*image);
}

void TfrmAnagrafica::btnSalvaFotoClick() { PhotoFiles::chooseAndWrite(this, photo()); }

void TfrmAnagrafica::btnZoomFotoClick()
{
    openDialog<TfrmZoom>(this, [this](TfrmZoom &z) { z.setPhoto(photo()); });
}

void TfrmAnagrafica::btnCancFotoClick() { clearPhoto(); }
