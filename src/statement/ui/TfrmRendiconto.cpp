#include "TfrmRendiconto.h"

#include "StatementLook.h"

#include "TfrmEnte.h"
#include "books/StatementPdf.h"
#include "common/HelpPage.h"
#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmGuida.h"
#include "common/ui/UiPlatform.h"
#include "output/ui/ExportProcedure.h"
#include "output/ui/PrinterOutput.h"
#include "statement/StatementReport.h"
#include "statement/StatementSheet.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QAbstractItemView>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QUrl>

#include <cmath>
#include <memory>

using Form::Kind;
using Side = StatementItems::Side;

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 720;

const QString kAdvice = QStringLiteral("Accertarsi di possedere i privilegi di lettura e scrittura nella cartella di "
                                       "installazione del programma.");

QString sideText(Side s) { return s == Side::Income ? QStringLiteral("Entrata") : QStringLiteral("Uscita"); }

QTableWidgetItem *cell(const QString &text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *it = new QTableWidgetItem(text);
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    it->setTextAlignment(align);
    return it;
}

QTableWidget *table(QWidget *parent, const char *name, const QStringList &heads)
{
    auto *t = new QTableWidget(0, int(heads.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(heads);
    t->verticalHeader()->setVisible(false);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setWordWrap(false);
    t->setAlternatingRowColors(true);
    t->setStyleSheet(QStringLiteral("QTableWidget { background: white; alternate-background-color: %1; }"
                                    "QHeaderView::section { background: %2; color: white; font-weight: bold; "
                                    "padding: 3px; border: none; }")
                         .arg(QColor(0xF3, 0xF8, 0xFD).name(), Palette::navy.name()));
    return t;
}

// An amount typed for an opening balance: empty, or an amount in cents.
std::optional<std::optional<qint64>> typedCents(const QString &text)
{
    const QString t = TextRules::trim(text);
    if (t.isEmpty())
        return std::make_optional(std::optional<qint64>{});
    const auto v = TextRules::parseAmount(t);
    if (!v || !(std::fabs(*v) < 1e12))
        return std::nullopt;
    return std::make_optional(std::optional<qint64>{qint64(std::llround(*v * 100))});
}

QString centsForEdit(qint64 cents) { return CashStatement::amount(cents).remove(QLatin1Char('.')); }

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
                    {"lblStato", Kind::Bold, {}, 272, 80, 540, 30},
                    {"btnEnte", Kind::Button, QStringLiteral("Dati dell'associazione"), 824, 80, 164, 30},
                    {"shpComandi", Kind::Shape, {}, 12, 650, 976, 60},
                    {"btnEsci", Kind::Button, QStringLiteral("Esci"), 26, 662, 110, 36},
                    {"panInfo", Kind::Label, {}, 150, 662, 210, 36},
                    {"btnPdf", Kind::Button, QStringLiteral("Salva PDF per il RUNTS"), 366, 662, 166, 36},
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
        {btnEsporta, QStringLiteral("Esporta il rendiconto in un foglio di calcolo.")},
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

void TfrmRendiconto::open(QWidget *opener)
{
    // A file that cannot be read has been reported: the screen does not open.
    const auto screen = std::make_unique<TfrmRendiconto>(opener);
    if (!screen->load())
        return;
    screen->showYear(Platform::clock().today().year() - 1);
    UiPlatform::modal().run(screen.get());
}

bool TfrmRendiconto::load()
{
    const QString folder = Platform::folder().path();
    QString error;
    const auto c = Classification::load(folder, &error);
    if (!c) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è possibile leggere il file %1 (%2).")
                                        .arg(Classification::fileName(), error) +
                                    UiPlatform::kLfCrLfCr + kAdvice);
        return false;
    }
    const auto e = EnteData::load(folder, &error);
    if (!e) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è possibile leggere il file %1 (%2).")
                                        .arg(EnteData::fileName(), error) +
                                    UiPlatform::kLfCrLfCr + kAdvice);
        return false;
    }
    m_classification = *c;
    m_ente = *e;
    if (!c->problems().isEmpty())
        UiPlatform::warning(this, QStringLiteral("Attenzione: alcune righe del file %1 non sono state comprese e "
                                                 "non vengono usate:")
                                          .arg(Classification::fileName()) +
                                      UiPlatform::kLfCrLfCr + c->problems().join(QStringLiteral("\r\n")));
    m_cache = std::make_unique<YearCache>(folder);
    showEnte();
    return true;
}

