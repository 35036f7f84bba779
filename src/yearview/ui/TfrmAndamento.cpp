#include "TfrmAndamento.h"

#include "ChartView.h"
#include "TfrmPreventivo.h"
#include "YearSettings.h"

#include "common/HelpPage.h"
#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmGuida.h"
#include "common/ui/UiPlatform.h"
#include "output/ui/PrinterOutput.h"
#include "statement/ui/StatementLook.h"
#include "yearview/YearReport.h"

#include <QHeaderView>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>

using Form::Kind;

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 720;

QString tabName(YearChart::Which which)
{
    switch (which) {
    case YearChart::Which::Months:
        return QStringLiteral("Entrate e uscite");
    case YearChart::Which::Balance:
        return QStringLiteral("Cassa e banca");
    case YearChart::Which::Items:
        return QStringLiteral("Voci maggiori");
    case YearChart::Which::Members:
        return QStringLiteral("Soci");
    }
    return {};
}

} // namespace

TfrmAndamento::TfrmAndamento(QWidget *parent)
    : FixedDialog(QStringLiteral(" Quintara - Andamento dell'anno"), QSize(kWidth, kHeight), parent)
{
    buildControls();
}

void TfrmAndamento::buildControls()
{
    Form::Controls c;
    Form::build(this,
                {
                    {"lblTitolo", Kind::Bold, QStringLiteral("Andamento dell'anno"), 14, 14, 600, 40},
                    {"imgGuida", Kind::PictureButton, {}, 950, 18, 36, 36, "help"},
                    {"titAnno", Kind::Bold, QStringLiteral("Anno:"), 14, 70, 50, 20},
                    {"txtAnno", Kind::Edit, {}, 66, 66, 70, 26, nullptr, 4},
                    {"btnAggiorna", Kind::Button, QStringLiteral("Aggiorna"), 148, 64, 110, 30},
                    {"shpComandi", Kind::Shape, {}, 12, 650, 976, 60},
                    {"btnEsci", Kind::Button, QStringLiteral("Esci"), 26, 662, 100, 36},
                    {"panInfo", Kind::Label, {}, 136, 662, 250, 36},
                    {"btnPreventivo", Kind::Button, QStringLiteral("Preventivo"), 392, 662, 120, 36},
                    {"btnConfronto", Kind::Button, QStringLiteral("Preventivo e consuntivo"), 520, 662, 190, 36},
                    {"btnImmagine", Kind::Button, QStringLiteral("Salva immagine"), 718, 662, 130, 36},
                    {"btnStampa", Kind::Button, QStringLiteral("Stampa"), 856, 662, 118, 36},
                },
                c);
    txtAnno = c.get<FieldEdit>(QStringLiteral("txtAnno"));
    btnAggiorna = c.get<QPushButton>(QStringLiteral("btnAggiorna"));
    imgGuida = c.get<PictureButton>(QStringLiteral("imgGuida"));
    panInfo = c.get<QLabel>(QStringLiteral("panInfo"));
    btnEsci = c.get<QPushButton>(QStringLiteral("btnEsci"));
    btnPreventivo = c.get<QPushButton>(QStringLiteral("btnPreventivo"));
    btnConfronto = c.get<QPushButton>(QStringLiteral("btnConfronto"));
    btnImmagine = c.get<QPushButton>(QStringLiteral("btnImmagine"));
    btnStampa = c.get<QPushButton>(QStringLiteral("btnStampa"));
    auto *title = c.get<QLabel>(QStringLiteral("lblTitolo"));
    QFont big = title->font();
    big.setPointSize(18);
    title->setFont(big);
    for (const char *name : {"lblTitolo", "titAnno"})
        c.get<QLabel>(QString::fromLatin1(name))->setStyleSheet(QStringLiteral("color: %1;").arg(Palette::navy.name()));
    c.widget(QStringLiteral("shpComandi"))
        ->setStyleSheet(QStringLiteral("QWidget#shpComandi { background: %1; border-radius: 8px; }")
                            .arg(Palette::navy.name()));
    panInfo->setStyleSheet(QStringLiteral("color: white;"));
    panInfo->setWordWrap(true);
    txtAnno->setAllowedCharacters(QStringLiteral("0123456789"));
    txtAnno->setContextMenuPolicy(Qt::NoContextMenu);
    txtAnno->setAcceptDrops(false);

    tabGrafici = new QTabWidget(this);
    tabGrafici->setObjectName(QStringLiteral("tabGrafici"));
    tabGrafici->setGeometry(12, 102, 976, 430);
    for (const YearChart::Which which : YearChart::kAll) {
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("pag") + YearChart::slug(which));
        auto *chart = new ChartView(which, page);
        chart->setObjectName(QStringLiteral("grf") + YearChart::slug(which));
        chart->setGeometry(6, 6, 630, 388);
        auto *table = new QTableView(page);
        table->setObjectName(QStringLiteral("tbl") + YearChart::slug(which));
        table->setGeometry(642, 6, 322, 388);
        table->verticalHeader()->setVisible(false);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setAlternatingRowColors(true);
        table->setWordWrap(false);
        table->setStyleSheet(QStringLiteral("QTableView { background: white; alternate-background-color: %1; }"
                                            "QHeaderView::section { background: %2; color: white; font-weight: bold; "
                                            "padding: 3px; border: none; }")
                                 .arg(QColor(0xF3, 0xF8, 0xFD).name(), Palette::navy.name()));
        auto *model = new QStandardItemModel(this);
        table->setModel(model);
        charts.append(chart);
        tables.append(table);
        m_models.append(model);
        tabGrafici->addTab(page, tabName(which));
    }
    txtAvvisi = new QTextEdit(this);
    txtAvvisi->setObjectName(QStringLiteral("txtAvvisi"));
    txtAvvisi->setReadOnly(true);
    txtAvvisi->setGeometry(12, 538, 976, 104);

    m_hints = {
        {btnAggiorna, QStringLiteral("Legge i movimenti dell'anno indicato e dell'anno precedente.")},
        {btnPreventivo, QStringLiteral("Il bilancio preventivo dell'anno, voce per voce.")},
        {btnConfronto, QStringLiteral("Il preventivo dell'anno accanto alle cifre effettive.")},
        {btnImmagine, QStringLiteral("Salva il grafico mostrato come immagine PNG.")},
        {btnStampa, QStringLiteral("Mostra l'anteprima di stampa dei grafici.")},
        {btnEsci, QStringLiteral("Chiude l'andamento dell'anno.")},
        {imgGuida, QStringLiteral("Guida all'andamento dell'anno e al preventivo.")},
    };
    for (QObject *o : m_hints.keys())
        o->installEventFilter(this);

    connect(txtAnno, &FieldEdit::enterPressed, this, &TfrmAndamento::btnAggiornaClick);
    connect(btnAggiorna, &QPushButton::clicked, this, &TfrmAndamento::btnAggiornaClick);
    connect(btnImmagine, &QPushButton::clicked, this, &TfrmAndamento::btnImmagineClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmAndamento::btnStampaClick);
    connect(btnPreventivo, &QPushButton::clicked, this, &TfrmAndamento::btnPreventivoClick);
    connect(btnConfronto, &QPushButton::clicked, this, &TfrmAndamento::btnConfrontoClick);
    connect(btnEsci, &QPushButton::clicked, this, &QDialog::close);
    connect(imgGuida, &QAbstractButton::clicked, this, [this] { TfrmGuida::open(this, HelpPage::YearView); });
}

