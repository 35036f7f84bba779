#include "TfrmImportaEstratto.h"

#include "ProposalModel.h"

#include "bank/BankText.h"
#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/RowList.h"
#include "common/ui/TfrmGuida.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTableWidget>

using Form::Kind;

namespace {

// The proposal of a row is changed through a choice of the actions it allows.
class ActionDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *combo = new QComboBox(parent);
        combo->addItems(static_cast<const ProposalModel *>(index.model())->actionChoices(index.row()));
        return combo;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *combo = static_cast<QComboBox *>(editor);
        combo->setCurrentIndex(std::max(0, combo->findText(index.data(Qt::EditRole).toString())));
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QComboBox *>(editor)->currentText(), Qt::EditRole);
    }
};

constexpr int kPreviewRows = 12;

} // namespace

TfrmImportaEstratto::TfrmImportaEstratto(QWidget *parent)
    : FixedDialog(QStringLiteral(" Quintara - Importa estratto conto"), QSize(1000, 760), parent)
{
    auto c = Form::build(this, {
        {"imgIcona", Kind::Picture, {}, 20, 14, 44, 44, "import_data"},
        {"lblTitolo", Kind::Bold, QStringLiteral("Importa estratto conto"), 76, 14, 500, 22},
        {"lblAnno", Kind::Label, {}, 76, 38, 600, 20},
        {"btnScegli", Kind::Button, QStringLiteral("Scegli il file..."), 20, 70, 180, 34},
        {"lblFile", Kind::Label, QStringLiteral("File CSV, XLSX, XLS, CBI o camt.053 scaricato dalla banca."), 214, 70,
         766, 34},
        {"lblColonne", Kind::Bold, QStringLiteral("Colonne del file"), 20, 114, 400, 20},
        {"btnColonne", Kind::Button, QStringLiteral("Usa queste colonne"), 780, 110, 200, 28},
        {"lblRighe", Kind::Bold, QStringLiteral("Righe dell'estratto conto e proposte"), 20, 296, 600, 20},
        {"lblRiepilogo", Kind::Label, {}, 20, 548, 960, 20},
        {"lblSaldo", Kind::Bold, QStringLiteral("Saldo dell'estratto conto al"), 20, 582, 230, 30},
        {"txtDataSaldo", Kind::Edit, {}, 250, 582, 120, 30, nullptr, 10},
        {"lblEuro", Kind::Bold, QStringLiteral("€"), 382, 582, 20, 30},
        {"txtSaldo", Kind::Edit, {}, 402, 582, 150, 30, nullptr, 16},
        {"btnRiconcilia", Kind::Button, QStringLiteral("Riconcilia"), 566, 580, 150, 34},
        {"lblRiconciliazione", Kind::Label, {}, 20, 618, 420, 80},
        {"lstSpiegazioni", Kind::List, {}, 450, 618, 530, 80},
        {"btnRegistra", Kind::Button, QStringLiteral("Registra"), 20, 712, 150, 36},
        {"btnGuida", Kind::Button, QStringLiteral("Guida"), 190, 712, 110, 36},
        {"btnChiudi", Kind::Button, QStringLiteral("Chiudi"), 870, 712, 110, 36},
    });
    btnScegli = c.get<QPushButton>(QStringLiteral("btnScegli"));
    lblFile = c.get<QLabel>(QStringLiteral("lblFile"));
    btnColonne = c.get<QPushButton>(QStringLiteral("btnColonne"));
    lblRiepilogo = c.get<QLabel>(QStringLiteral("lblRiepilogo"));
    txtDataSaldo = c.get<FieldEdit>(QStringLiteral("txtDataSaldo"));
    txtSaldo = c.get<FieldEdit>(QStringLiteral("txtSaldo"));
    btnRiconcilia = c.get<QPushButton>(QStringLiteral("btnRiconcilia"));
    lblRiconciliazione = c.get<QLabel>(QStringLiteral("lblRiconciliazione"));
    lstSpiegazioni = c.get<RowList>(QStringLiteral("lstSpiegazioni"));
    btnRegistra = c.get<QPushButton>(QStringLiteral("btnRegistra"));
    btnChiudi = c.get<QPushButton>(QStringLiteral("btnChiudi"));
    m_lblAnno = c.get<QLabel>(QStringLiteral("lblAnno"));
    lblFile->setWordWrap(true);
    lblRiconciliazione->setWordWrap(true);
    lblRiconciliazione->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtDataSaldo->setAllowedCharacters(QStringLiteral("0123456789/"));
    txtSaldo->setAllowedCharacters(QStringLiteral("0123456789,.-"));

    // The two tables have no kind of their own in the builder: made here, in the same places.
    tblColonne = new QTableWidget(this);
    tblColonne->setObjectName(QStringLiteral("tblColonne"));
    tblColonne->setGeometry(20, 140, 960, 148);
    tblColonne->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblColonne->verticalHeader()->setDefaultSectionSize(22);
    tblProposte = new QTableView(this);
    tblProposte->setObjectName(QStringLiteral("tblProposte"));
    tblProposte->setGeometry(20, 320, 960, 222);
    tblProposte->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblProposte->setSelectionMode(QAbstractItemView::SingleSelection);
    tblProposte->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                 QAbstractItemView::EditKeyPressed);
    tblProposte->verticalHeader()->hide();
    tblProposte->verticalHeader()->setDefaultSectionSize(22);
    tblProposte->setItemDelegateForColumn(ProposalModel::Action, new ActionDelegate(tblProposte));

    for (auto *b : {btnScegli, btnColonne, btnRiconcilia, btnRegistra, btnChiudi})
        b->setAutoDefault(false);
    auto *help = c.get<QPushButton>(QStringLiteral("btnGuida"));
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { TfrmGuida::open(this, HelpPage::BankImport); });
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    connect(btnScegli, &QPushButton::clicked, this, &TfrmImportaEstratto::btnScegliClick);
    connect(btnColonne, &QPushButton::clicked, this, &TfrmImportaEstratto::btnColonneClick);
    connect(btnRegistra, &QPushButton::clicked, this, &TfrmImportaEstratto::btnRegistraClick);
    connect(btnRiconcilia, &QPushButton::clicked, this, &TfrmImportaEstratto::btnRiconciliaClick);
    setYear(Platform::clock().today().year(), {});
}