void TfrmRendiconto::showEnte()
{
    lblEnte->setText(m_ente.denominazione.isEmpty()
                         ? QStringLiteral("Dati dell'associazione non indicati")
                         : m_ente.denominazione +
                               (m_ente.codiceFiscale.isEmpty() ? QString() : QStringLiteral("\nC.F. ") + m_ente.codiceFiscale));
}

void TfrmRendiconto::showYear(int year)
{
    m_year = year;
    txtAnno->setText(QString::number(year));
    if (!m_cache)
        m_cache = std::make_unique<YearCache>(Platform::folder().path());
    m_cache->clear();
    tblRendiconto->setHorizontalHeaderLabels({QStringLiteral("Codice"), QStringLiteral("Voce"), QString::number(year),
                                              QString::number(year - 1)});
    tblCausali->setHorizontalHeaderItem(RcTotal, new QTableWidgetItem(QStringLiteral("Totale %1").arg(year)));
    tblCausali->setHorizontalHeaderItem(RcPrevious, new QTableWidgetItem(QStringLiteral("Totale %1").arg(year - 1)));
    fillClassification();
    fillOpening();
    recompute();
}

QComboBox *TfrmRendiconto::itemCombo(int row) const
{
    return qobject_cast<QComboBox *>(tblCausali->cellWidget(row, RcItem));
}

QComboBox *TfrmRendiconto::accountCombo(int row) const
{
    return qobject_cast<QComboBox *>(tblPagamenti->cellWidget(row, PcAccount));
}