void TfrmAndamento::open(QWidget *opener, int year)
{
    const auto screen = std::make_unique<TfrmAndamento>(opener);
    if (!screen->load())
        return;
    screen->showYear(year);
    UiPlatform::modal().run(screen.get());
}

bool TfrmAndamento::load()
{
    const auto settings = YearSettings::load(this);
    if (!settings)
        return false;
    m_classification = settings->classification;
    m_ente = settings->ente;
    return true;
}

void TfrmAndamento::showYear(int year)
{
    txtAnno->setText(QString::number(year));
    YearView::Files files(Platform::folder().path());
    m_view = std::make_unique<YearView>(YearView::compute(
        year, m_classification, files, YearView::countMembers(Platform::folder().file(QStringLiteral("Soci.pro")), year)));
    for (qsizetype i = 0; i < charts.size(); ++i) {
        charts[i]->setView(m_view.get());
        const YearChart::Table t = YearChart::table(*m_view, charts[i]->which());
        QStandardItemModel *model = m_models[i];
        model->clear();
        model->setHorizontalHeaderLabels(t.heads);
        for (const QStringList &row : t.rows) {
            QList<QStandardItem *> cells;
            for (qsizetype col = 0; col < row.size(); ++col) {
                auto *item = new QStandardItem(row.at(col));
                // Figures line up on the right, names on the left.
                const bool figure = col > 0 && !(charts[i]->which() == YearChart::Which::Items && col == 1);
                item->setTextAlignment(figure ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
                cells.append(item);
            }
            model->appendRow(cells);
        }
        tables[i]->resizeColumnsToContents();
    }
    txtAvvisi->setPlainText(m_view->warnings().join(QLatin1Char('\n')));
}

void TfrmAndamento::btnAggiornaClick()
{
    const QString t = TextRules::trim(txtAnno->text());
    bool ok = false;
    const int year = t.toInt(&ok);
    if (t.size() != 4 || !ok || year < 1900) {
        UiPlatform::warning(this, QStringLiteral("Indicare un anno valido (quattro cifre)."));
        txtAnno->setFocus(Qt::OtherFocusReason);
        return;
    }
    showYear(year);
}

void TfrmAndamento::btnImmagineClick()
{
    const int i = tabGrafici->currentIndex();
    const YearChart::Which which = charts[i]->which();
    const QString suggested = QStringLiteral("Andamento%1-%2.png").arg(m_view->year()).arg(YearChart::slug(which));
    const QString path = UiPlatform::files().saveFile(this, QStringLiteral("Salva il grafico come immagine"),
                                                      QStringLiteral("Immagini PNG (*.png)"), QStringLiteral("png"),
                                                      Platform::folder().file(suggested));
    if (path.isEmpty())
        return;
    QFont font = charts[i]->font();
    font.setPixelSize(26);
    const QImage image = YearChart::image(*m_view, which, QSize(2200, 1360), font);
    QImageWriter writer(path, "png");
    if (!writer.write(image)) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è stato possibile scrivere il file %1 (%2).")
                                        .arg(path, writer.errorString()) +
                                    UiPlatform::kLfCrLfCr + YearSettings::advice());
        return;
    }
    UiPlatform::information(this, QStringLiteral("Il grafico è stato salvato nel file %1.").arg(path));
}

void TfrmAndamento::btnStampaClick()
{
    PrinterOutput::current().preview(this, YearReport::prepare(*m_view, m_ente));
}

void TfrmAndamento::btnPreventivoClick() { TfrmPreventivo::open(this, m_view->year(), TfrmPreventivo::BudgetPage); }

void TfrmAndamento::btnConfrontoClick()
{
    TfrmPreventivo::open(this, m_view->year(), TfrmPreventivo::ComparisonPage);
}

bool TfrmAndamento::eventFilter(QObject *watched, QEvent *e)
{
    StatementLook::followHints(m_hints, panInfo, watched, e);
    return FixedDialog::eventFilter(watched, e);
}

void TfrmAndamento::paintEvent(QPaintEvent *e)
{
    StatementLook::paintBackground(this);
    FixedDialog::paintEvent(e);
}