TfrmImportaEstratto::~TfrmImportaEstratto()
{
    tblProposte->setModel(nullptr);
}

void TfrmImportaEstratto::open(QWidget *owner, int year, const QString &yearFile)
{
    openDialog<TfrmImportaEstratto>(owner, [&](TfrmImportaEstratto &d) { d.setYear(year, yearFile); });
}

void TfrmImportaEstratto::setYear(int year, const QString &yearFile)
{
    tblProposte->setModel(nullptr);
    delete m_model;
    m_session = std::make_unique<ImportSession>(Platform::folder().path(), year, yearFile);
    m_model = new ProposalModel(*m_session, this);
    tblProposte->setModel(m_model);
    connect(m_model, &ProposalModel::proposalsChanged, this, [this] { showRows(); });
    m_lblAnno->setText(QStringLiteral("Nel registro movimenti dell'anno %1.").arg(year));
    showColumns();
    showRows();
}

void TfrmImportaEstratto::btnScegliClick()
{
    const QString path = UiPlatform::files().openFile(
        this, QStringLiteral("Scegli l'estratto conto"),
        QStringLiteral("Estratti conto (*.csv *.txt *.xlsx *.xls *.xml *.cbi);;Tutti i file (*)"));
    if (!path.isEmpty())
        openFile(path);
}

void TfrmImportaEstratto::openFile(const QString &path)
{
    lblFile->setText(path);
    const bool read = m_session->open(path);
    m_model->reload();
    showColumns();
    if (!read) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: il file non può essere importato.") + UiPlatform::kCrLfCrLf +
                                      m_session->error());
        return;
    }
    const BankStatement &s = m_session->statement();
    if (s.closing) {
        txtDataSaldo->setText(TextRules::formatDate(s.closing->date));
        txtSaldo->setText(BankText::formatCents(s.closing->cents));
    } else if (!s.rows.isEmpty()) {
        txtDataSaldo->setText(TextRules::formatDate(s.rows.last().booking));
        txtSaldo->clear();
    }
    showProblems();
}

void TfrmImportaEstratto::showProblems()
{
    const BankStatement &s = m_session->statement();
    if (!m_session->error().isEmpty())
        UiPlatform::warning(this, m_session->error());
    else if (!s.refused.isEmpty())
        UiPlatform::warning(this, QStringLiteral("Attenzione: alcune righe del file non sono leggibili, e finché ci "
                                                 "sono non si registra nulla.") +
                                      UiPlatform::kCrLfCrLf + s.problemText());
}

void TfrmImportaEstratto::showColumns()
{
    tblColonne->clear();
    const bool table = m_session && m_session->isTable() && !m_session->file().grid.rows.isEmpty();
    tblColonne->setEnabled(table);
    btnColonne->setEnabled(table);
    if (!table) {
        tblColonne->setRowCount(0);
        tblColonne->setColumnCount(0);
        return;
    }
    const SheetGrid &grid = m_session->file().grid;
    const ColumnMapping &m = m_session->mapping();
    const int columns = int(std::min<qsizetype>(grid.columnCount(), 40));
    const int first = std::max(0, m.headerRow);
    const int rows = int(std::min<qsizetype>(grid.rows.size() - first, kPreviewRows));
    tblColonne->setColumnCount(columns);
    tblColonne->setRowCount(rows + 1);
    tblColonne->setVerticalHeaderLabels(QStringList{QStringLiteral("Contiene")} + [&] {
        QStringList lines;
        for (int r = 0; r < rows; ++r)
            lines.append(QString::number(grid.rows[first + r].line));
        return lines;
    }());
    for (int col = 0; col < columns; ++col) {
        auto *combo = new QComboBox(tblColonne);
        combo->setObjectName(QStringLiteral("cmbColonna%1").arg(col + 1));
        for (int role = 0; role < ColumnMapping::kRoleCount; ++role)
            combo->addItem(ColumnMapping::roleName(ColumnMapping::Role(role)), role);
        combo->setCurrentIndex(int(m.columns.value(col, ColumnMapping::Role::None)));
        tblColonne->setCellWidget(0, col, combo);
        for (int r = 0; r < rows; ++r)
            tblColonne->setItem(r + 1, col, new QTableWidgetItem(grid.rows[first + r].cell(col)));
    }
    tblColonne->resizeColumnsToContents();
}