void TfrmRendiconto::fillClassification()
{
    m_filling = true;
    // Every distinct reason of the two years, by kind, with its count and totals.
    struct Reason
    {
        Side side = Side::Income;
        QString causale;
        qint64 count = 0;
        qint64 current = 0;
        qint64 previous = 0;
    };
    QMap<QString, Reason> reasons;
    QMap<QString, std::pair<QString, qint64>> payments;
    for (const int y : {m_year, m_year - 1}) {
        const YearMovements *m = m_cache->get(y);
        if (!m)
            continue;
        for (const YearMovements::Group &g : m->groups) {
            const Side side = g.income ? Side::Income : Side::Expense;
            // Income first, then expense; within each, by reason.
            const QString key = (g.income ? QStringLiteral("0") : QStringLiteral("1")) + Classification::fold(g.causale);
            Reason &r = reasons[key];
            if (r.causale.isEmpty()) {
                r.side = side;
                r.causale = g.causale;
            }
            if (y == m_year) {
                r.count += g.count;
                r.current += g.cents;
            } else {
                r.previous += g.cents;
            }
            auto &p = payments[Classification::fold(g.pagamento)];
            if (p.first.isEmpty())
                p.first = g.pagamento;
            if (y == m_year)
                p.second += g.count;
        }
    }

    m_reasons.clear();
    tblCausali->setRowCount(0);
    tblCausali->setRowCount(int(reasons.size()));
    int row = 0;
    for (const Reason &r : reasons) {
        m_reasons.append({r.side, r.causale});
        tblCausali->setItem(row, RcKind, cell(sideText(r.side)));
        tblCausali->setItem(row, RcReason, cell(r.causale));
        tblCausali->item(row, RcReason)->setToolTip(r.causale);
        tblCausali->setItem(row, RcCount, cell(QString::number(r.count), Qt::AlignRight | Qt::AlignVCenter));
        tblCausali->setItem(row, RcTotal, cell(CashStatement::amount(r.current), Qt::AlignRight | Qt::AlignVCenter));
        tblCausali->setItem(row, RcPrevious, cell(CashStatement::amount(r.previous), Qt::AlignRight | Qt::AlignVCenter));
        auto *combo = new QComboBox;
        // The list opens wide enough for the items' full names.
        combo->view()->setMinimumWidth(600);
        combo->addItem(QStringLiteral("- da classificare -"), QString());
        for (const StatementItems::Item &i : StatementItems::ofSide(r.side))
            combo->addItem(StatementItems::label(i), i.code);
        combo->setCurrentIndex(std::max(0, combo->findData(m_classification.itemOf(r.side, r.causale))));
        connect(combo, &QComboBox::currentIndexChanged, this, [this, row] { itemChosen(row); });
        tblCausali->setCellWidget(row, RcItem, combo);
        const QString suggested = CashStatement::suggestion(r.side, r.causale);
        auto *s = cell(suggested);
        if (const auto *item = StatementItems::find(suggested))
            s->setToolTip(StatementItems::label(*item));
        tblCausali->setItem(row, RcSuggestion, s);
        ++row;
    }

    m_payments.clear();
    tblPagamenti->setRowCount(0);
    tblPagamenti->setRowCount(int(payments.size()));
    row = 0;
    for (const auto &[method, count] : payments) {
        m_payments.append(method);
        tblPagamenti->setItem(row, PcMethod, cell(method.isEmpty() ? QStringLiteral("(non indicata)") : method));
        tblPagamenti->setItem(row, PcCount, cell(QString::number(count), Qt::AlignRight | Qt::AlignVCenter));
        auto *combo = new QComboBox;
        combo->addItem(QStringLiteral("-"), int(Classification::Account::None));
        combo->addItem(QStringLiteral("Cassa"), int(Classification::Account::Cassa));
        combo->addItem(QStringLiteral("Banca"), int(Classification::Account::Banca));
        combo->setCurrentIndex(std::max(0, combo->findData(int(m_classification.accountOf(method)))));
        connect(combo, &QComboBox::currentIndexChanged, this, [this, row] { accountChosen(row); });
        tblPagamenti->setCellWidget(row, PcAccount, combo);
        const auto suggested = CashStatement::suggestedAccount(method);
        tblPagamenti->setItem(row, PcSuggestion,
                              cell(suggested == Classification::Account::Cassa   ? QStringLiteral("Cassa")
                                   : suggested == Classification::Account::Banca ? QStringLiteral("Banca")
                                                                                 : QString()));
        ++row;
    }
    m_filling = false;
}

void TfrmRendiconto::fillOpening()
{
    m_filling = true;
    const auto own = m_classification.opening(m_year);
    txtSaldoCassa->setText(own ? centsForEdit(own->cassa) : QString());
    txtSaldoBanca->setText(own ? centsForEdit(own->banca) : QString());
    m_filling = false;
}

void TfrmRendiconto::itemChosen(int row)
{
    if (m_filling || row >= m_reasons.size())
        return;
    const ReasonRow &r = m_reasons.at(row);
    m_classification.setItem(r.side, r.causale, itemCombo(row)->currentData().toString());
    m_dirty = true;
    recompute();
}

void TfrmRendiconto::accountChosen(int row)
{
    if (m_filling || row >= m_payments.size())
        return;
    m_classification.setAccount(m_payments.at(row),
                                Classification::Account(accountCombo(row)->currentData().toInt()));
    m_dirty = true;
    recompute();
}

void TfrmRendiconto::openingLeft(bool warn)
{
    if (m_filling)
        return;
    const auto cassa = typedCents(txtSaldoCassa->text());
    const auto banca = typedCents(txtSaldoBanca->text());
    for (const auto &[edit, ok] : {std::pair{txtSaldoCassa, cassa.has_value()}, std::pair{txtSaldoBanca, banca.has_value()}})
        edit->setStyleSheet(ok ? QString() : QStringLiteral("QLineEdit { color: %1; }").arg(Palette::red.name()));
    if (!cassa || !banca) {
        if (!warn)
            return;
        UiPlatform::warning(this, QStringLiteral("Attenzione: il saldo iniziale indicato non è un importo valido.") +
                                      UiPlatform::kLfCrLfCr +
                                      QStringLiteral("Scrivere l'importo con la virgola prima dei decimali e senza "
                                                     "punti, per esempio 1250,50."));
        (cassa ? txtSaldoBanca : txtSaldoCassa)->setFocus();
        return;
    }
    std::optional<Classification::Opening> opening;
    if (*cassa || *banca)
        opening = Classification::Opening{cassa->value_or(0), banca->value_or(0)};
    if (opening != m_classification.opening(m_year)) {
        m_classification.setOpening(m_year, opening);
        m_dirty = true;
    }
    // The edits keep what was typed: rewriting one while the other is being
    // filled would put its text under the user's cursor.
    recompute();
}

