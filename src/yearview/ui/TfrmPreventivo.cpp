#include "TfrmPreventivo.h"

#include "YearSettings.h"
#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/UiPlatform.h"
#include "output/ExportDocument.h"
#include "output/XlsxWorkbook.h"
#include "output/ui/ExportProcedure.h"
#include "output/ui/PrinterOutput.h"
#include "statement/YearCache.h"
#include "statement/ui/StatementLook.h"
#include "yearview/BudgetReport.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QUrl>

#include <cmath>
#include <memory>

using Form::Kind;
using LineKind = BudgetComparison::Line::Kind;

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 720;

QTableWidgetItem *cell(const QString &text, bool figure, bool editable = false)
{
    auto *it = new QTableWidgetItem(text);
    it->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                          : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    it->setTextAlignment(figure ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    return it;
}

QTableWidget *table(QWidget *parent, const char *name, const QStringList &heads)
{
    auto *t = new QTableWidget(0, int(heads.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(heads);
    t->verticalHeader()->setVisible(false);
    t->setSelectionBehavior(QAbstractItemView::SelectItems);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setWordWrap(false);
    t->setStyleSheet(QStringLiteral("QTableWidget { background: white; }"
                                    "QHeaderView::section { background: %1; color: white; font-weight: bold; "
                                    "padding: 3px; border: none; }")
                         .arg(Palette::navy.name()));
    return t;
}

QString amountOf(const std::optional<qint64> &cents) { return cents ? CashStatement::amount(*cents) : QString(); }

// Lines over budget in bold, red for expense and green for income.
void styleRow(QTableWidget *t, int row, LineKind kind, bool over, bool income)
{
    for (int c = 0; c < t->columnCount(); ++c) {
        QTableWidgetItem *it = t->item(row, c);
        if (!it)
            continue;
        QFont f = it->font();
        f.setBold(kind != LineKind::Item || over);
        it->setFont(f);
        if (kind == LineKind::Heading) {
            it->setBackground(Palette::paleBlue);
            it->setForeground(Palette::navy);
        } else {
            it->setForeground(!over ? Palette::ink : income ? Palette::green : Palette::red);
        }
    }
}

} // namespace

TfrmPreventivo::TfrmPreventivo(QWidget *parent)
    : FixedDialog(QStringLiteral(" Quintara - Bilancio preventivo"), QSize(kWidth, kHeight), parent)
{
    buildControls();
}

void TfrmPreventivo::buildControls()
{
    Form::Controls c;
    Form::build(this,
                {
                    {"lblTitolo", Kind::Bold, QStringLiteral("Bilancio preventivo"), 14, 14, 420, 40},
                    {"lblAnno", Kind::Bold, {}, 440, 14, 120, 40},
                    {"lblAvviso", Kind::Bold, {}, 570, 10, 418, 48},
                    {"shpComandi", Kind::Shape, {}, 12, 650, 976, 60},
                    {"btnEsci", Kind::Button, QStringLiteral("Esci"), 26, 662, 110, 36},
                    {"panInfo", Kind::Label, {}, 150, 662, 380, 36},
                    {"optXls", Kind::Radio, QStringLiteral("Microsoft Excel (.xls)"), 538, 663, 196, 16},
                    {"optXlsx", Kind::Radio, QStringLiteral("Excel 2007 e successivi (.xlsx)"), 538, 681, 196, 16},
                    {"btnStampa", Kind::Button, QStringLiteral("Stampa"), 740, 662, 110, 36},
                    {"btnEsporta", Kind::Button, QStringLiteral("Esporta"), 864, 662, 110, 36},
                },
                c);
    lblAnno = c.get<QLabel>(QStringLiteral("lblAnno"));
    lblAvviso = c.get<QLabel>(QStringLiteral("lblAvviso"));
    panInfo = c.get<QLabel>(QStringLiteral("panInfo"));
    optXls = c.get<QRadioButton>(QStringLiteral("optXls"));
    optXlsx = c.get<QRadioButton>(QStringLiteral("optXlsx"));
    btnStampa = c.get<QPushButton>(QStringLiteral("btnStampa"));
    btnEsporta = c.get<QPushButton>(QStringLiteral("btnEsporta"));
    btnEsci = c.get<QPushButton>(QStringLiteral("btnEsci"));
    ExportProcedure::styleFormatOption(optXls);
    ExportProcedure::styleFormatOption(optXlsx);
    optXls->setChecked(true);
    for (QLabel *l : {c.get<QLabel>(QStringLiteral("lblTitolo")), lblAnno}) {
        QFont big = l->font();
        big.setPointSize(18);
        l->setFont(big);
        l->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    }
    lblAvviso->setWordWrap(true);
    lblAvviso->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::red.name()));
    c.widget(QStringLiteral("shpComandi"))
        ->setStyleSheet(QStringLiteral("QWidget#shpComandi { background: %1; border-radius: 8px; }")
                            .arg(Palette::navy.name()));
    panInfo->setStyleSheet(QStringLiteral("color: white;"));
    panInfo->setWordWrap(true);

    tabPagine = new QTabWidget(this);
    tabPagine->setObjectName(QStringLiteral("tabPagine"));
    tabPagine->setGeometry(12, 66, 976, 576);

    auto *budgetPage = new QWidget;
    budgetPage->setObjectName(QStringLiteral("pagPreventivo"));
    tblPreventivo = table(budgetPage, "tblPreventivo",
                          {QStringLiteral("Codice"), QStringLiteral("Voce"), QStringLiteral("Preventivo"),
                           QStringLiteral("Effettivo anno prec.")});
    tblPreventivo->setGeometry(6, 6, 960, 490);
    for (const auto &[col, w] : {std::pair{BcCode, 60}, std::pair{BcText, 600}, std::pair{BcBudget, 140},
                                 std::pair{BcPrevious, 140}})
        tblPreventivo->setColumnWidth(col, w);
    tblPreventivo->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
    Form::build(budgetPage,
                {
                    {"btnProponi", Kind::Button, QStringLiteral("Proponi dall'anno precedente"), 6, 504, 240, 32},
                    {"btnSalva", Kind::Button, QStringLiteral("Salva preventivo"), 766, 504, 200, 32},
                },
                c);
    btnProponi = c.get<QPushButton>(QStringLiteral("btnProponi"));
    btnSalva = c.get<QPushButton>(QStringLiteral("btnSalva"));
    tabPagine->addTab(budgetPage, QStringLiteral("Preventivo"));

    auto *comparisonPage = new QWidget;
    comparisonPage->setObjectName(QStringLiteral("pagConfronto"));
    tblConfronto = table(comparisonPage, "tblConfronto",
                         {QStringLiteral("Codice"), QStringLiteral("Voce"), QStringLiteral("Preventivo"),
                          QStringLiteral("Effettivo"), QStringLiteral("Differenza"), QStringLiteral("%"),
                          QString()});
    tblConfronto->setGeometry(6, 6, 960, 530);
    tblConfronto->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (const auto &[col, w] : {std::pair{CcCode, 56}, std::pair{CcText, 420}, std::pair{CcBudget, 110},
                                 std::pair{CcActual, 110}, std::pair{CcDifference, 110}, std::pair{CcPercent, 70},
                                 std::pair{CcOver, 60}})
        tblConfronto->setColumnWidth(col, w);
    tabPagine->addTab(comparisonPage, QStringLiteral("Preventivo e consuntivo"));

    m_hints = {
        {btnProponi, QStringLiteral("Propone come preventivo le cifre effettive dell'anno precedente.")},
        {btnSalva, QStringLiteral("Salva il preventivo nel file Preventivo.ini.")},
        {btnStampa, QStringLiteral("Mostra l'anteprima di stampa della pagina aperta.")},
        {btnEsporta, QStringLiteral("Esporta il confronto tra preventivo e consuntivo in un foglio di calcolo.")},
        {optXls, QStringLiteral("Scegli il formato del file di Excel da creare.")},
        {optXlsx, QStringLiteral("Scegli il formato del file di Excel da creare.")},
        {btnEsci, QStringLiteral("Chiude il preventivo.")},
    };
    for (QObject *o : m_hints.keys())
        o->installEventFilter(this);

    connect(tblPreventivo, &QTableWidget::cellChanged, this, &TfrmPreventivo::budgetTyped);
    connect(btnProponi, &QPushButton::clicked, this, &TfrmPreventivo::btnProponiClick);
    connect(btnSalva, &QPushButton::clicked, this, [this] { btnSalvaClick(); });
    connect(btnStampa, &QPushButton::clicked, this, &TfrmPreventivo::btnStampaClick);
    connect(btnEsporta, &QPushButton::clicked, this, &TfrmPreventivo::btnEsportaClick);
    connect(btnEsci, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmPreventivo::open(QWidget *opener, int year, Page page)
{
    const auto screen = std::make_unique<TfrmPreventivo>(opener);
    if (!screen->load())
        return;
    screen->showYear(year);
    screen->tabPagine->setCurrentIndex(page);
    UiPlatform::modal().run(screen.get());
}

bool TfrmPreventivo::load()
{
    const auto settings = YearSettings::load(this);
    if (!settings)
        return false;
    m_classification = settings->classification;
    m_ente = settings->ente;
    const QString folder = Platform::folder().path();
    const Budget::Loaded b = Budget::load(folder);
    m_damaged = !b.budget;
    m_problem = b.problem;
    m_budget = b.budget.value_or(Budget{});
    if (m_damaged) {
        lblAvviso->setText(QStringLiteral("File %1 danneggiato: il preventivo è vuoto.").arg(Budget::fileName()));
        UiPlatform::warning(this, QStringLiteral("Attenzione: il file %1 è danneggiato (%2), per cui il preventivo "
                                                 "si apre vuoto.")
                                          .arg(Budget::fileName(), m_problem) +
                                      UiPlatform::kLfCrLfCr +
                                      QStringLiteral("Il file non verrà sovrascritto senza chiedere."));
    }
    return true;
}

void TfrmPreventivo::showYear(int year)
{
    m_year = year;
    lblAnno->setText(QString::number(year));
    YearCache cache(Platform::folder().path());
    m_statement = CashStatement::compute(year, m_classification, cache.source());
    m_items = m_budget.year(year);
    tblPreventivo->setHorizontalHeaderItem(BcBudget, new QTableWidgetItem(QStringLiteral("Preventivo %1").arg(year)));
    tblPreventivo->setHorizontalHeaderItem(BcPrevious,
                                           new QTableWidgetItem(QStringLiteral("Effettivo %1").arg(year - 1)));
    fillBudget();
    m_dirty = false;
}

int TfrmPreventivo::rowOf(const QString &code) const
{
    for (int r = 0; r < tblPreventivo->rowCount(); ++r)
        if (tblPreventivo->item(r, BcCode) && tblPreventivo->item(r, BcCode)->text() == code &&
            tblPreventivo->item(r, BcBudget)->flags().testFlag(Qt::ItemIsEditable))
            return r;
    return -1;
}

void TfrmPreventivo::fillBudget()
{
    m_filling = true;
    const QList<BudgetComparison::Line> lines = BudgetComparison::lines(m_statement, m_items);
    tblPreventivo->clearSpans();
    tblPreventivo->setRowCount(int(lines.size()));
    qint64 previousSum = 0;
    for (int r = 0; r < lines.size(); ++r) {
        const BudgetComparison::Line &l = lines.at(r);
        if (l.kind == LineKind::Heading) {
            tblPreventivo->setItem(r, BcCode, cell(l.text, false));
            tblPreventivo->setSpan(r, 0, 1, BcColumns);
            previousSum = 0;
        } else {
            const qint64 before = l.kind == LineKind::Item ? m_statement.previous().value(l.code) : previousSum;
            previousSum += l.kind == LineKind::Item ? before : 0;
            tblPreventivo->setItem(r, BcCode, cell(l.code, false));
            tblPreventivo->setItem(r, BcText, cell(l.text, false));
            tblPreventivo->setItem(r, BcBudget, cell(amountOf(l.budget), true, l.kind == LineKind::Item));
            tblPreventivo->setItem(r, BcPrevious, cell(CashStatement::amount(before), true));
        }
        styleRow(tblPreventivo, r, l.kind, false, l.income);
    }
    m_filling = false;
    refresh();
}

// The totals of the budget page and the whole comparison page, after a change.
void TfrmPreventivo::refresh()
{
    m_filling = true;
    const QList<BudgetComparison::Line> lines = BudgetComparison::lines(m_statement, m_items);
    tblConfronto->clearSpans();
    tblConfronto->setRowCount(int(lines.size()));
    for (int r = 0; r < lines.size(); ++r) {
        const BudgetComparison::Line &l = lines.at(r);
        if (l.kind == LineKind::Total && r < tblPreventivo->rowCount())
            tblPreventivo->item(r, BcBudget)->setText(amountOf(l.budget));
        if (l.kind == LineKind::Heading) {
            tblConfronto->setItem(r, CcCode, cell(l.text, false));
            tblConfronto->setSpan(r, 0, 1, CcColumns);
        } else {
            tblConfronto->setItem(r, CcCode, cell(l.code, false));
            tblConfronto->setItem(r, CcText, cell(l.text, false));
            tblConfronto->setItem(r, CcBudget, cell(amountOf(l.budget), true));
            tblConfronto->setItem(r, CcActual, cell(CashStatement::amount(l.actual), true));
            tblConfronto->setItem(r, CcDifference,
                                  cell(l.budget ? CashStatement::amount(l.difference()) : QString(), true));
            tblConfronto->setItem(r, CcPercent, cell(BudgetComparison::percentText(l), true));
            tblConfronto->setItem(r, CcOver, cell(l.over() ? QStringLiteral("oltre") : QString(), false));
        }
        styleRow(tblConfronto, r, l.kind, l.over(), l.income);
    }
    m_filling = false;
}

void TfrmPreventivo::budgetTyped(int row, int column)
{
    if (m_filling || column != BcBudget)
        return;
    const QString code = tblPreventivo->item(row, BcCode)->text();
    if (!StatementItems::find(code))
        return;
    const QString typed = TextRules::trim(tblPreventivo->item(row, BcBudget)->text());
    std::optional<qint64> cents;
    if (!typed.isEmpty()) {
        // Typed amounts may carry the thousands' dots the table shows.
        const auto v = TextRules::parseAmount(QString(typed).remove(QLatin1Char('.')));
        if (!v || !(std::fabs(*v) < 1e12)) {
            UiPlatform::warning(this, QStringLiteral("\"%1\" non è un importo: indicare per esempio 1250,00.").arg(typed));
            m_filling = true;
            tblPreventivo->item(row, BcBudget)
                ->setText(m_items.contains(code) ? CashStatement::amount(m_items.value(code)) : QString());
            m_filling = false;
            return;
        }
        cents = qint64(std::llround(*v * 100));
    }
    if (cents)
        m_items[code] = *cents;
    else
        m_items.remove(code);
    m_filling = true;
    tblPreventivo->item(row, BcBudget)->setText(amountOf(cents));
    m_filling = false;
    m_dirty = true;
    refresh();
}

void TfrmPreventivo::btnProponiClick()
{
    if (!m_items.isEmpty() &&
        !UiPlatform::ask(this, QStringLiteral("Sostituire il preventivo mostrato con le cifre effettive del %1?")
                                   .arg(m_year - 1)))
        return;
    m_items = Budget::proposal(m_statement.previous());
    if (m_items.isEmpty())
        UiPlatform::information(this, QStringLiteral("Nel %1 non risultano cifre effettive classificate da proporre.")
                                          .arg(m_year - 1));
    m_dirty = true;
    fillBudget();
}

bool TfrmPreventivo::btnSalvaClick()
{
    if (m_damaged &&
        !UiPlatform::ask(this, QStringLiteral("Il file %1 è danneggiato (%2): salvando, i preventivi che conteneva "
                                              "andranno persi e resterà solo quello del %3.")
                                       .arg(Budget::fileName(), m_problem)
                                       .arg(m_year) +
                                   UiPlatform::kCrLfCrLf + QStringLiteral("Sovrascrivere il file?")))
        return false;
    Budget next = m_budget;
    next.setYear(m_year, m_items);
    QString error;
    if (!next.save(Platform::folder().path(), &error)) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è stato possibile scrivere il file %1 (%2).")
                                        .arg(Budget::fileName(), error) +
                                    UiPlatform::kLfCrLfCr + YearSettings::advice());
        return false;
    }
    m_budget = next;
    m_damaged = false;
    lblAvviso->clear();
    m_dirty = false;
    UiPlatform::information(this, QStringLiteral("Il preventivo del %1 è stato salvato nel file %2.")
                                      .arg(m_year)
                                      .arg(Budget::fileName()));
    return true;
}

