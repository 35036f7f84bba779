#include "ExportScreen.h"

#include "ExportProcedure.h"
#include "common/ui/FormBuilder.h"
#include "common/ui/Palette.h"
#include "common/ui/PictureButton.h"
#include "common/ui/TfrmGuida.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableWidget>

namespace {
const QSize kClient(862, 560);
const QSize kPanel(837, 533);
} // namespace

QString ExportScreen::startHint() { return QStringLiteral("Esportazione archivio in Microsoft Excel."); }

ExportScreen::ExportScreen(const QString &caption, const QString &banner, const QList<GridColumn> &columns,
                           QWidget *parent)
    : FixedDialog(caption, kClient, parent)
    , m_columns(columns)
{
    setObjectName(QStringLiteral("ExportScreen"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("ExportScreen { background: #EEEDED; }"));

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panContainer"));
    panel->setGeometry((kClient.width() - kPanel.width()) / 2, (kClient.height() - kPanel.height()) / 2,
                       kPanel.width(), kPanel.height());

    const QByteArray bannerName = banner.toLatin1();
    Form::Controls c = Form::build(panel, {
        {"shpSfondo", Form::Kind::Shape, {}, 8, 8, 821, 65, "#ffffff"},
        {"imgLogo", Form::Kind::Picture, {}, 13, 13, 505, 55, bannerName.constData()},
        {"icoHand", Form::Kind::Picture, {}, 528, 32, 31, 25, "hand"},
        {"cmdEsporta", Form::Kind::PictureButton, {}, 566, 15, 49, 50, "spreadsheet"},
        {"cmdGuida", Form::Kind::PictureButton, {}, 670, 13, 50, 55, "export_help"},
        {"cmdEsci", Form::Kind::PictureButton, {}, 766, 15, 40, 50, "export_exit"},
        {"shpInfo", Form::Kind::Shape, {}, 8, 493, 821, 32, "#6A5ACD"},
        {"panInfo", Form::Kind::Label, startHint(), 14, 499, 800, 22},
    });
    cmdEsporta = c.get<PictureButton>(QStringLiteral("cmdEsporta"));
    cmdGuida = c.get<PictureButton>(QStringLiteral("cmdGuida"));
    cmdEsci = c.get<PictureButton>(QStringLiteral("cmdEsci"));
    panInfo = c.get<QLabel>(QStringLiteral("panInfo"));
    panInfo->setFont(QFont(QStringLiteral("Tahoma"), 12));
    panInfo->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    grdRecords = new QTableWidget(0, int(m_columns.size()), panel);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setGeometry(8, 80, 821, 409);
    grdRecords->verticalHeader()->setVisible(false);
    grdRecords->verticalHeader()->setMinimumSectionSize(1);
    grdRecords->verticalHeader()->setDefaultSectionSize(21);
    grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdRecords->setAlternatingRowColors(true);
    grdRecords->setStyleSheet(QStringLiteral("QTableWidget { alternate-background-color: %1; gridline-color: #C8D3E0; }")
                                  .arg(Palette::paleBlue.name()));
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed);
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRecords->horizontalHeader()->setHighlightSections(false);
    QStringList headers;
    for (int i = 0; i < m_columns.size(); ++i) {
        headers.append(m_columns[i].header);
        grdRecords->setColumnWidth(i, m_columns[i].width);
    }
    grdRecords->setHorizontalHeaderLabels(headers);
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

void ExportScreen::resetRows(int count)
{
    grdRecords->clearContents();
    grdRecords->setRowCount(count);
    for (int r = 0; r < count; ++r)
        setRow(r, {});
}

void ExportScreen::setRow(int row, const QStringList &texts)
{
    for (int col = 0; col < m_columns.size(); ++col) {
        auto *item = new QTableWidgetItem(texts.value(col));
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (m_columns[col].editable)
            flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        grdRecords->setItem(row, col, item);
    }
}

QList<QStringList> ExportScreen::shownRows() const
{
    QList<QStringList> rows;
    rows.reserve(grdRecords->rowCount());
    for (int r = 0; r < grdRecords->rowCount(); ++r) {
        QStringList cells;
        for (int col = 1; col < grdRecords->columnCount(); ++col) {
            const QTableWidgetItem *item = grdRecords->item(r, col);
            cells.append(item ? item->text() : QString());
        }
        rows.append(cells);
    }
    return rows;
}

void ExportScreen::cmdEsportaClick()
{
    // The export picture takes no focus, so a cell may still be open for typing:
    // moving the current cell away and back hands its text to the grid first.
    const QModelIndex current = grdRecords->currentIndex();
    if (current.isValid()) {
        grdRecords->setCurrentIndex(QModelIndex());
        grdRecords->setCurrentIndex(current);
    }
    ExportProcedure::run(this, description(shownRows()));
}

void ExportScreen::cmdGuidaClick()
{
    TfrmGuida::open(this, helpPage());
}