void TfrmRendiconto::recompute()
{
    m_statement = CashStatement::compute(m_year, m_classification, m_cache->source());
    using LineKind = CashStatement::Line::Kind;
    const auto &lines = m_statement.lines();
    tblRendiconto->setRowCount(0);
    tblRendiconto->setRowCount(int(lines.size()));
    QFont bold = tblRendiconto->font();
    bold.setBold(true);
    for (int row = 0; row < lines.size(); ++row) {
        const CashStatement::Line &l = lines.at(row);
        const bool strong = l.kind != LineKind::Item;
        auto *code = cell(l.kind == LineKind::Item ? l.id : QString());
        auto *text = cell(l.text);
        text->setToolTip(l.text);
        tblRendiconto->setItem(row, ScCode, code);
        tblRendiconto->setItem(row, ScText, text);
        if (l.kind == LineKind::Heading) {
            for (int col = 0; col < ScColumns; ++col) {
                if (!tblRendiconto->item(row, col))
                    tblRendiconto->setItem(row, col, cell(QString()));
                tblRendiconto->item(row, col)->setBackground(Palette::paleBlue);
                tblRendiconto->item(row, col)->setFont(bold);
            }
            continue;
        }
        tblRendiconto->setItem(row, ScCurrent,
                               cell(CashStatement::euro(l.current), Qt::AlignRight | Qt::AlignVCenter));
        tblRendiconto->setItem(row, ScPrevious,
                               cell(CashStatement::euro(l.previous), Qt::AlignRight | Qt::AlignVCenter));
        if (strong)
            for (int col = 0; col < ScColumns; ++col)
                tblRendiconto->item(row, col)->setFont(bold);
    }
    tblRendiconto->resizeRowsToContents();

    QStringList notes{m_statement.checkText()};
    notes += m_statement.warnings();
    if (!m_statement.complete())
        notes.prepend(StatementSheet::incompleteNotice());
    txtAvvisi->setPlainText(notes.join(QStringLiteral("\n")));
    lblStato->setText(m_statement.complete() ? QStringLiteral("Rendiconto %1 completo").arg(m_year)
                                             : QStringLiteral("Rendiconto %1 INCOMPLETO").arg(m_year));
    lblStato->setStyleSheet(QStringLiteral("QLabel { color: white; background: %1; border-radius: 6px; }")
                                .arg(m_statement.complete() ? Palette::green.name() : Palette::red.name()));

    const auto &y = m_statement.current();
    if (y.opening && y.openingCarried)
        lblSaldi->setText(QStringLiteral("Non indicati: si usano i saldi finali del %1 (cassa %2, banca %3).")
                              .arg(QString::number(m_year - 1), CashStatement::euro(y.opening->cassa),
                                   CashStatement::euro(y.opening->banca)));
    else if (!y.opening)
        lblSaldi->setText(QStringLiteral("Non indicati e non ricavabili dal %1: indicarli qui sopra.").arg(m_year - 1));
    else
        lblSaldi->clear();
}

void TfrmRendiconto::btnAggiornaClick()
{
    const QString typed = TextRules::trim(txtAnno->text());
    if (typed.size() != 4) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: indicare l'anno con quattro cifre."));
        txtAnno->setFocus();
        return;
    }
    showYear(typed.toInt());
}

