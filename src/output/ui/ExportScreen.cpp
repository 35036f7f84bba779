#include "ExportScreen.h"

#include "ExportProcedure.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmGuida.h"
#include "common/ui/UiPlatform.h"
#include "output/ExportTableModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableView>

namespace {
const QSize kClient(862, 560);
const QSize kPanel(837, 533);
} // namespace

QString ExportScreen::startHint() { return QStringLiteral("Esportazione archivio in Microsoft Excel."); }

ExportScreen::ExportScreen(const Kind &kind, QWidget *parent)
    : FixedDialog(kind.caption, kClient, parent)
    , m_help(kind.help)
    , m_archiveOf(kind.archive)
    , m_rows(new ExportTableModel(kind.sheet, this))
{
    setObjectName(QStringLiteral("ExportScreen"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("ExportScreen { background: #EEEDED; }"));

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panContainer"));
    panel->setGeometry((kClient.width() - kPanel.width()) / 2, (kClient.height() - kPanel.height()) / 2,
                       kPanel.width(), kPanel.height());

    const QByteArray bannerName = kind.banner.toLatin1();
    Form::Controls c = Form::build(panel, {
        {"shpSfondo", Form::Kind::Shape, {}, 8, 8, 821, 65, "#ffffff"},
        {"imgLogo", Form::Kind::Picture, {}, 13, 13, 505, 55, bannerName.constData()},
        {"icoHand", Form::Kind::Picture, {}, 528, 32, 31, 25, "hand"},
        {"cmdEsporta", Form::Kind::PictureButton, {}, 566, 15, 49, 50, "spreadsheet"},
        {"cmdGuida", Form::Kind::PictureButton, {}, 670, 13, 50, 55, "export_help"},
        {"cmdEsci", Form::Kind::PictureButton, {}, 766, 15, 40, 50, "export_exit"},
        {"shpInfo", Form::Kind::Shape, {}, 8, 493, 821, 32, "#6A5ACD"},
        {"panInfo", Form::Kind::Label, startHint(), 14, 499, 600, 22},
        // The file's format, chosen at each export, on the status strip's right.
        {"optXls", Form::Kind::Radio, QStringLiteral("Microsoft Excel (.xls)"), 622, 494, 205, 15},
        {"optXlsx", Form::Kind::Radio, QStringLiteral("Excel 2007 e successivi (.xlsx)"), 622, 509, 205, 15},
    });
    cmdEsporta = c.get<PictureButton>(QStringLiteral("cmdEsporta"));
    cmdGuida = c.get<PictureButton>(QStringLiteral("cmdGuida"));
    cmdEsci = c.get<PictureButton>(QStringLiteral("cmdEsci"));
    panInfo = c.get<QLabel>(QStringLiteral("panInfo"));
    panInfo->setFont(QFont(QStringLiteral("Tahoma"), 12));
    panInfo->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    optXls = c.get<QRadioButton>(QStringLiteral("optXls"));
    optXlsx = c.get<QRadioButton>(QStringLiteral("optXlsx"));
    for (QRadioButton *option : {optXls, optXlsx}) {
        ExportProcedure::styleFormatOption(option);
        watchHint(option, QStringLiteral("Scegli il formato del file di Excel da creare."));
    }
    optXls->setChecked(true);

    grdRecords = new QTableView(panel);
    grdRecords->setModel(m_rows);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setGeometry(8, 80, 821, 409);
    grdRecords->verticalHeader()->setVisible(false);
    // Every row has the same fixed height, so the view never measures the cells
    // of rows it does not show.
    grdRecords->verticalHeader()->setMinimumSectionSize(1);
    grdRecords->verticalHeader()->setDefaultSectionSize(21);
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->setAlternatingRowColors(true);
    grdRecords->setStyleSheet(QStringLiteral("QTableView { alternate-background-color: %1; gridline-color: #C8D3E0; }")
                                  .arg(Palette::paleBlue.name()));
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed);
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRecords->horizontalHeader()->setHighlightSections(false);
    for (int i = 0; i < kind.sheet.columns.size(); ++i)
        grdRecords->setColumnWidth(i, kind.sheet.columns[i].gridWidth);
    grdRecords->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(cmdEsporta, &QAbstractButton::clicked, this, &ExportScreen::cmdEsportaClick);
    connect(cmdGuida, &QAbstractButton::clicked, this, &ExportScreen::cmdGuidaClick);
    connect(cmdEsci, &QAbstractButton::clicked, this, &QDialog::close);

    watchHint(cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    watchHint(cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    watchHint(cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro."));
    const QList<QObject *> background{this, panel, grdRecords, c.widget(QStringLiteral("shpInfo")),
                                      c.widget(QStringLiteral("shpSfondo"))};
    for (QObject *control : background)
        watchHint(control, QString());
}

void ExportScreen::watchHint(QObject *control, const QString &hint)
{
    m_hints.insert(control, hint);
    control->installEventFilter(this);
}

bool ExportScreen::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::Enter) {
        const auto it = m_hints.constFind(watched);
        if (it != m_hints.constEnd())
            panInfo->setText(it.value());
    }
    return FixedDialog::eventFilter(watched, e);
}

void ExportScreen::showEvent(QShowEvent *e)
{
    FixedDialog::showEvent(e);
    if (!e->spontaneous())
        loadRecords();
}

void ExportScreen::loadRecords()
{
    // An archive that cannot be read to its end (a link, a file the user may not
    // open, a folder in its place, a read that fails) is told at once: the grid
    // keeps the rows read, but they are not the archive, and the export refuses
    // to write them over the previous one.
    const QString path = m_archiveOf ? m_archiveOf() : m_archive;
    m_unreadable = false;
    if (path.isEmpty()) {
        m_rows->clear();
        return;
    }
    if (!m_rows->load(path)) {
        m_unreadable = true;
        UiPlatform::error(this, unreadableText());
    }
}

QString ExportScreen::unreadableText()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio, per cui i dati non possono "
                          "essere esportati.")
           + UiPlatform::kLfCrLfCr
           + QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
                            "programma.");
}

void ExportScreen::cmdEsportaClick()
{
    if (m_unreadable) {
        UiPlatform::error(this, unreadableText());
        return;
    }
    // The export picture takes no focus, so a cell may still be open for typing:
    // moving the current cell away and back hands its text to the grid first.
    const QModelIndex current = grdRecords->currentIndex();
    if (current.isValid()) {
        grdRecords->setCurrentIndex(QModelIndex());
        grdRecords->setCurrentIndex(current);
    }
    ExportProcedure::run(this, m_rows->description(),
                         optXlsx->isChecked() ? ExportProcedure::Format::Xlsx : ExportProcedure::Format::Xls);
}

void ExportScreen::cmdGuidaClick()
{
    TfrmGuida::open(this, m_help);
}
