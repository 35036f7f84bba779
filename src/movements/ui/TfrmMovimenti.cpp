#include "TfrmMovimenti.h"

#include "TfrmExpMovimenti.h"
#include "TfrmSospesiMov.h"
#include "TfrmStampaMovimento.h"
#include "TfrmTrovaMovimenti.h"
#include "checks/ui/TfrmCodFisc.h"
#include "checks/ui/TfrmPartitaIva.h"
#include "common/Platform.h"
#include "common/RecordFile.h"
#include "common/TextRules.h"
#include "common/ui/CardOverwrite.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmCalendario.h"
#include "common/ui/TfrmGuida.h"
#include "members/MemberToMovement.h"
#include "movements/MovementYear.h"
#include "members/ui/TfrmTrovaAnagrafica.h"
#include "output/ui/TfrmAllegaCartella.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QUrl>

using Form::Kind;
using MovementCardRules::Arrow;
using M = TSchedaMovimento;

namespace {

// One edit of the card with its caption at its left.
struct FieldPlace
{
    const char *name;
    QString M::*field;
    const char *caption;
    int captionX, captionW; // captionW 0: no caption of its own
    int x, y, w, maxLength;
};

constexpr int kLabelX = 80;
constexpr int kLabelW = 150;
constexpr int kEditHeight = 24;

// In tab order. The payment method accepts fewer characters than its field
// holds: the limit stops typing only, a stored longer text is shown whole.
const FieldPlace kFields[] = {
    {"txtData", &M::Data, "Data operazione:", 560, 140, 700, 92, 130, 10},
    {"txtCausale", &M::Causale, "Causale:", kLabelX, kLabelW, 235, 126, 728, 250},
    {"txtPromemoria", &M::Promemoria, "Promemoria:", kLabelX, kLabelW, 235, 160, 728, 250},
    {"txtDataSca", &M::DataSca, "Data scadenza:", kLabelX, kLabelW, 235, 194, 130, 10},
    {"txtPreavviso", &M::Preavviso, "Avvisa n.", 430, 78, 510, 194, 50, 3},
    {"txtImporto", &M::Importo, nullptr, 0, 0, 575, 243, 260, 15},
    {"txtPagatore", &M::Pagatore, "Pagatore:", kLabelX, kLabelW, 235, 310, 380, 50},
    {"txtRecapitoPag", &M::RecapitoPag, "Recapito:", 660, 88, 750, 310, 213, 50},
    {"txtCodFisc", &M::CodFisc, "Codice fiscale:", kLabelX, kLabelW, 235, 346, 210, 16},
    {"txtPartitaIva", &M::PartitaIva, "Partita IVA:", 490, 100, 590, 346, 150, 11},
    {"txtCategoria", &M::Categoria, "Tessera n.", kLabelX, kLabelW, 235, 382, 210, 50},
    {"txtEmail", &M::Email, "E-mail:", 490, 100, 590, 382, 343, 50},
    {"txtPagamento", &M::Pagamento, "Modalità pagamento:", kLabelX, kLabelW, 235, 432, 728, 150},
    {"txtBeneficiario", &M::Beneficiario, "Beneficiario:", kLabelX, kLabelW, 235, 468, 380, 50},
    {"txtRecapitoBen", &M::RecapitoBen, "Recapito:", 660, 88, 750, 468, 213, 50},
    {"txtRicevuta", &M::Ricevuta, "CRO / Ricevuta n.", kLabelX, kLabelW, 235, 504, 696, 250},
    {"txtNote", &M::Note, "Note:", kLabelX, kLabelW, 235, 558, 728, 250},
    {"txtTariffa", &M::Tariffa, "Tariffa applicata:", kLabelX, kLabelW, 235, 596, 520, 250},
};

// The hidden slots: the signed amount last shown and the attachments.
const struct
{
    const char *name;
    QString M::*field;
} kSlots[] = {
    {"txtTotale", &M::Totale}, {"lblFile01", &M::File01}, {"lblFile02", &M::File02}, {"lblFile03", &M::File03},
    {"lblDesc01", &M::Desc01}, {"lblDesc02", &M::Desc02}, {"lblDesc03", &M::Desc03},
};

// Where Enter leads; the two dates open the picker instead.
const struct
{
    const char *from, *to;
} kEnter[] = {
    {"txtCausale", "txtPromemoria"},    {"txtPromemoria", "txtDataSca"},  {"txtPreavviso", "txtImporto"},
    {"txtImporto", "txtPagatore"},      {"txtPagatore", "txtRecapitoPag"}, {"txtRecapitoPag", "txtCodFisc"},
    {"txtCodFisc", "txtPartitaIva"},    {"txtPartitaIva", "txtCategoria"}, {"txtCategoria", "txtEmail"},
    {"txtEmail", "txtPagamento"},       {"txtPagamento", "txtBeneficiario"}, {"txtBeneficiario", "txtRecapitoBen"},
    {"txtRecapitoBen", "txtRicevuta"},  {"txtRicevuta", "txtNote"},       {"txtNote", "txtTariffa"},
    {"txtTariffa", "txtData"},
};

// The five rows of the card below the toolbar, each with its picture at the left.
const struct
{
    const char *shape, *picture, *art;
    int top, height;
} kRows[] = {
    {"shpRiga01", "imgRiga01", "row_movimento", 80, 147},
    {"shpRiga02", "imgRiga02", "row_importo", 235, 57},
    {"shpRiga03", "imgRiga03", "row_pagatore", 300, 114},
    {"shpRiga04", "imgRiga04", "row_pagamento", 422, 114},
    {"shpRiga05", "imgRiga05", "row_note", 544, 90},
};

const struct
{
    const char *name;
    const char *hint;
} kHints[] = {
    {"cmdNuovo", "Predispone la schermata per l'inserimento di una nuova scheda."},
    {"cmdDuplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
    {"cmdSalva", "Salva la scheda corrente in archivio."},
    {"cmdTrova", "Trova una scheda in archivio."},
    {"cmdFile", "Allega file alla scheda corrente."},
    {"cmdStampa", "Stampa la scheda corrente."},
    {"cmdPrimo", "Visualizza la prima scheda in archivio."},
    {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
    {"cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel."},
    {"cmdScadenze", "Visualizza il riepilogo dei pagamenti in scadenza o scaduti e non saldati."},
    {"cmdRicevuta", "Stampa la ricevuta della quota o dell'erogazione liberale registrata nella scheda corrente."},
    {"cmdElencoRicevute", "Visualizza l'elenco delle ricevute emesse nell'anno."},
    {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
    {"cmdEsci", "Esci da questa schermata di lavoro."},
    {"optEntrata", "Spunta questa casella per registrare un importo in entrata."},
    {"optUscita", "Spunta questa casella per registrare un importo in uscita."},
    {"txtData", "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario."},
    {"txtDataSca", "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario."},
    {"impData", "Cancella la data."},
    {"impDataSca", "Cancella la data."},
    {"impPagatore", "Importa i dati dall'archivio anagrafico dei Soci."},
    {"impBeneficiario", "Importa i dati dall'archivio anagrafico dei Soci."},
    {"chkCodFisc", "Controlla il codice fiscale."},
    {"chkIva", "Controlla il numero di partita IVA."},
    {"sndEmail", "Invia una e-mail all'indirizzo indicato."},
    {"chkSaldato", "Spunta questa casella per indicare che il pagamento è stato saldato."},
};

const char *const kBackground[] = {"shpToolbar", "shpRiga01", "shpRiga02", "shpRiga03", "shpRiga04",
                                   "shpRiga05",  "imgRiga01", "imgRiga02", "imgRiga03", "imgRiga04",
                                   "imgRiga05",  "panTipo",   "shpInfo"};

QString boxStyle(const char *name, const QString &background, const QString &border, int radius)
{
    return QStringLiteral("QWidget#%1 { background: %2; border: 1px solid %3; border-radius: %4px; }")
        .arg(QString::fromLatin1(name), background, border)
        .arg(radius);
}

QFont verdana(int points, bool bold)
{
    QFont f(QStringLiteral("Verdana"), points);
    f.setBold(bold);
    return f;
}

} // namespace

TfrmMovimenti::TfrmMovimenti(QWidget *parent)
    : PanelScreen(MovementCardRules::kChooserCaption, QSize(995, 692), parent)
{
    buildControls();
    connectControls();
    setupHints();
    newCard();
}

void TfrmMovimenti::buildControls()
{
    QWidget *p = panel();
    // Shapes first, so everything else lies on top of them.
    Form::build(p, {{"shpContainer", Kind::Shape, {}, 0, 0, 995, 692}, {"shpToolbar", Kind::Shape, {}, 16, 16, 962, 56}},
                m_c);
    for (const auto &row : kRows)
        Form::build(p, {{row.shape, Kind::Shape, {}, 16, row.top, 962, row.height}}, m_c);
    Form::build(p, {{"shpInfo", Kind::Shape, {}, 16, 642, 962, 32}}, m_c);

    auto style = [this](const char *name, const QString &css) { m_c.widget(QString::fromLatin1(name))->setStyleSheet(css); };
    style("shpContainer", boxStyle("shpContainer",
                                   QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #EEF4FC, stop:1 #C8DCF2)"),
                                   Palette::sky.name(), 10));
    style("shpToolbar", boxStyle("shpToolbar", QStringLiteral("white"), Palette::sky.name(), 6));
    for (const auto &row : kRows)
        style(row.shape, boxStyle(row.shape, QStringLiteral("rgba(255, 255, 255, 170)"), Palette::sky.name(), 8));
    style("shpInfo", boxStyle("shpInfo", Palette::navy.name(), Palette::navy.name(), 4));

    // The toolbar, left to right.
    Form::build(p, {
        {"cmdNuovo", Kind::PictureButton, {}, 26, 22, 44, 44, "tb_nuovo"},
        {"cmdDuplica", Kind::PictureButton, {}, 74, 22, 44, 44, "tb_duplica"},
        {"cmdSalva", Kind::PictureButton, {}, 122, 22, 44, 44, "tb_salva"},
        {"cmdTrova", Kind::PictureButton, {}, 170, 22, 44, 44, "tb_trova"},
        {"cmdFile", Kind::PictureButton, {}, 226, 22, 100, 44, "tb_allegati"},
        {"cmdStampa", Kind::PictureButton, {}, 332, 22, 100, 44, "tb_stampa"},
        {"cmdPrimo", Kind::PictureButton, {}, 452, 24, 37, 39, "arrow_first"},
        {"cmdIndietro", Kind::PictureButton, {}, 493, 24, 37, 39, "arrow_prev"},
        {"lblPosizione", Kind::Bold, {}, 532, 24, 78, 39},
        {"cmdAvanti", Kind::PictureButton, {}, 612, 24, 37, 39, "arrow_next"},
        {"cmdUltimo", Kind::PictureButton, {}, 653, 24, 37, 39, "arrow_last"},
        {"cmdEsporta", Kind::PictureButton, {}, 716, 22, 44, 44, "tb_esporta"},
        {"cmdScadenze", Kind::PictureButton, {}, 764, 22, 44, 44, "tb_scadenze"},
        {"cmdRicevuta", Kind::PictureButton, {}, 816, 22, 44, 44, "tb_ricevuta"},
        {"cmdGuida", Kind::PictureButton, {}, 872, 22, 44, 44, "tb_guida"},
        {"cmdEsci", Kind::PictureButton, {}, 922, 22, 44, 44, "tb_esci"},
    }, m_c);
    for (const auto &row : kRows)
        Form::build(p, {{row.picture, Kind::Picture, {}, 26, row.top + 8, 40, 40, row.art}}, m_c);

    // The movement type: two exclusive choices on a panel of their own.
    Form::build(p, {{"titTipo", Kind::Label, QStringLiteral("Tipo movimento:"), kLabelX, 94, kLabelW, 20}}, m_c);
    auto *panTipo = new QWidget(p);
    panTipo->setObjectName(QStringLiteral("panTipo"));
    panTipo->setGeometry(232, 86, 250, 36);
    m_c.add(panTipo->objectName(), panTipo);
    Form::build(panTipo, {
        {"optEntrata", Kind::Radio, QStringLiteral("Entrata"), 8, 6, 110, 24},
        {"optUscita", Kind::Radio, QStringLiteral("Uscita"), 126, 6, 110, 24},
    }, m_c);

    // Captions and edits, in tab order.
    for (const FieldPlace &f : kFields) {
        if (f.caption) {
            const QByteArray caption = QByteArray("tit") + QByteArray(f.name + 3);
            Form::build(p, {{caption.constData(), Kind::Label, QString::fromUtf8(f.caption), f.captionX, f.y + 2,
                             f.captionW, 20}},
                        m_c);
        }
        Form::build(p, {{f.name, Kind::Edit, {}, f.x, f.y, f.w, kEditHeight, nullptr, f.maxLength}}, m_c);
        FieldEdit *e = edit(QString::fromLatin1(f.name));
        e->setFont(verdana(12, true));
    }
    Form::build(p, {
        {"lblGiorni", Kind::Label, QStringLiteral("giorni prima della scadenza."), 570, 196, 300, 20},
        {"lblImporto", Kind::Label, MovementCardRules::amountCaption(true), 80, 245, 480, 34},
        {"chkSaldato", Kind::Check, QStringLiteral("Saldato"), 800, 596, 150, 24},
        {"impData", Kind::PictureButton, {}, 838, 93, 22, 22, "eraser"},
        {"impDataSca", Kind::PictureButton, {}, 373, 195, 22, 22, "eraser"},
        {"impPagatore", Kind::PictureButton, {}, 621, 311, 22, 22, "import_socio"},
        {"chkCodFisc", Kind::PictureButton, {}, 451, 347, 22, 22, "check"},
        {"chkIva", Kind::PictureButton, {}, 746, 347, 22, 22, "check"},
        {"sndEmail", Kind::PictureButton, {}, 939, 383, 22, 22, "mail"},
        {"impBeneficiario", Kind::PictureButton, {}, 621, 469, 22, 22, "import_socio"},
        {"cmdElencoRicevute", Kind::PictureButton, {}, 939, 505, 22, 22, "elenco_ricevute"},
        {"panInfo", Kind::Label, QStringLiteral("Pronto per archiviare una nuova scheda..."), 28, 642, 940, 32},
        {"lblFile", Kind::Hidden, {}, 0, 0, 10, 10},
    }, m_c);
    for (const auto &slot : kSlots)
        Form::build(p, {{slot.name, Kind::Hidden, {}, 0, 0, 10, 10}}, m_c);
    auto *cents = new QPushButton(p);
    cents->setObjectName(QStringLiteral("btnCents"));
    cents->setVisible(false);
    m_c.add(cents->objectName(), cents);

    // Captions in the card's blue; the edits' own fonts and alignments.
    for (QLabel *l : p->findChildren<QLabel *>()) {
        if (l->objectName().startsWith(QLatin1String("tit")) || l->objectName() == QLatin1String("lblGiorni")) {
            l->setFont(verdana(9, true));
            l->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
        }
    }
    FieldEdit *importo = edit(QStringLiteral("txtImporto"));
    importo->setFont(verdana(18, true));
    importo->setFixedHeight(38);
    importo->focusFrame()->setGeometry(importo->x() - 4, importo->y() - 4, importo->width() + 8, 38 + 8);
    importo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (const char *centred : {"txtData", "txtDataSca", "txtPreavviso"})
        edit(QString::fromLatin1(centred))->setAlignment(Qt::AlignCenter);

    m_lblImporto = label(QStringLiteral("lblImporto"));
    m_lblImporto->setFont(verdana(14, true));
    m_lblImporto->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblPosizione = label(QStringLiteral("lblPosizione"));
    m_lblPosizione->setAlignment(Qt::AlignCenter);
    QFont pf = m_lblPosizione->font();
    pf.setPointSize(12);
    m_lblPosizione->setFont(pf);
    m_lblPosizione->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    m_panInfo = label(QStringLiteral("panInfo"));
    m_panInfo->setFont(QFont(QStringLiteral("Tahoma"), 12));
    m_panInfo->setStyleSheet(QStringLiteral("color: white;"));
    // The status text lies on its shape, which is what the mouse is over.
    m_panInfo->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_optEntrata = m_c.get<QRadioButton>(QStringLiteral("optEntrata"));
    m_optUscita = m_c.get<QRadioButton>(QStringLiteral("optUscita"));
    m_chkSaldato = m_c.get<QCheckBox>(QStringLiteral("chkSaldato"));
    for (QWidget *w : std::initializer_list<QWidget *>{m_optEntrata, m_optUscita, m_chkSaldato}) {
        w->setFont(verdana(10, true));
        w->setCursor(Qt::PointingHandCursor);
        w->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    }
    m_optEntrata->setChecked(true);

    edit(QStringLiteral("txtPreavviso"))->setAllowedCharacters(QStringLiteral("0123456789"));
    edit(QStringLiteral("txtPartitaIva"))->setAllowedCharacters(QStringLiteral("0123456789"));
    edit(QStringLiteral("txtImporto"))->setAllowedCharacters(QStringLiteral("0123456789,"));
    edit(QStringLiteral("txtCodFisc"))->setTextRule(FieldEdit::TextRule::TrimUpper);
    edit(QStringLiteral("txtEmail"))->setTextRule(FieldEdit::TextRule::Trim);
    edit(QStringLiteral("txtData"))->setDateField(true);
    edit(QStringLiteral("txtDataSca"))->setDateField(true);

    // Tab order: the two choices, the edits, the settled box.
    QWidget *previous = m_optUscita;
    QWidget::setTabOrder(m_optEntrata, m_optUscita);
    for (const FieldPlace &f : kFields) {
        QWidget *e = edit(QString::fromLatin1(f.name));
        QWidget::setTabOrder(previous, e);
        previous = e;
    }
    QWidget::setTabOrder(previous, m_chkSaldato);
}

void TfrmMovimenti::connectControls()
{
    auto click = [this](const char *name, void (TfrmMovimenti::*slot)()) {
        connect(button(QString::fromLatin1(name)), &QAbstractButton::clicked, this, slot);
    };
    click("cmdNuovo", &TfrmMovimenti::cmdNuovoClick);
    click("cmdDuplica", &TfrmMovimenti::cmdDuplicaClick);
    click("cmdSalva", &TfrmMovimenti::cmdSalvaClick);
    click("cmdTrova", &TfrmMovimenti::cmdTrovaClick);
    click("cmdFile", &TfrmMovimenti::cmdFileClick);
    click("cmdStampa", &TfrmMovimenti::cmdStampaClick);
    click("cmdPrimo", &TfrmMovimenti::cmdPrimoClick);
    click("cmdIndietro", &TfrmMovimenti::cmdIndietroClick);
    click("cmdAvanti", &TfrmMovimenti::cmdAvantiClick);
    click("cmdUltimo", &TfrmMovimenti::cmdUltimoClick);
    click("cmdEsporta", &TfrmMovimenti::cmdEsportaClick);
    click("cmdScadenze", &TfrmMovimenti::cmdScadenzeClick);
    click("cmdRicevuta", &TfrmMovimenti::cmdRicevutaClick);
    click("cmdElencoRicevute", &TfrmMovimenti::cmdElencoRicevuteClick);
    click("cmdGuida", &TfrmMovimenti::cmdGuidaClick);
    click("cmdEsci", &TfrmMovimenti::cmdEsciClick);
    click("impPagatore", &TfrmMovimenti::impPagatoreClick);
    click("impBeneficiario", &TfrmMovimenti::impBeneficiarioClick);
    click("chkCodFisc", &TfrmMovimenti::chkCodFiscClick);
    click("chkIva", &TfrmMovimenti::chkIvaClick);
    click("sndEmail", &TfrmMovimenti::sndEmailClick);
    connect(button(QStringLiteral("impData")), &QAbstractButton::clicked, this,
            [this] { edit(QStringLiteral("txtData"))->clear(); });
    connect(button(QStringLiteral("impDataSca")), &QAbstractButton::clicked, this,
            [this] { edit(QStringLiteral("txtDataSca"))->clear(); });
    connect(m_c.get<QPushButton>(QStringLiteral("btnCents")), &QPushButton::clicked, this,
            &TfrmMovimenti::btnCentsClick);

    for (const auto &e : kEnter) {
        FieldEdit *to = edit(QString::fromLatin1(e.to));
        connect(edit(QString::fromLatin1(e.from)), &FieldEdit::enterPressed, this,
                [to] { to->setFocus(Qt::TabFocusReason); });
    }
    connect(edit(QStringLiteral("txtData")), &FieldEdit::pickerRequested, this, &TfrmMovimenti::txtDataPicker);
    connect(edit(QStringLiteral("txtDataSca")), &FieldEdit::pickerRequested, this, &TfrmMovimenti::txtDataScaPicker);
    // Leaving the amount writes it with two decimals; the frame is already hidden.
    connect(edit(QStringLiteral("txtImporto")), &FieldEdit::left, this, &TfrmMovimenti::btnCentsClick);

    connect(m_optEntrata, &QRadioButton::clicked, this, [this] { showMovementType(true); });
    connect(m_optUscita, &QRadioButton::clicked, this, [this] { showMovementType(false); });
}

void TfrmMovimenti::setupHints()
{
    for (const auto &h : kHints) {
        QWidget *w = m_c.widget(QString::fromLatin1(h.name));
        Q_ASSERT(w);
        m_hints.insert(w, QString::fromUtf8(h.hint));
        w->installEventFilter(this);
    }
    m_background.insert(this);
    m_background.insert(panel());
    panel()->installEventFilter(this);
    panel()->setMouseTracking(true);
    for (const char *name : kBackground) {
        QWidget *w = m_c.widget(QString::fromLatin1(name));
        Q_ASSERT(w);
        m_background.insert(w);
        w->installEventFilter(this);
        // Moves over every control without a command of its own reach these.
        w->setMouseTracking(true);
    }
    m_background.insert(m_c.widget(QStringLiteral("shpContainer")));
    m_c.widget(QStringLiteral("shpContainer"))->installEventFilter(this);
    m_c.widget(QStringLiteral("shpContainer"))->setMouseTracking(true);
    setMouseTracking(true);
    installEventFilter(this);
}

bool TfrmMovimenti::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::Enter && e->type() != QEvent::MouseMove)
        return PanelScreen::eventFilter(watched, e);
    if (m_hints.contains(watched) && e->type() == QEvent::Enter) {
        m_panInfo->setText(m_hints.value(watched));
    } else if (m_background.contains(watched) && e->type() == QEvent::MouseMove) {
        // Only a real move clears the line: the window appearing under a still
        // mouse keeps the first sentence. What counts is the control under the mouse.
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

FieldEdit *TfrmMovimenti::edit(const QString &name) const { return m_c.get<FieldEdit>(name); }
QLabel *TfrmMovimenti::label(const QString &name) const { return m_c.get<QLabel>(name); }
PictureButton *TfrmMovimenti::button(const QString &name) const { return m_c.get<PictureButton>(name); }

void TfrmMovimenti::showEvent(QShowEvent *e)
{
    PanelScreen::showEvent(e);
    // Every visit from the year chooser starts from a new card; a window merely
    // restored by the desktop keeps what it shows.
    if (!e->spontaneous())
        newCard();
}

void TfrmMovimenti::openYear(const QString &year, const QString &filePath)
{
    label(QStringLiteral("lblFile"))->setText(filePath);
    setWindowTitle(MovementCardRules::cardCaption(year));
}

QString TfrmMovimenti::yearFile() const { return label(QStringLiteral("lblFile"))->text(); }

MovementCardValues TfrmMovimenti::values() const
{
    MovementCardValues card;
    for (const FieldPlace &f : kFields)
        card.texts.*(f.field) = edit(QString::fromLatin1(f.name))->text();
    for (const auto &slot : kSlots)
        card.texts.*(slot.field) = label(QString::fromLatin1(slot.name))->text();
    card.entrata = m_optEntrata->isChecked();
    card.uscita = m_optUscita->isChecked();
    card.saldato = m_chkSaldato->isChecked();
    return card;
}

void TfrmMovimenti::setValues(const MovementCardValues &card)
{
    for (const FieldPlace &f : kFields)
        edit(QString::fromLatin1(f.name))->setText(card.texts.*(f.field));
    for (const auto &slot : kSlots)
        label(QString::fromLatin1(slot.name))->setText(card.texts.*(slot.field));
    // A stored record may hold both choices or neither: set them one by one.
    m_optEntrata->setAutoExclusive(false);
    m_optUscita->setAutoExclusive(false);
    m_optEntrata->setChecked(card.entrata);
    m_optUscita->setChecked(card.uscita);
    m_optEntrata->setAutoExclusive(true);
    m_optUscita->setAutoExclusive(true);
    m_chkSaldato->setChecked(card.saldato);
    showMovementType(card.entrata);
    // The cursor at the start, so a long text shows its beginning.
    for (const FieldPlace &f : kFields)
        edit(QString::fromLatin1(f.name))->setCursorPosition(0);
}

void TfrmMovimenti::showMovementType(bool entrata)
{
    m_lblImporto->setText(MovementCardRules::amountCaption(entrata));
    QPalette pal = m_lblImporto->palette();
    pal.setColor(QPalette::WindowText, MovementCardRules::amountColour(entrata));
    m_lblImporto->setPalette(pal);
}

void TfrmMovimenti::setPosition(std::optional<qint64> position1)
{
    m_position = position1;
    m_lblPosizione->setText(position1 ? QString::number(*position1) : QString());
}

void TfrmMovimenti::showRecord(qint64 position1, const TSchedaMovimento &record)
{
    m_shown = record;
    setValues(MovementCardRules::show(record, values()));
    setPosition(position1);
}

void TfrmMovimenti::newCard()
{
    setValues(MovementCardRules::newCard(Platform::clock().today()));
    setPosition(std::nullopt);
    edit(QStringLiteral("txtCausale"))->setFocus(Qt::OtherFocusReason);
}

void TfrmMovimenti::setOperationDate(const QString &date) { edit(QStringLiteral("txtData"))->setText(date); }
void TfrmMovimenti::setDueDate(const QString &date) { edit(QStringLiteral("txtDataSca"))->setText(date); }
void TfrmMovimenti::takePayer(const TSchedaSocio &member)
{
    MovementCardValues card = values();
    MemberToMovement::asPayer(member, card.texts);
    setValues(card);
}

void TfrmMovimenti::takeBeneficiary(const TSchedaSocio &member)
{
    MovementCardValues card = values();
    MemberToMovement::asBeneficiary(member, card.texts);
    setValues(card);
}

void TfrmMovimenti::setAttachments(const Attachments &attachments)
{
    MovementCardValues card = values();
    Attachments trimmed = attachments;
    for (Attachment &a : trimmed.items) {
        a.file = TextRules::trim(a.file);
        a.description = TextRules::trim(a.description);
    }
    trimmed.storeIn(card.texts);
    setValues(card);
}

// --- Browsing, save, duplicate ------------------------------------------------------

void TfrmMovimenti::browse(Arrow arrow)
{
    using K = MovementCardRules::BrowseStep::Kind;
    RecordFile<TSchedaMovimento> file;
    if (!file.open(yearFile(), RecordFileBase::Access::Read)) {
        UiPlatform::error(this, MovementCardRules::accessError());
        return;
    }
    const qint64 count = file.count();
    if (count < 0) {
        file.close();
        UiPlatform::error(this, MovementCardRules::accessError());
        return;
    }
    const auto step = MovementCardRules::browse(arrow, count, m_position);
    switch (step.kind) {
    case K::Nothing:
        file.close();
        return;
    case K::EmptyArchive:
        if (step.clearPosition)
            setPosition(std::nullopt);
        file.close();
        UiPlatform::information(this, MovementCardRules::emptyArchive());
        return;
    case K::Load: {
        TSchedaMovimento record;
        const bool read = file.read(step.position, record);
        file.close();
        if (!read) {
            UiPlatform::error(this, MovementCardRules::accessError());
            return;
        }
        showRecord(step.position, record);
        return;
    }
    }
}

void TfrmMovimenti::cmdPrimoClick() { browse(Arrow::First); }
void TfrmMovimenti::cmdIndietroClick() { browse(Arrow::Previous); }
void TfrmMovimenti::cmdAvantiClick() { browse(Arrow::Next); }
void TfrmMovimenti::cmdUltimoClick() { browse(Arrow::Last); }
void TfrmMovimenti::cmdNuovoClick() { newCard(); }
void TfrmMovimenti::cmdEsciClick() { closeScreen(); }

void TfrmMovimenti::btnCentsClick()
{
    FieldEdit *amount = edit(QStringLiteral("txtImporto"));
    amount->setText(TextRules::normaliseAmount(amount->text()));
}

void TfrmMovimenti::cmdSalvaClick()
{
    btnCentsClick();
    const MovementCardValues card = values();
    if (const auto problem = MovementCardRules::checkForSave(card)) {
        if (problem->kind == MovementCardRules::SaveProblem::Kind::Plain)
            UiPlatform::plain(this, problem->message);
        else
            UiPlatform::warning(this, problem->message);
        edit(problem->field)->setFocus(Qt::OtherFocusReason);
        return;
    }

    const TSchedaMovimento record = MovementCardRules::compose(card);
    const std::optional<qint64> stored = m_position;
    qint64 pos = 0;
    bool written = false;
    if (stored) {
        // Stored over itself, unless the user keeps another workstation's change to it.
        pos = *stored;
        const auto saved = CardOverwrite::save(this, yearFile(), pos, m_shown, record);
        if (saved.result == CardOverwrite::Result::NotSaved) {
            if (saved.reload)
                showRecord(pos, *saved.reload);
            return;
        }
        written = saved.result == CardOverwrite::Result::Saved;
    } else {
        RecordFile<TSchedaMovimento> file;
        written = file.open(yearFile(), RecordFileBase::Access::Write) && file.append(record, &pos);
    }
    if (!written) {
        UiPlatform::error(this, MovementCardRules::accessError());
        return;
    }
    m_shown = record;
    setPosition(pos);
    UiPlatform::information(this, stored ? MovementCardRules::changesSaved() : MovementCardRules::inserted());
}

void TfrmMovimenti::cmdDuplicaClick()
{
    if (!m_position) {
        UiPlatform::warning(this, MovementCardRules::duplicateNeedsStoredCard());
        return;
    }
    setValues(MovementCardRules::duplicate(values(), Platform::clock().today()));
    setPosition(std::nullopt);
    // The year's file is made sure of now, so the save that follows can append.
    RecordFile<TSchedaMovimento> file;
    if (!file.open(yearFile(), RecordFileBase::Access::Read)) {
        UiPlatform::warning(this, MovementCardRules::accessError());
        return;
    }
    edit(QStringLiteral("txtCausale"))->setFocus(Qt::OtherFocusReason);
    file.close();
    UiPlatform::information(this, MovementCardRules::duplicated());
}

// --- The screens the card opens ---------------------------------------------------------

void TfrmMovimenti::cmdTrovaClick()
{
    if (const auto movement = TfrmTrovaMovimenti::choose(this, yearFile()))
        showRecord(movement->position, movement->record);
}

void TfrmMovimenti::cmdScadenzeClick()
{
    if (const auto movement = TfrmSospesiMov::choose(this, yearFile()))
        showRecord(movement->position, movement->record);
}

void TfrmMovimenti::cmdEsportaClick()
{
    const QString file = yearFile();
    openDialog<TfrmExpMovimenti>(this, [&file](TfrmExpMovimenti &d) { d.setYearFile(file); });
}

void TfrmMovimenti::cmdStampaClick()
{
    // The printout shows the card as it is now, saved or not.
    const MovementCardValues card = values();
    openDialog<TfrmStampaMovimento>(this, [&card](TfrmStampaMovimento &d) { d.setCard(card); });
}

void TfrmMovimenti::cmdRicevutaClick()
{
    // The amount as a save would store it, so a card just typed compares equal.
    btnCentsClick();
    if (!m_receipts.receipt)
        return;
    const std::optional<qint64> position = m_position;
    const auto numbered = m_receipts.receipt(this, {yearFile(), position, values()});
    if (numbered && position)
        showRecord(*position, *numbered);
}

void TfrmMovimenti::cmdElencoRicevuteClick()
{
    if (!m_receipts.list)
        return;
    if (const auto movement = m_receipts.list(this, yearFile()))
        showRecord(movement->position, movement->record);
}

void TfrmMovimenti::cmdFileClick()
{
    // Nothing is stored until the card is saved.
    const auto applied = TfrmAllegaCartella::edit(this, TfrmAllegaCartella::Card::Movement,
                                                  Attachments::of(values().texts));
    if (applied)
        setAttachments(*applied);
}

void TfrmMovimenti::cmdGuidaClick()
{
    TfrmGuida::open(this, HelpPage::MovementCard);
}

void TfrmMovimenti::impPagatoreClick()
{
    if (const auto member = TfrmTrovaAnagrafica::choose(this, TfrmTrovaAnagrafica::Mode::MovementPayer))
        takePayer(member->record);
}

void TfrmMovimenti::impBeneficiarioClick()
{
    if (const auto member = TfrmTrovaAnagrafica::choose(this, TfrmTrovaAnagrafica::Mode::MovementBeneficiary))
        takeBeneficiary(member->record);
}

void TfrmMovimenti::chkCodFiscClick()
{
    const QString code = TextRules::trim(edit(QStringLiteral("txtCodFisc"))->text());
    if (MovementCardRules::isVatNumber(code))
        openDialog<TfrmPartitaIva>(this, [&code](TfrmPartitaIva &d) { d.setInput(code); });
    else
        openDialog<TfrmCodFisc>(this, [&code](TfrmCodFisc &d) { d.setInput(code); });
}

void TfrmMovimenti::chkIvaClick()
{
    const QString code = TextRules::trim(edit(QStringLiteral("txtPartitaIva"))->text());
    openDialog<TfrmPartitaIva>(this, [&code](TfrmPartitaIva &d) { d.setInput(code); });
}

void TfrmMovimenti::sndEmailClick()
{
    const QString address = TextRules::trim(edit(QStringLiteral("txtEmail"))->text());
    if (address.isEmpty()) {
        UiPlatform::warning(this, MovementCardRules::emailNeeded());
        edit(QStringLiteral("txtEmail"))->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The address is the path of the URL, never parsed as a URL itself: a "?" or
    // "&" in it cannot add headers to the message.
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(address, QUrl::DecodedMode);
    Platform::shell().open(url);
}

void TfrmMovimenti::txtDataPicker()
{
    if (const auto day = TfrmCalendario::pick(this, TfrmCalendario::Field::MovementDate))
        setOperationDate(TextRules::formatDate(*day));
}

void TfrmMovimenti::txtDataScaPicker()
{
    if (const auto day = TfrmCalendario::pick(this, TfrmCalendario::Field::MovementDue))
        setDueDate(TextRules::formatDate(*day));
}