void TfrmRendiconto::btnEnteClick()
{
    if (const auto saved = TfrmEnte::edit(this)) {
        m_ente = *saved;
        showEnte();
    }
}

void TfrmRendiconto::btnSuggerimentiClick()
{
    for (int row = 0; row < m_reasons.size(); ++row) {
        QComboBox *combo = itemCombo(row);
        const QString suggested = tblCausali->item(row, RcSuggestion)->text();
        if (combo->currentIndex() == 0 && !suggested.isEmpty())
            combo->setCurrentIndex(std::max(0, combo->findData(suggested)));
    }
    for (int row = 0; row < m_payments.size(); ++row) {
        QComboBox *combo = accountCombo(row);
        const QString suggested = tblPagamenti->item(row, PcSuggestion)->text();
        if (combo->currentIndex() == 0 && !suggested.isEmpty())
            combo->setCurrentIndex(std::max(0, combo->findText(suggested)));
    }
}

bool TfrmRendiconto::btnSalvaClick()
{
    QString error;
    if (!m_classification.save(Platform::folder().path(), &error)) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è stato possibile salvare il file %1 (%2).")
                                        .arg(Classification::fileName(), error) +
                                    UiPlatform::kLfCrLfCr + kAdvice);
        return false;
    }
    m_dirty = false;
    UiPlatform::information(this, QStringLiteral("La classificazione è stata salvata nel file %1.")
                                      .arg(Classification::fileName()));
    return true;
}

void TfrmRendiconto::btnStampaClick()
{
    PrinterOutput::current().preview(this, StatementReport::prepare(m_statement, m_ente));
}

void TfrmRendiconto::btnEsportaClick()
{
    const bool workbook = optXlsx->isChecked();
    const QString name = workbook ? StatementSheet::workbookFileName(m_year) : StatementSheet::fileName(m_year);
    const QString path = Platform::folder().file(name);
    QString error;
    if (!(workbook ? StatementSheet::saveWorkbook(path, m_statement, m_ente, &error)
                   : StatementSheet::save(path, m_statement, m_ente, &error))) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è stato possibile scrivere il file %1 (%2).")
                                        .arg(name, error) +
                                    UiPlatform::kLfCrLfCr + kAdvice);
        return;
    }
    if (UiPlatform::ask(this, QStringLiteral("Il rendiconto è stato esportato nel file %1.").arg(name) +
                                  UiPlatform::kCrLfCrLf + QStringLiteral("Aprire il file adesso?")))
        Platform::shell().open(QUrl::fromLocalFile(path));
}

// The PDF/A the national register takes, named with the year and the tax code.
void TfrmRendiconto::btnPdfClick()
{
    const QString name = StatementPdf::fileName(m_year, m_ente.codiceFiscale);
    const QString path = Platform::folder().file(name);
    if (!m_statement.complete() &&
        !UiPlatform::ask(this, QStringLiteral("Attenzione: il rendiconto %1 non è completo.").arg(m_year) +
                                   UiPlatform::kCrLfCrLf + QStringLiteral("Salvare comunque il PDF?")))
        return;
    QString error;
    if (!StatementPdf::save(path, m_statement, m_ente, Platform::clock().today(), &error)) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è stato possibile scrivere il file %1 (%2).")
                                        .arg(name, error) +
                                    UiPlatform::kLfCrLfCr + kAdvice);
        return;
    }
    if (UiPlatform::ask(this, QStringLiteral("Il rendiconto è stato salvato in PDF/A nel file %1.").arg(name) +
                                  UiPlatform::kCrLfCrLf + QStringLiteral("Aprire il file adesso?")))
        Platform::shell().open(QUrl::fromLocalFile(path));
}

void TfrmRendiconto::closeEvent(QCloseEvent *e)
{
    if (m_dirty && UiPlatform::ask(this, QStringLiteral("La classificazione è stata modificata. Salvarla nel file "
                                                        "%1 prima di uscire?")
                                             .arg(Classification::fileName()))) {
        if (!btnSalvaClick()) {
            e->ignore();
            return;
        }
    }
    m_dirty = false;
    FixedDialog::closeEvent(e);
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
