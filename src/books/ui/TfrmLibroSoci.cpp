#include "TfrmLibroSoci.h"

#include "books/MemberRegister.h"
#include "common/ArchivePaths.h"
#include "common/Platform.h"
#include "common/HelpPage.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/TfrmGuida.h"
#include "common/ui/UiPlatform.h"
#include "members/MemberArchive.h"
#include "output/ui/ExportProcedure.h"
#include "output/ui/PrinterOutput.h"
#include "common/EnteData.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace {

const QSize kClient(1000, 640);
// Each column's width on screen, in the order of RegisterList::headers().
constexpr int kWidths[] = {36, 140, 120, 160, 130, 80, 78, 52, 78, 66};

} // namespace

TfrmLibroSoci::TfrmLibroSoci(QWidget *parent)
    : FixedDialog(QStringLiteral(" Libro soci"), kClient, parent)
{
    setObjectName(QStringLiteral("TfrmLibroSoci"));
    using K = Form::Kind;
    Form::Controls c = Form::build(this, {
        {"lblTitolo", K::Bold, QStringLiteral("Libro soci"), 16, 12, 300, 24},
        {"optTutti", K::Radio, QStringLiteral("Tutti i soci iscritti"), 16, 46, 180, 20},
        {"optInCarica", K::Radio, QStringLiteral("Soci in carica al giorno:"), 200, 46, 196, 20},
        {"txtData", K::Edit, {}, 398, 43, 100, 24, nullptr, 10},
        {"optUsciti", K::Radio, QStringLiteral("Soci usciti"), 520, 46, 120, 20},
        {"titTrova", K::Label, QStringLiteral("Cerca:"), 660, 46, 50, 20},
        {"txtTrova", K::Edit, {}, 712, 43, 170, 24, nullptr, 50},
        {"btnTrova", K::Button, QStringLiteral("Trova"), 890, 40, 94, 30},
        {"lblStato", K::Label, {}, 16, 552, 968, 22},
        {"btnChiudi", K::Button, QStringLiteral("Chiudi"), 16, 590, 110, 36},
        {"btnGuida", K::Button, QStringLiteral("Guida"), 136, 590, 110, 36},
        {"btnStampa", K::Button, QStringLiteral("Stampa"), 500, 590, 110, 36},
        {"optXls", K::Radio, QStringLiteral("Microsoft Excel (.xls)"), 630, 591, 220, 16},
        {"optXlsx", K::Radio, QStringLiteral("Excel 2007 e successivi (.xlsx)"), 630, 609, 220, 16},
        {"btnEsporta", K::Button, QStringLiteral("Esporta"), 874, 590, 110, 36},
    });
    optTutti = c.get<QRadioButton>(QStringLiteral("optTutti"));
    optInCarica = c.get<QRadioButton>(QStringLiteral("optInCarica"));
    optUsciti = c.get<QRadioButton>(QStringLiteral("optUsciti"));
    txtData = c.get<FieldEdit>(QStringLiteral("txtData"));
    txtTrova = c.get<FieldEdit>(QStringLiteral("txtTrova"));
    btnTrova = c.get<QPushButton>(QStringLiteral("btnTrova"));
    lblStato = c.get<QLabel>(QStringLiteral("lblStato"));
    btnChiudi = c.get<QPushButton>(QStringLiteral("btnChiudi"));
    btnStampa = c.get<QPushButton>(QStringLiteral("btnStampa"));
    optXls = c.get<QRadioButton>(QStringLiteral("optXls"));
    optXlsx = c.get<QRadioButton>(QStringLiteral("optXlsx"));
    btnEsporta = c.get<QPushButton>(QStringLiteral("btnEsporta"));

    // The format choice is a group of its own, apart from the filters.
    auto *formats = new QWidget(this);
    formats->setGeometry(630, 590, 220, 38);
    for (QRadioButton *o : {optXls, optXlsx}) {
        const QRect g = o->geometry();
        o->setParent(formats);
        o->setGeometry(g.translated(-630, -590));
    }
    optXls->setChecked(true);
    optTutti->setChecked(true);

    tblSoci = new QTableWidget(this);
    tblSoci->setObjectName(QStringLiteral("tblSoci"));
    tblSoci->setGeometry(16, 80, 968, 464);
    const QStringList heads = RegisterList::headers();
    tblSoci->setColumnCount(int(heads.size()));
    tblSoci->setHorizontalHeaderLabels(heads);
    for (int i = 0; i < heads.size(); ++i)
        tblSoci->setColumnWidth(i, kWidths[i]);
    tblSoci->verticalHeader()->hide();
    tblSoci->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblSoci->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblSoci->setSelectionMode(QAbstractItemView::SingleSelection);
    tblSoci->setWordWrap(false);

    txtData->setAllowedCharacters(QStringLiteral("0123456789/"));
    txtData->setText(TextRules::formatDate(Platform::clock().today()));

    for (QRadioButton *o : {optTutti, optInCarica, optUsciti})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                applyFilter();
        });
    connect(txtData, &FieldEdit::enterPressed, this, [this] {
        optInCarica->setChecked(true);
        applyFilter();
    });
    connect(txtTrova, &FieldEdit::enterPressed, this, &TfrmLibroSoci::applyFilter);
    connect(btnTrova, &QPushButton::clicked, this, &TfrmLibroSoci::applyFilter);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmLibroSoci::btnStampaClick);
    connect(btnEsporta, &QPushButton::clicked, this, &TfrmLibroSoci::btnEsportaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    connect(c.get<QPushButton>(QStringLiteral("btnGuida")), &QPushButton::clicked, this,
            [this] { TfrmGuida::open(this, HelpPage::MemberRegister); });
    connect(tblSoci, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { rowChosen(row); });
}

