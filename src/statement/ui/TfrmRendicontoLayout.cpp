// The controls of the statement screen and what each command does.
#include "TfrmRendiconto.h"

#include "StatementLook.h"

#include "common/HelpPage.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmGuida.h"
#include "output/ui/ExportProcedure.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>

using Form::Kind;
using StatementLook::table;

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 720;

} // namespace

TfrmRendiconto::TfrmRendiconto(QWidget *parent)
    : FixedDialog(QStringLiteral(" Quintara - Rendiconto per cassa"), QSize(kWidth, kHeight), parent)
{
    buildControls();
}


void TfrmRendiconto::buildControls()
{
    Form::Controls c;
    Form::build(this,
                {
                    {"imgIntestazione", Kind::Picture, {}, 12, 12, 698, 57, "banner_rendiconto"},
                    {"lblEnte", Kind::Bold, {}, 720, 14, 220, 52},
                    {"imgGuida", Kind::PictureButton, {}, 950, 22, 36, 36, "help"},
                    {"titAnno", Kind::Bold, QStringLiteral("Anno:"), 14, 86, 50, 20},
                    {"txtAnno", Kind::Edit, {}, 66, 82, 70, 26, nullptr, 4},
                    {"btnAggiorna", Kind::Button, QStringLiteral("Aggiorna"), 148, 80, 110, 30},
                    {"lblStato", Kind::Bold, {}, 272, 80, 370, 30},
                    {"btnPdf", Kind::Button, QStringLiteral("Salva PDF per il RUNTS"), 652, 80, 164, 30},
                    {"btnEnte", Kind::Button, QStringLiteral("Dati dell'associazione"), 824, 80, 164, 30},
                    {"shpComandi", Kind::Shape, {}, 12, 650, 976, 60},
                    {"btnEsci", Kind::Button, QStringLiteral("Esci"), 26, 662, 110, 36},
                    {"panInfo", Kind::Label, {}, 150, 662, 236, 36},
                    {"chkNote", Kind::Check, QStringLiteral("Note di controllo"), 392, 670, 142, 20},
                    {"optXls", Kind::Radio, QStringLiteral("Microsoft Excel (.xls)"), 538, 663, 196, 16},
                    {"optXlsx", Kind::Radio, QStringLiteral("Excel 2007 e successivi (.xlsx)"), 538, 681, 196, 16},
                    {"btnStampa", Kind::Button, QStringLiteral("Stampa"), 740, 662, 110, 36},
                    {"btnEsporta", Kind::Button, QStringLiteral("Esporta"), 864, 662, 110, 36},
                },
                c);
    txtAnno = c.get<FieldEdit>(QStringLiteral("txtAnno"));
    btnAggiorna = c.get<QPushButton>(QStringLiteral("btnAggiorna"));
    btnEnte = c.get<QPushButton>(QStringLiteral("btnEnte"));
    imgGuida = c.get<PictureButton>(QStringLiteral("imgGuida"));
    lblStato = c.get<QLabel>(QStringLiteral("lblStato"));
    lblEnte = c.get<QLabel>(QStringLiteral("lblEnte"));
    panInfo = c.get<QLabel>(QStringLiteral("panInfo"));
    btnStampa = c.get<QPushButton>(QStringLiteral("btnStampa"));
    btnEsporta = c.get<QPushButton>(QStringLiteral("btnEsporta"));
    btnEsci = c.get<QPushButton>(QStringLiteral("btnEsci"));
    optXls = c.get<QRadioButton>(QStringLiteral("optXls"));
    optXlsx = c.get<QRadioButton>(QStringLiteral("optXlsx"));
    chkNote = c.get<QCheckBox>(QStringLiteral("chkNote"));
    chkNote->setStyleSheet(QStringLiteral("QCheckBox { color: white; }"));
    ExportProcedure::styleFormatOption(optXls);
    ExportProcedure::styleFormatOption(optXlsx);
    optXls->setChecked(true);
    c.widget(QStringLiteral("shpComandi"))
        ->setStyleSheet(QStringLiteral("QWidget#shpComandi { background: %1; border-radius: 8px; }")
                            .arg(Palette::navy.name()));
    c.get<QLabel>(QStringLiteral("titAnno"))->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    lblEnte->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    lblEnte->setWordWrap(true);
    lblStato->setAlignment(Qt::AlignCenter);
    panInfo->setStyleSheet(QStringLiteral("color: white;"));
    panInfo->setWordWrap(true);
    txtAnno->setAllowedCharacters(QStringLiteral("0123456789"));
    txtAnno->setContextMenuPolicy(Qt::NoContextMenu);
    txtAnno->setAcceptDrops(false);

    tabPagine = new QTabWidget(this);
    tabPagine->setObjectName(QStringLiteral("tabPagine"));
    tabPagine->setGeometry(12, 118, 976, 524);

    // The classification page: reasons on the left, payment methods and balances on the right.
    auto *classify = new QWidget;
    classify->setObjectName(QStringLiteral("pagClassificazione"));
    tblCausali = table(classify, "tblCausali",
                       {QStringLiteral("Tipo"), QStringLiteral("Causale"), QStringLiteral("N."), QStringLiteral("Totale"),
                        QStringLiteral("Anno prec."), QStringLiteral("Voce del rendiconto"),
                        QStringLiteral("Proposta")});
    tblCausali->setGeometry(6, 6, 700, 440);
    for (const auto &[col, w] : {std::pair{RcKind, 56}, std::pair{RcReason, 140}, std::pair{RcCount, 34},
                                 std::pair{RcTotal, 84}, std::pair{RcPrevious, 84}, std::pair{RcItem, 230},
                                 std::pair{RcSuggestion, 62}})
        tblCausali->setColumnWidth(col, w);
    tblPagamenti = table(classify, "tblPagamenti",
                         {QStringLiteral("Pagamento"), QStringLiteral("N."), QStringLiteral("Conto"),
                          QStringLiteral("Proposta")});
    tblPagamenti->setGeometry(714, 6, 250, 250);
    for (const auto &[col, w] :
         {std::pair{PcMethod, 100}, std::pair{PcCount, 30}, std::pair{PcAccount, 70}, std::pair{PcSuggestion, 46}})
        tblPagamenti->setColumnWidth(col, w);
    Form::build(classify,
                {
                    {"titSaldi", Kind::Bold, QStringLiteral("Saldi iniziali dell'anno"), 718, 266, 246, 20},
                    {"titSaldoCassa", Kind::Label, QStringLiteral("Cassa:"), 718, 298, 70, 20},
                    {"txtSaldoCassa", Kind::Edit, {}, 794, 294, 160, 26, nullptr, 16},
                    {"titSaldoBanca", Kind::Label, QStringLiteral("Banca:"), 718, 334, 70, 20},
                    {"txtSaldoBanca", Kind::Edit, {}, 794, 330, 160, 26, nullptr, 16},
                    {"lblSaldi", Kind::Label, {}, 718, 364, 246, 80},
                    {"btnSuggerimenti", Kind::Button, QStringLiteral("Applica i suggerimenti"), 6, 454, 200, 32},
                    {"btnSalva", Kind::Button, QStringLiteral("Salva classificazione"), 506, 454, 200, 32},
                },
                c);
    txtSaldoCassa = c.get<FieldEdit>(QStringLiteral("txtSaldoCassa"));
    txtSaldoBanca = c.get<FieldEdit>(QStringLiteral("txtSaldoBanca"));
    lblSaldi = c.get<QLabel>(QStringLiteral("lblSaldi"));
    lblSaldi->setWordWrap(true);
    btnSuggerimenti = c.get<QPushButton>(QStringLiteral("btnSuggerimenti"));
    btnSalva = c.get<QPushButton>(QStringLiteral("btnSalva"));
    for (FieldEdit *e : {txtSaldoCassa, txtSaldoBanca})
        e->setAllowedCharacters(QStringLiteral("0123456789,-"));
    tabPagine->addTab(classify, QStringLiteral("Classificazione"));

    // The statement page.
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("pagRendiconto"));
    tblRendiconto = table(page, "tblRendiconto",
                          {QStringLiteral("Codice"), QStringLiteral("Voce"), QStringLiteral("Anno"),
                           QStringLiteral("Anno prec.")});
    tblRendiconto->setGeometry(6, 6, 960, 360);
    tblRendiconto->setColumnWidth(ScCode, 60);
    tblRendiconto->setColumnWidth(ScText, 610);
    tblRendiconto->setColumnWidth(ScCurrent, 130);
    tblRendiconto->setColumnWidth(ScPrevious, 130);
    tblRendiconto->setSelectionMode(QAbstractItemView::NoSelection);
    txtAvvisi = new QTextEdit(page);
    txtAvvisi->setObjectName(QStringLiteral("txtAvvisi"));
    txtAvvisi->setReadOnly(true);
    txtAvvisi->setGeometry(6, 372, 960, 116);
    tabPagine->addTab(page, QStringLiteral("Rendiconto"));

    m_hints = {
        {btnAggiorna, QStringLiteral("Legge i movimenti dell'anno indicato e dell'anno precedente.")},
        {btnEnte, QStringLiteral("Denominazione, codice fiscale e altri dati dell'associazione.")},
        {btnSuggerimenti, QStringLiteral("Classifica le causali ancora da classificare come suggerito.")},
        {btnSalva, QStringLiteral("Salva la classificazione e i saldi iniziali nel file Rendiconto.ini.")},
        {btnStampa, QStringLiteral("Mostra l'anteprima di stampa del rendiconto.")},
        {chkNote, QStringLiteral("Aggiunge alla stampa, su una pagina a parte, le note di controllo.")},
        {btnEsporta, QStringLiteral("Esporta il rendiconto in un foglio di calcolo.")},
        {c.get<QPushButton>(QStringLiteral("btnPdf")),
         QStringLiteral("Salva il rendiconto in PDF/A, pronto per il deposito al RUNTS.")},
        {optXls, QStringLiteral("Scegli il formato del file di Excel da creare.")},
        {optXlsx, QStringLiteral("Scegli il formato del file di Excel da creare.")},
        {btnEsci, QStringLiteral("Chiude il rendiconto.")},
        {imgGuida, QStringLiteral("Guida al rendiconto per cassa.")},
    };
    for (QObject *o : m_hints.keys())
        o->installEventFilter(this);

    connect(txtAnno, &FieldEdit::enterPressed, this, &TfrmRendiconto::btnAggiornaClick);
    connect(btnAggiorna, &QPushButton::clicked, this, &TfrmRendiconto::btnAggiornaClick);
    connect(btnEnte, &QPushButton::clicked, this, &TfrmRendiconto::btnEnteClick);
    connect(btnSuggerimenti, &QPushButton::clicked, this, &TfrmRendiconto::btnSuggerimentiClick);
    connect(btnSalva, &QPushButton::clicked, this, [this] { btnSalvaClick(); });
    connect(btnStampa, &QPushButton::clicked, this, &TfrmRendiconto::btnStampaClick);
    connect(btnEsporta, &QPushButton::clicked, this, &TfrmRendiconto::btnEsportaClick);
    connect(c.get<QPushButton>(QStringLiteral("btnPdf")), &QPushButton::clicked, this, &TfrmRendiconto::btnPdfClick);
    connect(btnEsci, &QPushButton::clicked, this, &QDialog::close);
    connect(imgGuida, &QAbstractButton::clicked, this, [this] { TfrmGuida::open(this, HelpPage::Statement); });
    // Leaving a balance takes it in silently (the focus may be leaving for a
    // message box); Enter also says when it is not an amount.
    for (FieldEdit *e : {txtSaldoCassa, txtSaldoBanca}) {
        connect(e, &FieldEdit::left, this, [this] { openingLeft(false); });
        connect(e, &FieldEdit::enterPressed, this, [this] { openingLeft(true); });
    }
}

bool TfrmRendiconto::eventFilter(QObject *watched, QEvent *e)
{
    StatementLook::followHints(m_hints, panInfo, watched, e);
    return FixedDialog::eventFilter(watched, e);
}

void TfrmRendiconto::paintEvent(QPaintEvent *e)
{
    StatementLook::paintBackground(this);
    FixedDialog::paintEvent(e);
}