void TfrmImportaEstratto::btnColonneClick()
{
    ColumnMapping m;
    m.headerRow = m_session->mapping().headerRow;
    for (int col = 0; col < tblColonne->columnCount(); ++col) {
        const auto *combo = qobject_cast<QComboBox *>(tblColonne->cellWidget(0, col));
        m.columns.append(ColumnMapping::Role(combo ? combo->currentData().toInt() : 0));
    }
    if (!m_session->setMapping(m, true)) {
        UiPlatform::warning(this, m_session->error());
        return;
    }
    m_model->reload();
    showColumns();
    showProblems();
}

void TfrmImportaEstratto::showRows()
{
    if (!m_session)
        return;
    const auto n = m_session->counts();
    lblRiepilogo->setText(m_session->proposals().isEmpty()
                              ? QStringLiteral("Nessuna riga da mostrare.")
                              : QStringLiteral("Righe: %1. Da segnare come saldate: %2; nuovi movimenti: %3; non "
                                               "registrate: %4; già importate: %5.")
                                    .arg(m_session->proposals().size())
                                    .arg(n.settle)
                                    .arg(n.create)
                                    .arg(n.skip)
                                    .arg(n.imported));
    btnRegistra->setEnabled(n.settle + n.create > 0 && m_session->statement().whole());
    tblProposte->resizeColumnToContents(ProposalModel::Line);
    tblProposte->setColumnWidth(ProposalModel::Date, 84);
    tblProposte->setColumnWidth(ProposalModel::Amount, 90);
    tblProposte->setColumnWidth(ProposalModel::Description, 260);
    tblProposte->setColumnWidth(ProposalModel::Action, 140);
    tblProposte->setColumnWidth(ProposalModel::Causale, 170);
    tblProposte->horizontalHeader()->setStretchLastSection(true);
}

void TfrmImportaEstratto::btnRegistraClick()
{
    const auto n = m_session->counts();
    if (!UiPlatform::ask(this, QStringLiteral("Registrare le proposte?\n\nPagamenti da segnare come saldati: %1\nNuovi movimenti: %2")
                                   .arg(n.settle)
                                   .arg(n.create)))
        return;
    const ImportWrite::Outcome o = m_session->record();
    m_model->reload();
    if (o.status == ImportWrite::Outcome::Status::Written)
        UiPlatform::information(this, ImportWrite::message(o));
    else
        UiPlatform::warning(this, ImportWrite::message(o));
}

void TfrmImportaEstratto::btnRiconciliaClick()
{
    const auto date = TextRules::parseDate(TextRules::trim(txtDataSaldo->text()));
    if (!date) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: indicare la data del saldo nel formato gg/mm/aaaa."));
        txtDataSaldo->setFocus(Qt::OtherFocusReason);
        return;
    }
    const auto cents = BankText::parseCents(txtSaldo->text());
    if (!cents) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: indicare il saldo dell'estratto conto, per esempio 1.234,56."));
        txtSaldo->setFocus(Qt::OtherFocusReason);
        return;
    }
    const Reconciliation r = m_session->reconcile(*date, *cents);
    QString text = QStringLiteral("Saldo dell'estratto conto: € %1\nSaldo della banca nel programma: € %2\nDifferenza: € %3")
                       .arg(BankText::formatCents(r.statementCents), BankText::formatCents(r.programCents),
                            BankText::formatCents(r.difference()));
    if (!r.openingKnown)
        text += QStringLiteral("\n(saldo iniziale della banca non indicato nel rendiconto)");
    lblRiconciliazione->setText(text);
    QList<ListRow> rows;
    if (r.difference() == 0)
        rows.append({QStringLiteral("I saldi coincidono."), 0});
    else if (r.explaining.isEmpty())
        rows.append({QStringLiteral("Nessun movimento della banca non saldato o successivo: la differenza "
                                    "viene da movimenti non registrati."),
                     0});
    for (const StoredMovement &m : r.explaining) {
        if (r.difference() == 0)
            break;
        const bool settled = TextRules::trim(m.record.Saldato) == kYes;
        rows.append({QStringLiteral("n. %1  %2  %3  € %4  %5")
                         .arg(m.position)
                         .arg(TextRules::trim(m.record.Data), TextRules::trim(m.record.Causale),
                              BankText::formatCents(BankImport::signedCents(m.record).value_or(0)),
                              settled ? QStringLiteral("saldato dopo il giorno del saldo")
                                      : QStringLiteral("non saldato")),
                     m.position});
    }
    lstSpiegazioni->setRows(RowTable::fromRows(rows), QSize());
}