std::optional<StoredMember> TfrmLibroSoci::choose(QWidget *owner)
{
    return runDialog<TfrmLibroSoci>(owner, [](TfrmLibroSoci &) {}, [](const TfrmLibroSoci &w) { return w.chosen(); });
}

void TfrmLibroSoci::showEvent(QShowEvent *e)
{
    FixedDialog::showEvent(e);
    load();
}

RegisterList::Query TfrmLibroSoci::query() const
{
    RegisterList::Query q;
    q.filter = optInCarica->isChecked() ? RegisterList::Filter::InForce
               : optUsciti->isChecked() ? RegisterList::Filter::Left
                                        : RegisterList::Filter::All;
    q.day = TextRules::parseDate(TextRules::trim(txtData->text())).value_or(QDate());
    q.search = txtTrova->text();
    return q;
}

void TfrmLibroSoci::load()
{
    const auto rows = RegisterList::read(MemberRegister::path(), ArchivePaths::members());
    m_readable = rows.ok();
    m_all = rows ? *rows : QList<RegisterList::Row>();
    if (!m_readable) {
        m_shown.clear();
        tblSoci->setRowCount(0);
        lblStato->setText(QStringLiteral("Il libro soci non si può leggere: %1.").arg(rows.error()));
        lblStato->setStyleSheet(QStringLiteral("color: #B01E1E;"));
        for (QPushButton *b : {btnStampa, btnEsporta, btnTrova})
            b->setEnabled(false);
        return;
    }
    applyFilter();
}

void TfrmLibroSoci::applyFilter()
{
    if (!m_readable)
        return;
    const RegisterList::Query q = query();
    if (q.filter == RegisterList::Filter::InForce && !q.day.isValid()) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: indicare il giorno nel formato gg/mm/aaaa."));
        txtData->setFocus();
        return;
    }
    m_shown = RegisterList::select(m_all, q);
    tblSoci->setRowCount(int(m_shown.size()));
    for (int r = 0; r < m_shown.size(); ++r) {
        const QStringList cells = m_shown[r].cells();
        for (int col = 0; col < cells.size(); ++col) {
            auto *item = new QTableWidgetItem(cells[col]);
            if (col == 0 || col == 7)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblSoci->setItem(r, col, item);
        }
    }
    lblStato->setStyleSheet(QString());
    lblStato->setText(QStringLiteral("%1: %2 soci su %3 iscritti.").arg(RegisterList::title(q)).arg(m_shown.size()).arg(m_all.size()));
}

void TfrmLibroSoci::btnStampaClick()
{
    QString error;
    const auto ente = EnteData::load(Platform::folder().path(), &error);
    if (!ente) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è possibile leggere il file %1 (%2).")
                                    .arg(EnteData::fileName(), error));
        return;
    }
    PrinterOutput::current().preview(this, RegisterList::report(m_shown, RegisterList::title(query()), *ente));
}

void TfrmLibroSoci::btnEsportaClick()
{
    ExportProcedure::run(this, RegisterList::exportDescription(m_shown),
                         optXlsx->isChecked() ? ExportProcedure::Format::Xlsx : ExportProcedure::Format::Xls);
}

void TfrmLibroSoci::rowChosen(int row)
{
    if (row < 0 || row >= m_shown.size())
        return;
    const auto member = MemberArchive().read(m_shown[row].entry.position);
    if (!member) {
        UiPlatform::error(this, QStringLiteral("Attenzione: la scheda del socio non si può leggere (%1).").arg(member.error()));
        return;
    }
    m_chosen = *member;
    close();
}