void TfrmPreventivo::btnStampaClick()
{
    const QList<BudgetComparison::Line> lines = BudgetComparison::lines(m_statement, m_items);
    if (tabPagine->currentIndex() == BudgetPage)
        PrinterOutput::current().preview(this, BudgetReport::budget(m_year, lines, m_ente));
    else
        PrinterOutput::current().preview(
            this, BudgetReport::comparison(m_year, lines, m_ente, Platform::clock().today()));
}

void TfrmPreventivo::btnEsportaClick()
{
    const ExportDescription d = BudgetReport::comparisonSheet(m_year, BudgetComparison::lines(m_statement, m_items));
    const bool workbook = optXlsx->isChecked();
    const QString name = workbook ? XlsxWorkbook::fileName(d.fileName) : d.fileName;
    const QString path = Platform::folder().file(name);
    QString error;
    if (!(workbook ? XlsxWorkbook::save(path, d, &error) : ExportDocument::save(path, d, &error))) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è stato possibile scrivere il file %1 (%2).")
                                        .arg(name, error) +
                                    UiPlatform::kLfCrLfCr + YearSettings::advice());
        return;
    }
    if (UiPlatform::ask(this, QStringLiteral("Il confronto tra preventivo e consuntivo è stato esportato nel file %1.")
                                      .arg(name) +
                                  UiPlatform::kCrLfCrLf + QStringLiteral("Aprire il file adesso?")))
        Platform::shell().open(QUrl::fromLocalFile(path));
}

void TfrmPreventivo::closeEvent(QCloseEvent *e)
{
    if (m_dirty && UiPlatform::ask(this, QStringLiteral("Il preventivo è stato modificato. Salvarlo nel file %1 "
                                                        "prima di uscire?")
                                             .arg(Budget::fileName()))) {
        if (!btnSalvaClick()) {
            e->ignore();
            return;
        }
    }
    m_dirty = false;
    FixedDialog::closeEvent(e);
}

bool TfrmPreventivo::eventFilter(QObject *watched, QEvent *e)
{
    StatementLook::followHints(m_hints, panInfo, watched, e);
    return FixedDialog::eventFilter(watched, e);
}

void TfrmPreventivo::paintEvent(QPaintEvent *e)
{
    StatementLook::paintBackground(this);
    FixedDialog::paintEvent(e);
}
